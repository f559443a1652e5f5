// optora-cli as an administrator uses it: output and exit codes.
#include <string>

#include "kestrel_test.h"

using namespace optora::test;

namespace {

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
};

std::string Drain(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got) text.append(buffer, got);
    return text;
}

RunResult RunCli(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&errRead, &errWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    std::string command = "\"" + BesideTestProgram("optora-cli.exe") + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    RunResult result;
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (started) {
        result.out = Drain(outRead);  // small outputs: stdout then stderr cannot deadlock
        result.err = Drain(errRead);
        WaitForSingleObject(process.hProcess, 30000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return result;
}

class CliTest : public KestrelTest {};

}  // namespace

TEST_F(CliTest, ShowPrintsEveryBlockWithCurrentValues) {
    SetRegionalMeasurement(true);
    StoreText("Software\\Kestrel\\Arbor", "Precision", "3");
    const RunResult r = RunCli("show");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_NE(r.out.find("[Preferences]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 (imperial)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Precision                3"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[Alteration]"), std::string::npos) << r.out;
}

TEST_F(CliTest, ShowSelectsTheCutAndPlotVariantsByApplicationName) {
    StoreText("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosCutPath", "G:\\GENCUTS");
    StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "ImageType", "EMF");
    RunResult r = RunCli("show");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_NE(r.out.find("[Cut options]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("DosCutPath               \"C:\\USERROOT\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("[Plot options]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ImageType                \"JPEG\""), std::string::npos) << r.out;

    r = RunCli("show --plotapp MARKERPLOT_PLOT_OPTIONS --cutapp CUTGEN_CUT_OPTIONS");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_NE(r.out.find("DosCutPath               \"G:\\GENCUTS\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ImageType                \"EMF\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Application              \"CUTGEN_CUT_OPTIONS\""), std::string::npos) << r.out;
}

TEST_F(CliTest, ShowPrintsTheOrderAndDigitizeOptions) {
    StoreRaw("Software\\Kestrel\\Arbor\\OrderOptions", "LayruleMethod", REG_BINARY, "\x02", 1);
    StoreText("Software\\Kestrel\\Quillon", "Model", "my model");
    const RunResult r = RunCli("show");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    for (const char* line : {"[Order options]", "SplitPieceSeam           0.375", "2 (Layrule Search Table)",
                             "[Verify options]", "VerifyStorageArea        \"C:DATA70\"", "Model                    \"MY MODEL\"",
                             "CategoryChB              1 (same as piece name)"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
}

TEST_F(CliTest, SetThenGetRoundTripsThroughTheRegistry) {
    RunResult r = RunCli("set alteration -12");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
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
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << "'" << bad << "': " << r.err;
    }
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Arbor"));
}
