// The launchers of the user-environment editor as the suite calls them: the
// stand-in sibling program, installed as userenv.exe, records each command
// line it was started with, after its own path.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "install_location.h"
#include "kestrel_test.h"
#include "optora_library.h"
#include "sibling_log.h"

using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kLog = "c:\\suite\\started.log";
const char* const kNone = nullptr;
constexpr const char* kDevArea = "optora_dopreferences_devarea";
constexpr const char* kDevAreaName = "optora_dopreferences_devarea_name";

class LaunchTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ClearInstalledPrograms();
        fs::create_directories("c:\\suite");
        ASSERT_TRUE(SetEnvironmentVariableA("OPTORA_SIBLING_LOG", kLog));
        ASSERT_TRUE(library_.Loaded());
    }
    void TearDown() override {
        SetEnvironmentVariableA("OPTORA_SIBLING_LOG", nullptr);
        ClearInstalledPrograms();
    }

    template <typename... Texts>
    void Launch(const char* entry, Texts... texts) {
        library_.Entry<void (*)(HWND, Texts...)>(entry)(nullptr, texts...);
    }

    static void InstallEditor(const std::string& path) { PutFile(path, BesideTestProgram("sibling.exe")); }

    // One started program: "<its path>\t<its command line>".
    static std::string Started(const std::string& program, const std::string& arguments = {}) {
        const std::string word = program.find(' ') == std::string::npos ? program : '"' + program + '"';
        return program + '\t' + word + arguments;
    }

    static std::vector<std::string> Logged(std::size_t count = 0) { return SiblingLog(kLog, count); }

    OptoraLibrary library_;
};

}  // namespace

// Installed where its path has a blank: quoted, or "c:\suite\Program.exe"
// would start instead.
TEST_F(LaunchTest, EachLauncherStartsTheInstalledEditorWithItsArguments) {
    const std::string editor = "c:\\suite\\Program Files\\userenv.exe";
    InstallEditor("c:\\suite\\Program.exe");
    InstallEditor(editor);
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\Program Files\\");
    MakeStorageArea("AREA1", {{"param\\usrpt.ctl", "P-USER-ENVIRON\r\nMYTABLE\r\n"}});
    // texts: how many text arguments the entry point takes
    const struct { int texts; const char *device, *area, *name, *arguments; } runs[] = {
        {0, kNone, kNone, kNone, ""},  // optora_dopreferences, then its twin
        {0, kNone, kNone, kNone, ""},
        {2, "C", "AREA1", kNone, " -dC -sAREA1"},
        {2, kNone, kNone, kNone, " -d -s"},
        {3, "C", "AREA1", "MYTABLE", " -dC -sAREA1 -iMYTABLE"},
        {3, "C", "AREA1", "OTHER", " -dC -sAREA1 -iP-USER-ENVIRON"},
        {3, "D", "AREA1", "MYTABLE", " -dD -sAREA1 -iP-USER-ENVIRON"},  // no such area on D:
        {3, "C", "AREA1", kNone, " -dC -sAREA1 -iP-USER-ENVIRON"},
        {3, kNone, kNone, "MYTABLE", " -d -s -iP-USER-ENVIRON"},
    };
    std::vector<std::string> expected;
    for (const auto& run : runs) {
        if (run.texts == 0) Launch(expected.empty() ? "optora_dopreferences" : "_optora_dopreferences");
        if (run.texts == 2) Launch(kDevArea, run.device, run.area);
        if (run.texts == 3) Launch(kDevAreaName, run.device, run.area, run.name);
        expected.push_back(Started(editor, run.arguments));
        ASSERT_EQ(Logged(expected.size()).size(), expected.size()) << "launch " << expected.size();
    }
    EXPECT_EQ(Logged(), expected);
}

TEST_F(LaunchTest, WithoutAnEditorNothingStarts) {
    InstallEditor("c:\\suite\\bin\\glance.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\bin");
    Launch("optora_dopreferences");
    Launch(kDevArea, "C", "AREA1");
    Launch(kDevAreaName, "C", "AREA1", "T");

    // Nor with a command line past the platform's limit, which would reach
    // the editor cut short; the longest that fits does start.
    const std::string program = "c:\\ads\\userenv.exe", fits(32766 - program.size() - 7, 'A');
    InstallEditor(program);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kLocation);
    Launch(kDevArea, "C", (fits + 'A').c_str());
    Launch(kDevArea, "C", std::string(65600, 'A').c_str());

    // Then one that does start, to bound the wait for any stray one.
    Launch(kDevArea, "C", fits.c_str());
    ASSERT_EQ(Logged(1).size(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(Logged(), std::vector<std::string>{Started(program, " -dC -s" + fits)});
}
