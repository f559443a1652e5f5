// Start-up with language libraries, run in this process against stand-ins for
// optora.dll (host libraries) copied with language libraries into a fresh
// directory per test.
#include <filesystem>
#include <fstream>

#include "frame/startup.h"
#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

std::string Incompatible(const std::string& name) {
    return "Error loading resource DLL! (" + name + ")  Incompatible version.\nUntranslated resources will be used.";
}

// The message for a library that fails to load, with the code a load of the
// file reports here.
std::string LoadFailed(const std::string& dir, const std::string& name) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA((dir + name).c_str()), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    return "Error loading resource DLL! (" + name + ")  Error Code " + std::to_string(GetLastError()) +
           ".\nUntranslated resources will be used.";
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::string("c:\\optora-startup\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        dir_ += "\\";
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (host_) FreeLibrary(host_);
        for (HINSTANCE library : loaded_) FreeLibrary(library);
    }

    // The library of this test: a copy of the named test library as host.dll.
    void Host(const char* library = "language_host.dll") {
        if (host_) FreeLibrary(host_);
        Put(library, "host.dll");
        host_ = LoadLibraryA((dir_ + "host.dll").c_str());
        ASSERT_NE(host_, nullptr) << GetLastError();
    }
    void Put(const char* library, const char* as) {
        fs::remove(dir_ + as);
        if (library) PutFile(dir_ + as, BesideTestProgram(library));
        else std::ofstream(dir_ + as, std::ios::binary) << "not a library at all";
    }

    // LoadResourceLibrary with the texts of every message box it shows.
    HINSTANCE Load(const char* name, std::vector<std::string>& shown) {
        HINSTANCE library = nullptr;
        shown = Texts(AnswerMessageBoxes([&] { library = LoadResourceLibrary(host_, name); }));
        if (library) loaded_.push_back(library);
        return library;
    }
    static std::vector<std::string> Texts(const std::vector<ShownMessage>& shown) {
        std::vector<std::string> texts;
        for (const ShownMessage& message : shown) {
            EXPECT_EQ(message.caption, "Error") << "the system's default caption";
            EXPECT_FALSE(message.owned);
            texts.push_back(message.text);
        }
        return texts;
    }

    bool Held(const char* name) const { return GetModuleHandleA((dir_ + name).c_str()) != nullptr; }

    std::string dir_;
    HINSTANCE host_ = nullptr;
    std::vector<HINSTANCE> loaded_;
};

}  // namespace

// The rest of start-up is seen by a caller's process (the end-to-end test);
// a library without version information only here.
TEST_F(StartupTest, AnUnversionedHostGetsNoLanguageLibrary) {
    std::vector<std::string> shown;
    Host("language_unversioned.dll");
    Put("language_same.dll", "optorares.dll");
    EXPECT_EQ(Load("optorares.dll", shown), nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{Incompatible("optorares.dll")});
    EXPECT_FALSE(Held("optorares.dll"));
}

// The suite-wide library is process-wide: this one test owns its story.
TEST_F(StartupTest, TheSharedLanguageLibraryIsLoadedOnceWithoutAVersionTest) {
    ASSERT_EQ(SharedLanguageLibrary(), nullptr);
    Host();
    Put(nullptr, "Lexicon.dll");
    Put("language_same.dll", "optorares.dll");
    std::vector<std::string> shown;
    EXPECT_NE(Load("optorares.dll", shown), nullptr) << "the named library is used all the same";
    EXPECT_EQ(shown, std::vector<std::string>{LoadFailed(dir_, "Lexicon.dll")});
    EXPECT_EQ(SharedLanguageLibrary(), nullptr);

    // Still none: the next start-up tries again, and any version will do.
    Put("language_other_major.dll", "Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", shown), nullptr);
    EXPECT_TRUE(shown.empty());
    const HINSTANCE shared = SharedLanguageLibrary();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared, GetModuleHandleA((dir_ + "Lexicon.dll").c_str()));

    // Once loaded it is never looked for again.
    FreeLibrary(host_);
    host_ = nullptr;
    dir_ += "again\\";
    fs::create_directories(dir_);
    Host();
    Put(nullptr, "Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", shown), nullptr);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(SharedLanguageLibrary(), shared);
}
