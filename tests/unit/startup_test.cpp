// Start-up with language libraries, run in this process against stand-ins for
// optora.dll (host libraries) copied with language libraries into a fresh
// directory per test.
#include <filesystem>
#include <fstream>

#include "frame/startup.h"
#include "install_location.h"
#include "kestrel_test.h"
#include "language/probe_string.h"
#include "message_boxes.h"
#include "optora_version.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kRoot = "c:\\optora-startup";

std::string Incompatible(const std::string& name) {
    return "Error loading resource DLL! (" + name + ")  Incompatible version.\nUntranslated resources will be used.";
}

std::string LoadFailed(const std::string& name, DWORD code) {
    return "Error loading resource DLL! (" + name + ")  Error Code " + std::to_string(code) +
           ".\nUntranslated resources will be used.";
}

std::string ProbeString(HINSTANCE module) {
    char text[64] = {};
    LoadStringA(module, IDS_LANGUAGE_PROBE, text, sizeof text);
    return text;
}

// What a failed load of the file reports here, to compare with the message.
DWORD LoadError(const std::string& path) {
    SetLastError(0);
    if (HMODULE loaded = LoadLibraryA(path.c_str())) {
        FreeLibrary(loaded);
        return 0;
    }
    return GetLastError();
}

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::string(kRoot) + "\\" + test->name() + "\\";
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        if (host_) FreeLibrary(host_);
        for (HINSTANCE library : loaded_) FreeLibrary(library);
    }

    // The library of this test: a copy of the named test library as host.dll.
    HINSTANCE Host(const char* library = "language_host.dll") {
        Put(library, "host.dll");
        host_ = LoadLibraryA((dir_ + "host.dll").c_str());
        EXPECT_NE(host_, nullptr) << GetLastError();
        return host_;
    }

    void Put(const char* library, const char* as) { PutFile(dir_ + as, BesideTestProgram(library)); }
    void PutGarbage(const char* as) { std::ofstream(dir_ + as, std::ios::binary) << "not a library at all"; }

    // LoadResourceLibrary with every message box it shows.
    HINSTANCE Load(const char* name, std::vector<ShownMessage>& shown) {
        MessageBoxWatcher watcher;
        HINSTANCE library = LoadResourceLibrary(host_, name);
        shown = watcher.Stop();
        if (library) loaded_.push_back(library);
        return library;
    }

    bool Held(const char* name) const { return GetModuleHandleA((dir_ + name).c_str()) != nullptr; }

    std::string dir_;
    HINSTANCE host_ = nullptr;
    std::vector<HINSTANCE> loaded_;
};

}  // namespace

TEST_F(StartupTest, ProductVersionsAreReadFromTheFixedVersionInformation) {
    Put("language_host.dll", "host.dll");
    Put("language_same.dll", "same.dll");
    Put("language_other_build.dll", "build.dll");
    Put("language_other_major.dll", "major.dll");
    Put("language_unversioned.dll", "none.dll");
    PutGarbage("garbage.dll");

    const auto host = ReadProductVersion((dir_ + "host.dll").c_str());
    ASSERT_TRUE(host.has_value());
    EXPECT_EQ(host->mostSignificant, DWORD{OPTORA_VERSION_MAJOR << 16 | OPTORA_VERSION_MINOR});
    EXPECT_EQ(host->leastSignificant, DWORD{OPTORA_VERSION_PATCH << 16 | OPTORA_VERSION_BUILD});
    EXPECT_EQ(ReadProductVersion(BesideTestProgram("optora.dll").c_str()), host) << "optora.dll's own version";
    EXPECT_FALSE(ReadProductVersion((dir_ + "none.dll").c_str()).has_value());
    EXPECT_FALSE(ReadProductVersion((dir_ + "garbage.dll").c_str()).has_value());
    EXPECT_FALSE(ReadProductVersion((dir_ + "missing.dll").c_str()).has_value());
    EXPECT_FALSE(ReadProductVersion(nullptr).has_value());

    const std::string hostPath = dir_ + "host.dll";
    EXPECT_TRUE(SameProductVersion(hostPath.c_str(), (dir_ + "same.dll").c_str()));
    EXPECT_FALSE(SameProductVersion(hostPath.c_str(), (dir_ + "build.dll").c_str())) << "least significant half";
    EXPECT_FALSE(SameProductVersion(hostPath.c_str(), (dir_ + "major.dll").c_str())) << "most significant half";
    EXPECT_FALSE(SameProductVersion((dir_ + "none.dll").c_str(), (dir_ + "none.dll").c_str()))
        << "two unreadable versions are not the same";
    EXPECT_FALSE(SameProductVersion((dir_ + "missing.dll").c_str(), (dir_ + "missing.dll").c_str()));
}

TEST_F(StartupTest, ALibraryOfTheSameVersionBecomesTheSourceOfStrings) {
    ModuleState state{Host(), host_};
    Put("language_same.dll", "optorares.dll");
    MessageBoxWatcher watcher;
    EXPECT_TRUE(COptoraApp(state).InitInstance());
    EXPECT_TRUE(watcher.Stop().empty());
    ASSERT_TRUE(Held("optorares.dll"));
    EXPECT_EQ(state.resources, GetModuleHandleA((dir_ + "optorares.dll").c_str()));
    EXPECT_EQ(state.instance, host_) << "the library stays itself";
    EXPECT_EQ(ProbeString(state.resources), "translated");
    loaded_.push_back(state.resources);
}

TEST_F(StartupTest, AnotherVersionIsRefusedOnceWithItsMessage) {
    for (const char* other : {"language_other_build.dll", "language_other_major.dll"}) {
        SCOPED_TRACE(other);
        ModuleState state{Host(), host_};
        Put(other, "optorares.dll");
        MessageBoxWatcher watcher;
        EXPECT_TRUE(COptoraApp(state).InitInstance());
        const std::vector<ShownMessage> shown = watcher.Stop();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, Incompatible("optorares.dll"));
        EXPECT_EQ(shown[0].caption, "Error") << "the system's default caption";
        EXPECT_FALSE(shown[0].owned);
        EXPECT_FALSE(Held("optorares.dll")) << "never loaded";
        EXPECT_EQ(state.resources, host_);
        EXPECT_EQ(ProbeString(state.resources), "base language");
        FreeLibrary(host_);
        host_ = nullptr;
    }
}

TEST_F(StartupTest, AnUnversionedLibraryAcceptsNoLanguageLibrary) {
    Host("language_unversioned.dll");
    Put("language_same.dll", "optorares.dll");
    std::vector<ShownMessage> shown;
    EXPECT_EQ(Load("optorares.dll", shown), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, Incompatible("optorares.dll"));
    EXPECT_FALSE(Held("optorares.dll"));
}

TEST_F(StartupTest, ALibraryThatFailsToLoadIsNamedWithItsErrorCode) {
    Host();
    Put("language_refusing.dll", "lang.dll");
    std::vector<ShownMessage> shown;
    EXPECT_EQ(Load("lang.dll", shown), nullptr);
    const DWORD code = LoadError(dir_ + "lang.dll");
    ASSERT_NE(code, 0u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, LoadFailed("lang.dll", code));
    EXPECT_FALSE(shown[0].owned);
    EXPECT_EQ(Load("missing.dll", shown), nullptr);
    EXPECT_TRUE(shown.empty()) << "a missing library is no error";
}

// The suite-wide library is process-wide: this one test owns its story.
TEST_F(StartupTest, TheSharedLanguageLibraryIsLoadedOnceWithoutAVersionTest) {
    ASSERT_EQ(SharedLanguageLibrary(), nullptr);
    Host();
    PutGarbage("Lexicon.dll");
    Put("language_same.dll", "optorares.dll");
    std::vector<ShownMessage> shown;
    EXPECT_NE(Load("optorares.dll", shown), nullptr) << "the named library is used all the same";
    const DWORD code = LoadError(dir_ + "Lexicon.dll");
    ASSERT_NE(code, 0u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, LoadFailed("Lexicon.dll", code));
    EXPECT_EQ(SharedLanguageLibrary(), nullptr);

    // Still none: the next start-up tries again, and any version will do.
    fs::remove(dir_ + "Lexicon.dll");
    Put("language_other_major.dll", "Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", shown), nullptr);
    EXPECT_TRUE(shown.empty());
    ASSERT_NE(SharedLanguageLibrary(), nullptr);
    EXPECT_EQ(SharedLanguageLibrary(), GetModuleHandleA((dir_ + "Lexicon.dll").c_str()));

    // Once loaded it is never looked for again.
    const HINSTANCE shared = SharedLanguageLibrary();
    FreeLibrary(host_);
    host_ = nullptr;
    fs::create_directories(dir_ + "again");
    dir_ += "again\\";
    Host();
    PutGarbage("Lexicon.dll");
    EXPECT_EQ(Load("absent.dll", shown), nullptr);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(SharedLanguageLibrary(), shared);
}
