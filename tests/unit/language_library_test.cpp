// What a caller's process cannot show of start-up (the end-to-end test shows
// the rest): a library without version information, and the suite-wide
// language library across several start-ups in one process. Stand-ins for
// optora.dll (host libraries) are copied with language libraries into a
// fresh directory.
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

class StartupTest : public ::testing::Test {
protected:
    void TearDown() override { for (HINSTANCE library : loaded_) FreeLibrary(library); }

    // A fresh directory holding a copy of the named test library as host.dll,
    // loaded; null puts a file that is no library.
    void Host(const std::string& dir, const char* library = "language_host.dll") {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
        fs::create_directories(dir);
        dir_ = dir + "\\";
        Put(library, "host.dll");
        host_ = LoadLibraryA((dir_ + "host.dll").c_str());
        ASSERT_NE(host_, nullptr) << GetLastError();
        loaded_.push_back(host_);
    }
    void Put(const char* library, const char* as) {
        fs::remove(dir_ + as);
        if (library) PutFile(dir_ + as, BesideTestProgram(library));
        else std::ofstream(dir_ + as, std::ios::binary) << "not a library at all";
    }

    // LoadResourceLibrary, which shows nothing, with the texts it keeps to tell.
    HINSTANCE Load(const char* name, std::vector<std::string>& kept) {
        HINSTANCE library = nullptr;
        EXPECT_TRUE(AnswerMessageBoxes([&] { library = LoadResourceLibrary(host_, name); }).empty());
        kept = TakeStartupProblems();
        if (library) loaded_.push_back(library);
        return library;
    }

    std::string dir_;
    HINSTANCE host_ = nullptr;
    std::vector<HINSTANCE> loaded_;
};

}  // namespace

TEST_F(StartupTest, AnUnversionedHostGetsNoLanguageLibrary) {
    std::vector<std::string> kept;
    Host("c:\\optora-startup\\unversioned", "language_unversioned.dll");
    Put("language_same.dll", "optorares.dll");
    EXPECT_EQ(Load("optorares.dll", kept), nullptr);
    EXPECT_EQ(kept, std::vector<std::string>{"Error loading resource DLL! (optorares.dll)  Incompatible "
                                              "version.\nUntranslated resources will be used."});
    EXPECT_EQ(GetModuleHandleA((dir_ + "optorares.dll").c_str()), nullptr);
}

// The suite-wide library is process-wide: this one test owns its story.
TEST_F(StartupTest, TheSharedLanguageLibraryIsLoadedOnceWithoutAVersionTest) {
    ASSERT_EQ(SharedLanguageLibrary(), nullptr);
    Host("c:\\optora-startup\\shared");
    Put(nullptr, "Lexicon.dll");
    Put("language_same.dll", "optorares.dll");
    std::vector<std::string> kept;
    EXPECT_NE(Load("optorares.dll", kept), nullptr) << "the named library is used all the same";
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].rfind("Error loading resource DLL! (Lexicon.dll)  Error Code ", 0), 0u) << kept[0];
    EXPECT_EQ(SharedLanguageLibrary(), nullptr);

    // Still none: the next start-up tries again, and any version will do.
    Put("language_other_major.dll", "Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", kept), nullptr);
    EXPECT_TRUE(kept.empty());
    const HINSTANCE shared = SharedLanguageLibrary();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared, GetModuleHandleA((dir_ + "Lexicon.dll").c_str()));

    // Once loaded it is never looked for again.
    Host("c:\\optora-startup\\again");
    Put(nullptr, "Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", kept), nullptr);
    EXPECT_TRUE(kept.empty());
    EXPECT_EQ(SharedLanguageLibrary(), shared);
}
