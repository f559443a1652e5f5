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
#include "optora.h"

using namespace optora::test;
namespace fs = std::filesystem;

namespace {

using NoArgs = void (*)(HWND);
using DevArea = void (*)(HWND, const char*, const char*);
using DevAreaName = void (*)(HWND, const char*, const char*, const char*);

constexpr const char* kLog = "c:\\suite\\started.log";

class LaunchTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ClearInstalledPrograms();
        fs::create_directories("c:\\suite");
        ASSERT_TRUE(SetEnvironmentVariableA("OPTORA_SIBLING_LOG", kLog));
        library_ = LoadLibraryA("optora.dll");
        ASSERT_NE(library_, nullptr) << GetLastError();
        noArgs_ = Entry<NoArgs>("optora_dopreferences");
        twin_ = Entry<NoArgs>("_optora_dopreferences");
        devArea_ = Entry<DevArea>("optora_dopreferences_devarea");
        devAreaName_ = Entry<DevAreaName>("optora_dopreferences_devarea_name");
        ASSERT_FALSE(HasFatalFailure());
    }
    void TearDown() override {
        SetEnvironmentVariableA("OPTORA_SIBLING_LOG", nullptr);
        FreeLibrary(library_);
        ClearInstalledPrograms();
    }

    template <typename Fn>
    Fn Entry(const char* name) {
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }

    static void InstallEditor(const std::string& path) { PutFile(path, BesideTestProgram("sibling.exe")); }

    // One started program: "<its path>\t<its command line>".
    static std::string Started(const std::string& program, const std::string& arguments = {}) {
        const std::string word = program.find(' ') == std::string::npos ? program : '"' + program + '"';
        return program + '\t' + word + arguments;
    }

    static std::vector<std::string> Logged() {
        std::vector<std::string> lines;
        std::ifstream log(kLog, std::ios::binary);
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The programs start asynchronously: wait, within bounds, for them.
    static std::vector<std::string> WaitForLogged(std::size_t count) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        std::vector<std::string> lines = Logged();
        while (lines.size() < count && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            lines = Logged();
        }
        return lines;
    }

    static void MakeArea(const char* area, const std::string& usrpt) {
        const std::string root = std::string("c:\\userroot\\storage\\") + area;
        fs::create_directories(root + "\\data");
        fs::create_directories(root + "\\param");
        std::ofstream(root + "\\param\\usrpt.ctl", std::ios::binary) << usrpt;
    }

    HMODULE library_ = nullptr;
    NoArgs noArgs_ = nullptr;
    NoArgs twin_ = nullptr;
    DevArea devArea_ = nullptr;
    DevAreaName devAreaName_ = nullptr;
};

}  // namespace

TEST_F(LaunchTest, TheInstalledEditorStartsWithTheDeviceAndAreaArguments) {
    InstallEditor("c:\\suite\\bin\\userenv.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\bin");
    noArgs_(nullptr);
    ASSERT_EQ(WaitForLogged(1).size(), 1u);
    twin_(nullptr);
    ASSERT_EQ(WaitForLogged(2).size(), 2u);
    devArea_(nullptr, "C", "AREA1");
    ASSERT_EQ(WaitForLogged(3).size(), 3u);
    devArea_(nullptr, nullptr, nullptr);
    const std::string path = "c:\\suite\\bin\\userenv.exe";
    const std::vector<std::string> expected = {
        Started(path),
        Started(path),
        Started(path, " -dC -sAREA1"),
        Started(path, " -d -s"),
    };
    EXPECT_EQ(WaitForLogged(4), expected);
}

TEST_F(LaunchTest, ATableTheAreaLacksGivesWayToTheDefaultTable) {
    InstallEditor("c:\\userroot\\prog\\appl\\userenv.exe");
    MakeArea("AREA1", "P-USER-ENVIRON\r\nMYTABLE\r\n");
    const char* const runs[][3] = {
        {"C", "AREA1", "MYTABLE"},
        {"C", "AREA1", "OTHER"},
        {"c:", "AREA1", "mytable"},       // the drive letter and names as the database compares them
        {"D", "AREA1", "MYTABLE"},        // no such area on D:
        {"C", "AREA2", "MYTABLE"},
        {"C", "AREA1", nullptr},
        {nullptr, nullptr, "MYTABLE"},
    };
    std::size_t started = 0;
    for (const auto& run : runs) {
        devAreaName_(nullptr, run[0], run[1], run[2]);
        ASSERT_EQ(WaitForLogged(++started).size(), started) << "launch " << started;
    }
    const std::string path = "c:\\userroot\\prog\\appl\\userenv.exe";
    const std::vector<std::string> expected = {
        Started(path, " -dC -sAREA1 -iMYTABLE"),
        Started(path, " -dC -sAREA1 -iP-USER-ENVIRON"),
        Started(path, " -dc: -sAREA1 -imytable"),
        Started(path, " -dD -sAREA1 -iP-USER-ENVIRON"),
        Started(path, " -dC -sAREA2 -iP-USER-ENVIRON"),
        Started(path, " -dC -sAREA1 -iP-USER-ENVIRON"),
        Started(path, " -d -s -iP-USER-ENVIRON"),
    };
    EXPECT_EQ(Logged(), expected);
}

TEST_F(LaunchTest, APathWithABlankIsQuoted) {
    // What an unquoted command line would start instead.
    InstallEditor("c:\\suite\\Program.exe");
    InstallEditor("c:\\suite\\Program Files\\userenv.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\Program Files\\");
    devAreaName_(nullptr, "C", "AREA1", "T");
    const std::vector<std::string> expected = {
        Started("c:\\suite\\Program Files\\userenv.exe", " -dC -sAREA1 -iP-USER-ENVIRON")};
    EXPECT_EQ(WaitForLogged(1), expected);
}

TEST_F(LaunchTest, WithoutAnEditorNothingStarts) {
    InstallEditor("c:\\suite\\bin\\glance.exe");
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\bin");
    noArgs_(nullptr);
    devArea_(nullptr, "C", "AREA1");
    devAreaName_(nullptr, "C", "AREA1", "T");

    // Then one that does start, to bound the wait for any stray one.
    InstallEditor("c:\\ads\\userenv.exe");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kLocation);
    noArgs_(nullptr);
    ASSERT_EQ(WaitForLogged(1).size(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(Logged(), std::vector<std::string>{Started("c:\\ads\\userenv.exe")});
}
