// optora-cli as an administrator uses it: output and exit codes.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "kestrel_test.h"

using namespace optora::test;

namespace {

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;  // standard output and error together
};

RunResult RunCli(const std::string& arguments, const std::string& program = BesideTestProgram("optora-cli.exe")) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    std::string command = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    RunResult result;
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(write);
    char buffer[4096];
    DWORD got = 0;
    while (started && ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got) result.out.append(buffer, got);
    if (started) {
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(read);
    return result;
}

class CliTest : public KestrelTest {};

}  // namespace

TEST_F(CliTest, ShowPrintsEveryBlockWithTheValuesOfTheChosenVariants) {
    SetRegionalMeasurement(true);
    StoreText("Software\\Kestrel\\Arbor", "Precision", "3");
    StoreText("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosCutPath", "G:\\GENCUTS");
    StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "ImageType", "EMF");
    StoreRaw("Software\\Kestrel\\Arbor\\OrderOptions", "LayruleMethod", REG_BINARY, "\x02", 1);
    StoreText("Software\\Kestrel\\Quillon", "Model", "my model");
    const std::pair<const char*, std::vector<const char*>> runs[] = {
        {"show",
         {"[Preferences]", "1 (imperial)", "Precision                3", "[Alteration]", "[Cut options]",
          "DosCutPath               \"C:\\USERROOT\"", "[Plot options]", "ImageType                \"JPEG\"",
          "[Order options]", "SplitPieceSeam           0.375", "2 (Layrule Search Table)", "[Verify options]",
          "VerifyStorageArea        \"C:DATA70\"", "Model                    \"MY MODEL\"",
          "CategoryChB              1 (same as piece name)"}},
        {"show --plotapp MARKERPLOT_PLOT_OPTIONS --cutapp CUTGEN_CUT_OPTIONS",
         {"DosCutPath               \"G:\\GENCUTS\"", "ImageType                \"EMF\"",
          "Application              \"CUTGEN_CUT_OPTIONS\""}},
    };
    for (const auto& [arguments, lines] : runs) {
        const RunResult r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, 0u) << r.out;
        for (const char* line : lines) EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
        EXPECT_EQ(r.out.find("stordb.dll"), std::string::npos) << "the database is beside the library";
    }

    // An install that lacks the database says so.
    const std::filesystem::path alone = std::filesystem::temp_directory_path() / "optora-cli-without-stordb";
    std::filesystem::remove_all(alone);
    std::filesystem::create_directories(alone);
    for (const char* file : {"optora-cli.exe", "optora.dll"})
        std::filesystem::copy_file(BesideTestProgram(file), alone / file);
    const RunResult lone = RunCli("show", (alone / "optora-cli.exe").string());
    EXPECT_EQ(lone.exitCode, 0u) << lone.out;
    EXPECT_NE(lone.out.find("storage-area database (stordb.dll) not found"), std::string::npos) << lone.out;
    std::filesystem::remove_all(alone);
}

TEST_F(CliTest, SetThenGetRoundTripsThroughTheRegistry) {
    RunResult r = RunCli("set alteration -12");
    EXPECT_EQ(r.exitCode, 0u) << r.out;
    EXPECT_EQ(RequireStored("Software\\Kestrel\\Arbor", "Alteration").Int32(), -12);
    r = RunCli("get alteration");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.out.substr(0, r.out.find_first_of("\r\n")), "-12");

    EXPECT_EQ(RunCli("set gradeoption 2").exitCode, 0u);
    EXPECT_NE(RunCli("show").out.find("Grade method             2 (Base Up-Down Incremental)"), std::string::npos);
}

TEST_F(CliTest, MistakesExitWithTwoAndChangeNothing) {
    for (const char* bad : {"", "frobnicate", "get", "get nosuch", "set alteration", "set alteration 1x",
                            "set alteration 99999999999", "set notation 1", "show extra", "show --cutapp",
                            "show --plotapp A --cutapp", "show --nosuch A", "show --cutapp A extra"}) {
        const RunResult r = RunCli(bad);
        EXPECT_EQ(r.exitCode, 2u) << "'" << bad << "'";
        EXPECT_NE(r.out.find("usage:"), std::string::npos) << "'" << bad << "': " << r.out;
    }
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Arbor"));
}
