// The launchers of the user-environment editor as the suite calls them: the
// stand-in sibling program, installed as userenv.exe, records each command
// line it was started with, after its own path.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "install_location.h"
#include "kestrel_test.h"
#include "optora_library.h"

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

    // The programs start asynchronously: wait, within bounds, for count of them.
    static std::vector<std::string> Logged(std::size_t count = 0) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            std::vector<std::string> lines;
            std::ifstream log(kLog, std::ios::binary);
            for (std::string line; std::getline(log, line);) lines.push_back(line.substr(0, line.find('\r')));
            if (lines.size() >= count || std::chrono::steady_clock::now() > until) return lines;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

    OptoraLibrary library_;
};

}  // namespace

TEST_F(LaunchTest, TheInstalledEditorStartsWithTheDeviceAndAreaArguments) {
    InstallEditor("c:\\suite\\bin\\userenv.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\bin");
    Launch("optora_dopreferences");
    ASSERT_EQ(Logged(1).size(), 1u);
    Launch("_optora_dopreferences");
    ASSERT_EQ(Logged(2).size(), 2u);
    Launch(kDevArea, "C", "AREA1");
    ASSERT_EQ(Logged(3).size(), 3u);
    Launch(kDevArea, kNone, kNone);
    const std::string path = "c:\\suite\\bin\\userenv.exe";
    EXPECT_EQ(Logged(4), (std::vector<std::string>{Started(path), Started(path), Started(path, " -dC -sAREA1"),
                                                   Started(path, " -d -s")}));
}

TEST_F(LaunchTest, ATableTheAreaLacksGivesWayToTheDefaultTable) {
    InstallEditor("c:\\userroot\\prog\\appl\\userenv.exe");
    fs::create_directories("c:\\userroot\\storage\\AREA1\\data");
    fs::create_directories("c:\\userroot\\storage\\AREA1\\param");
    std::ofstream("c:\\userroot\\storage\\AREA1\\param\\usrpt.ctl", std::ios::binary)
        << "P-USER-ENVIRON\r\nMYTABLE\r\n";
    const char* const runs[][4] = {
        {"C", "AREA1", "MYTABLE", " -dC -sAREA1 -iMYTABLE"},
        {"C", "AREA1", "OTHER", " -dC -sAREA1 -iP-USER-ENVIRON"},
        {"c:", "AREA1", "mytable", " -dc: -sAREA1 -imytable"},  // as the database compares them
        {"D", "AREA1", "MYTABLE", " -dD -sAREA1 -iP-USER-ENVIRON"},  // no such area on D:
        {"C", "AREA2", "MYTABLE", " -dC -sAREA2 -iP-USER-ENVIRON"},
        {"C", "AREA1", nullptr, " -dC -sAREA1 -iP-USER-ENVIRON"},
        {nullptr, nullptr, "MYTABLE", " -d -s -iP-USER-ENVIRON"},
    };
    std::vector<std::string> expected;
    for (const auto& run : runs) {
        Launch(kDevAreaName, run[0], run[1], run[2]);
        expected.push_back(Started("c:\\userroot\\prog\\appl\\userenv.exe", run[3]));
        ASSERT_EQ(Logged(expected.size()).size(), expected.size()) << "launch " << expected.size();
    }
    EXPECT_EQ(Logged(), expected);
}

TEST_F(LaunchTest, APathWithABlankIsQuoted) {
    InstallEditor("c:\\suite\\Program.exe");  // what an unquoted command line would start instead
    InstallEditor("c:\\suite\\Program Files\\userenv.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\Program Files\\");
    Launch(kDevAreaName, "C", "AREA1", "T");
    EXPECT_EQ(Logged(1), std::vector<std::string>{Started("c:\\suite\\Program Files\\userenv.exe",
                                                          " -dC -sAREA1 -iP-USER-ENVIRON")});
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
