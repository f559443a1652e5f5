// optora.dll's start-up as a caller's process meets it: each case is a fresh
// process (the start-up runs once per process) with optora.dll and the
// language libraries of the case copied into a directory of their own.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"

using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kRoot = "c:\\optora-startup-e2e";

struct ProbeRun {
    DWORD exitCode = 0;
    std::vector<ShownMessage> shown;
    std::string held;  // the probe's report of the language libraries it holds
};

class StartupE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::string(kRoot) + "\\" + test->name();
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
        fs::create_directories(dir_);
        Put("optora.dll", "optora.dll");
        Put("stordb.dll", "stordb.dll");
    }

    void Put(const char* library, const char* as) { PutFile(dir_ + "\\" + as, BesideTestProgram(library)); }
    void PutGarbage(const char* as) { std::ofstream(dir_ + "\\" + as, std::ios::binary) << "not a library"; }

    ProbeRun RunProbe() {
        ProbeRun run;
        std::string commandLine = "\"" + BesideTestProgram("startup_probe.exe") + "\" \"" + dir_ + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process)) {
            ADD_FAILURE() << "probe not started: " << GetLastError();
            return run;
        }
        const std::string mark = dir_ + "\\loaded.mark";
        {
            MessageBoxWatcher watcher(process.dwProcessId,
                                      [mark] { return fs::exists(mark) ? "after load" : "during load"; });
            EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0) << "the probe hangs";
            run.shown = watcher.Stop();
        }
        GetExitCodeProcess(process.hProcess, &run.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::ifstream report(dir_ + "\\probe.txt");
        std::stringstream text;
        text << report.rdbuf();
        run.held = text.str();
        return run;
    }

    std::string dir_;
};

std::string Held(bool resources, bool shared) {
    return std::string("optorares.dll ") + (resources ? "loaded" : "absent") + "\nLexicon.dll " +
           (shared ? "loaded" : "absent") + "\n";
}

}  // namespace

TEST_F(StartupE2eTest, WithoutLanguageLibrariesNothingIsShown) {
    const ProbeRun run = RunProbe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.shown.empty());
    EXPECT_EQ(run.held, Held(false, false));
}

TEST_F(StartupE2eTest, AMatchingLanguageLibraryAndTheSharedOneAreLoaded) {
    Put("language_same.dll", "optorares.dll");
    Put("language_other_major.dll", "Lexicon.dll");
    const ProbeRun run = RunProbe();
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.shown.empty());
    EXPECT_EQ(run.held, Held(true, true));
}

TEST_F(StartupE2eTest, AnotherVersionIsToldOnceAtTheFirstCall) {
    Put("language_other_build.dll", "optorares.dll");
    const ProbeRun run = RunProbe();
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.shown.size(), 1u) << "two calls, one start-up";
    EXPECT_EQ(run.shown[0].text,
              "Error loading resource DLL! (optorares.dll)  Incompatible version.\n"
              "Untranslated resources will be used.");
    EXPECT_EQ(run.shown[0].caption, "Error");
    EXPECT_FALSE(run.shown[0].owned);
    EXPECT_EQ(run.shown[0].note, "after load") << "nothing is shown under the loader lock";
    EXPECT_EQ(run.held, Held(false, false));
}

TEST_F(StartupE2eTest, AnUnloadableSharedLibraryIsNamedWithItsErrorCode) {
    Put("language_same.dll", "optorares.dll");
    PutGarbage("Lexicon.dll");
    SetLastError(0);
    ASSERT_EQ(LoadLibraryA((dir_ + "\\Lexicon.dll").c_str()), nullptr);
    const DWORD code = GetLastError();
    ASSERT_NE(code, 0u);

    const ProbeRun run = RunProbe();
    EXPECT_EQ(run.exitCode, 0u);
    ASSERT_EQ(run.shown.size(), 1u);
    EXPECT_EQ(run.shown[0].text, "Error loading resource DLL! (Lexicon.dll)  Error Code " + std::to_string(code) +
                                     ".\nUntranslated resources will be used.");
    EXPECT_EQ(run.shown[0].note, "after load");
    EXPECT_EQ(run.held, Held(true, false)) << "the matching library is used all the same";
}
