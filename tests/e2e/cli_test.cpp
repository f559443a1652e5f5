// optora-cli as an administrator uses it: output and exit codes.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "kestrel_test.h"
#include "listener.h"
#include "other_process.h"
#include "policy_values.h"

using namespace optora::test;

namespace {

// The program with its standard output and error in files of its own; one
// that still runs (the monitor) is stopped with the object.
class Cli {
public:
    explicit Cli(const std::string& arguments, const std::string& program = BesideTestProgram("optora-cli.exe"))
        : base_(NextBase()), process_("\"" + program + "\" " + arguments, base_ + ".out", base_ + ".err") {}
    ~Cli() {
        if (process_.Started()) TerminateProcess(process_.Handle(), 0);
        std::error_code ignored;  // opened with delete sharing: they go once the program lets go
        for (const char* tail : {".out", ".err"}) std::filesystem::remove(base_ + tail, ignored);
    }
    bool Started() const { return process_.Started(); }
    DWORD ExitCode() const { return process_.Wait(); }
    std::string Out() const { return ReadWhole(base_ + ".out"); }
    std::string Err() const { return ReadWhole(base_ + ".err"); }

private:
    static std::string NextBase() {
        static int runs = 0;
        return (std::filesystem::temp_directory_path() / "optora-cli-").string() +
               std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    }
    std::string base_;
    Process process_;
};

struct RunResult { DWORD exitCode; std::string out, err; };

// A loaded Wine session has once lost a start outright (no exit code, not a
// byte written); that is tried once more, and said, rather than failed.
RunResult RunCli(const std::string& arguments, const std::string& program = BesideTestProgram("optora-cli.exe")) {
    for (int attempt = 1;; ++attempt) {
        const Cli cli(arguments, program);
        RunResult r{cli.ExitCode(), cli.Out(), cli.Err()};
        if (r.exitCode != Process::kNoEnd || !r.out.empty() || !r.err.empty() || attempt == 2) return r;
        std::printf("optora-cli %s: lost its start (started: %d); once more\n", arguments.c_str(), cli.Started());
    }
}

// A settings file of the test's own, gone when it ends.
class CliTest : public KestrelTest {
protected:
    void TearDown() override { std::filesystem::remove(file_); }
    const std::string file_ = (std::filesystem::temp_directory_path() / "optora-settings.reg").string();
    const std::string import_ = "import \"" + file_ + "\"", export_ = "export \"" + file_ + "\"";
};

// Every key and value under the suite's root, and the device file.
std::map<std::string, std::string> Everything() {
    auto all = RegistryTree("Software\\Kestrel");
    all["dosfile"] = ReadWhole("c:\\userroot\\system\\state\\dosfile.cfg");
    return all;
}

// A user whose every set is stored, some of it by hand, beside a device file.
void StoreEverySet() {
    WriteWhole("c:\\userroot\\system\\state\\dosfile.cfg", "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUTS\n");
    StoreText("Software\\Kestrel\\Arbor", "Foreign", "not ours");
    StoreText("Software\\Kestrel\\Arbor", "Storage Area", "DATA71");
    StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "PlotDosExt", "P\"\\Q");
    StoreRaw("Software\\Kestrel\\Quillon", "Size", REG_SZ, "M\tL", 3);  // no terminator
    for (const char* step : {"set precision 3", "set notation 1", "set alteration -7", "set gradeoption 2",
                             "show --cutapp CUTGEN_CUT_OPTIONS --plotapp MARKERPLOT_PLOT_OPTIONS", "show"})
        ASSERT_EQ(RunCli(step).exitCode, 0u) << step;
}

std::vector<std::string> Names(const std::vector<ReceivedMessage>& received) {
    std::vector<std::string> names;
    for (const ReceivedMessage& message : received) names.push_back(message.name);
    return names;
}

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
    RunResult r;
    for (const auto& [arguments, lines] : runs) {
        r = RunCli(arguments);
        EXPECT_EQ(r.exitCode, 0u) << r.err;
        for (const char* line : lines) EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    }
    EXPECT_EQ(r.out.find("stordb.dll"), std::string::npos) << "the database is beside the library";

    // An install that lacks the database says so.
    const CopiesApart alone("optora-cli-without-stordb", {"optora-cli.exe", "optora.dll"});
    const RunResult lone = RunCli("show", alone / "optora-cli.exe");
    EXPECT_EQ(lone.exitCode, 0u) << lone.err;
    EXPECT_NE(lone.out.find("storage-area database (stordb.dll) not found"), std::string::npos) << lone.out;
}

TEST_F(CliTest, SetThenGetRoundTripsThroughTheRegistry) {
    ASSERT_EQ(RunCli("set alteration -12").exitCode, 0u);  // where it is stored: the monitor test
    const RunResult r = RunCli("get alteration");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.out.substr(0, r.out.find_first_of("\r\n")), "-12");

    EXPECT_EQ(RunCli("set gradeoption 2").exitCode, 0u);
    EXPECT_NE(RunCli("show").out.find("Grade method             2 (Base Up-Down Incremental)"), std::string::npos);
}

TEST_F(CliTest, DescribeListsEachSetsValuesAndItsMarkdownIsTheCommittedPage) {
    const RunResult cut = RunCli("describe cut");
    ASSERT_EQ(cut.exitCode, 0u) << cut.err;
    for (const char* line : {"Software\\Kestrel\\Arbor\\CutOptions\\APPLICATION \"DosExtType\"\n",
                             "REG_BINARY, 4 bytes; default 0; allowed -1 to 3\n",
                             "Software\\Kestrel\\Velor\\Settings \"Bundles_By\"\n",
                             "policy: choice list, REG_DWORD at Software\\Policies\\Kestrel\\Arbor\\CutOptions\n",
                             "policy: not offered: a copy written with the one under Arbor and never read\n"})
        EXPECT_NE(cut.out.find(line), std::string::npos) << line << cut.out;
    EXPECT_EQ(cut.out.find("Precision"), std::string::npos) << "another set's value";
    EXPECT_NE(RunCli("describe").out.find("Precision: decimal places shown for lengths"), std::string::npos);

    const std::string page = ReadWhole("Z:" OPTORA_SOURCE_DIR "/docs/settings.md");
    ASSERT_FALSE(page.empty());
    EXPECT_EQ(RunCli("describe --markdown").out, page)
        << "docs/settings.md is out of date: optora-cli describe --markdown > docs/settings.md";

    const std::filesystem::path templates = std::filesystem::temp_directory_path() / "optora-admx";
    std::filesystem::remove_all(templates);
    ASSERT_EQ(RunCli("admx \"" + templates.string() + "\"").exitCode, 0u);
    for (const char* file : {"optora.admx", "en-US\\optora.adml", "de-DE\\optora.adml"})
        EXPECT_NE(ReadWhole((templates / file).string()).find("</policyDefinition"), std::string::npos) << file;
    std::filesystem::remove_all(templates);
}

TEST_F(CliTest, MistakesExitWithTwoAndChangeNothing) {
    for (const char* bad : {"", "frobnicate", "get", "get nosuch", "set alteration", "set alteration 1x",
                            "set alteration 99999999999", "set notation x", "reset nosuch", "import",
                            "export a b", "monitor x", "show extra", "show --cutapp",
                            "show --plotapp A --cutapp", "show --nosuch A", "show --cutapp A extra", "describe nosuch",
                            "describe --markdown --markdown", "describe cut plot", "admx", "admx a b"}) {
        const RunResult r = RunCli(bad);
        EXPECT_EQ(r.exitCode, 2u) << "'" << bad << "'";
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << "'" << bad << "': " << r.err;
    }
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Arbor"));
}

TEST_F(CliTest, ExportResetImportLeavesEverythingAsItWas) {
    StoreEverySet();
    const auto before = Everything();
    RunResult r = RunCli(export_);
    ASSERT_EQ(r.exitCode, 0u) << r.err;
    const std::string text = ReadWhole(file_);
    EXPECT_EQ(text, RunCli("export").out);
    EXPECT_EQ(text.find("Foreign"), std::string::npos);
    EXPECT_NE(text.find(";dosfile:cut_dest=E:\\CUTS\r\n"), std::string::npos) << text;

    Listener listener;
    ASSERT_TRUE(listener.Started());
    r = RunCli("reset");
    ASSERT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_FALSE(ReadStored("Software\\Kestrel\\Arbor", "Precision"));
    EXPECT_EQ(ReadStored("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosCutPath")->Text(), "E:\\CUTS")
        << "written back by the repairing load, from the device file";
    EXPECT_EQ(ReadStored("Software\\Kestrel\\Arbor", "Foreign")->Text(), "not ours");
    const std::vector<std::string> all = {"PreferencesChanged", "GradeOptionsChanged", "AlterationPreferenceChanged",
                                          "CutOptionsChanged",  "PlotOptionsChanged",  "OrderOptionsChanged",
                                          "VerifyStorageAreaChanged"};
    EXPECT_EQ(Names(listener.Received()), all);

    r = RunCli(import_);
    ASSERT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_EQ(Everything(), before);
    // The order options were stored as their defaults: importing them again changes nothing.
    std::vector<std::string> both = all;
    for (const std::string& name : all)
        if (name != "OrderOptionsChanged") both.push_back(name);
    EXPECT_EQ(Names(listener.Received()), both);
}

TEST_F(CliTest, ImportRefusesForeignKeysWrongTypesAndCutLinesWholesale) {
    StoreEverySet();
    ASSERT_EQ(RunCli("set precision 1").exitCode, 0u);  // the file's values differ from what is stored
    const std::string good = RunCli("export").out;
    ASSERT_EQ(RunCli("set precision 3").exitCode, 0u);
    const auto before = Everything();
    const int lastLine = static_cast<int>(std::count(good.begin(), good.end(), '\n')) + 1;
    const std::string cutKey = "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\";
    std::string unterminated = "hex(1):39";  // 256 bytes and no room for the terminator
    for (int i = 1; i < 256; ++i) unterminated += ",39";
    for (const std::string& bad : std::vector<std::string>{"[HKEY_CURRENT_USER\\Software\\Kestrel\\ZID]\r\n\"PATH\"=\"C:\\\\\"\r\n",
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Alteration\"=dword:00000001\r\n",
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Notation\"=\"1",
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Device\"=" + unterminated + "\r\n",
                                  cutKey + "CUTGEN" + '\0' + "EVIL]\r\n\"Export\"=hex:01,00,00,00\r\n",
                                  cutKey + '\0' + "]\r\n\"Export\"=hex:01,00,00,00\r\n",
                                  // Well formed, but nothing in the library stores these values there.
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Precision\"=\"9\"\r\n",
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\PlotOptions\\X]\r\n"
                                  "\"WastePercentage\"=hex:ff,ff,ff,ff\r\n",
                                  "[HKEY_CURRENT_USER\\Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions]\r\n"
                                  "\"Grade Method\"=\"Base\"\r\n"}) {
        WriteWhole(file_, good + bad);
        const RunResult r = RunCli(import_);
        EXPECT_EQ(r.exitCode, 1u) << bad;
        const bool keyLine = bad.find("ZID") != std::string::npos || bad.find('\0') != std::string::npos;
        const int line = keyLine ? lastLine : lastLine + 1;
        EXPECT_NE(r.err.find(".reg:" + std::to_string(line) + ":"), std::string::npos) << r.err;
        EXPECT_EQ(Everything(), before) << bad;
    }
    WriteWhole(file_, "REGEDIT4\r\n" + cutKey + "NEWAPP]\r\n");
    EXPECT_EQ(RunCli(import_).exitCode, 0u);
    EXPECT_EQ(Everything(), before) << "a key line without values creates no key";
    EXPECT_EQ(RunCli("set notation 2").exitCode, 1u);
    EXPECT_EQ(RunCli("import c:\\no\\such.reg").exitCode, 1u);
}

// Whatever import takes, export writes back so that importing that changes nothing.
TEST_F(CliTest, WhatImportTakesExportWritesBackUnchanged) {
    WriteWhole("c:\\userroot\\system\\state\\dosfile.cfg", "plot_type=1\nplot_dest=C:\\P\ncut_dest=C:\\C\n");
    std::string longest = "hex(1):39";  // no terminator, and just room for one
    for (int i = 1; i < 255; ++i) longest += ",39";
    const std::string arbor = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n";
    // Each with the messages its first import sends; importing it again sends none.
    const std::pair<std::string, std::vector<std::string>> corpus[] = {
        {arbor + "\"Device\"=" + longest + "\r\n", {}},
        {arbor + "\"Storage Area\"=hex(1):74,61,62,09,00\r\n; old \"Device\"=hex:41,\\\r\n\"Alteration\"=hex:01,\\\r\n  00,00,00\r\n",
         {"AlterationPreferenceChanged"}},
        {"REGEDIT4\r\n;dosfile:plot_type=2\r\n;dosfile:plot_dest=C:\\P=hex\\\r\n;dosfile:cut_dest=D:\\CUTS\r\n",
         {"CutOptionsChanged", "PlotOptionsChanged"}},
    };
    Listener listener;
    ASSERT_TRUE(listener.Started());
    std::size_t heard = 0;
    for (const auto& [text, told] : corpus) {
        WriteWhole(file_, text);
        ASSERT_EQ(RunCli(import_).exitCode, 0u) << text;
        const std::vector<std::string> names = Names(listener.Received());
        EXPECT_EQ(std::vector<std::string>(names.begin() + heard, names.end()), told) << text;
        heard = names.size();
        const auto imported = Everything();
        ASSERT_EQ(RunCli(export_).exitCode, 0u);
        EXPECT_EQ(RunCli(import_).exitCode, 0u);
        EXPECT_EQ(Everything(), imported) << text;
    }
}

TEST_F(CliTest, StoredValuesImportWouldRefuseTravelAsCommentsAndTheRoundTripHolds) {
    StoreEverySet();
    StoreText("Software\\Kestrel\\Arbor", "Precision", "9");
    StoreInt32("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "WastePercentage", -1);
    const DWORD dword = 1;  // the library stores 4-byte binary
    StoreRaw("Software\\Kestrel\\Arbor\\OrderOptions", "OverwriteMarker", REG_DWORD, &dword, sizeof dword);
    // Legal names no key line can carry, as any program may create them.
    const std::string cut = "Software\\Kestrel\\Arbor\\CutOptions\\";
    const std::pair<std::string, std::string> oddKeys[] = {{"TWO\r\nLINES", "TWO<0d><0a>LINES"}, {"A]B", "A]B"}, {"A\"B", "A\"B"}};
    for (const auto& [name, shown] : oddKeys) StoreText((cut + name).c_str(), "DosCutPath", "C:\\ODD");
    const auto before = Everything();
    const RunResult exported = RunCli("export");
    ASSERT_EQ(exported.exitCode, 0u) << exported.err;
    for (const char* comment : {"; left out (\"Precision\" holds \"9\", which no part of the library stores there "
                                "(-1 to 3)): \"Precision\"=\"9\"\r\n",
                                "): \"WastePercentage\"=hex:ff,ff,ff,ff\r\n", "): \"OverwriteMarker\"=hex(4):01,00,00,00\r\n"})
        EXPECT_NE(exported.out.find(comment), std::string::npos) << comment << "\n" << exported.out;
    EXPECT_NE(exported.err.find("left out Software\\Kestrel\\Arbor\\Precision"), std::string::npos) << exported.err;
    for (const auto& [name, shown] : oddKeys) {
        EXPECT_NE(exported.out.find(" in the key name): [HKEY_CURRENT_USER\\" + cut + shown + "]\r\n; \"DosCutPath\"=\"C:\\\\ODD\"\r\n"),
                  std::string::npos) << shown << "\n" << exported.out;
        EXPECT_NE(exported.err.find("left out " + cut + shown + ": "), std::string::npos) << shown << "\n" << exported.err;
    }

    WriteWhole(file_, exported.out);
    const RunResult imported = RunCli(import_);
    EXPECT_EQ(imported.exitCode, 0u) << imported.err;
    EXPECT_EQ(Everything(), before);
}

TEST_F(CliTest, MonitorReportsMessagesAndChangesMadeByOtherProcesses) {
    const Cli monitor("monitor");
    ASSERT_TRUE(monitor.Started());
    std::string seen;
    const auto waitFor = [&](const std::string& text) {
        for (const DWORD end = GetTickCount() + 20000; seen.find(text) == std::string::npos && GetTickCount() < end;
             Sleep(20))
            seen = monitor.Out();
        return seen.find(text) != std::string::npos;
    };
    EXPECT_TRUE(waitFor("monitoring")) << seen;
    StoreText("Software\\Kestrel\\Arbor", "Precision", "1");  // as the registry editor would
    EXPECT_TRUE(waitFor("registry  Software\\Kestrel\\Arbor\\Precision  (none) -> \"1\"")) << seen;
    ASSERT_EQ(RunCli("set alteration 4").exitCode, 0u);
    EXPECT_TRUE(waitFor("message   AlterationPreferenceChanged  wParam=0  lParam=0")) << seen;
    EXPECT_TRUE(waitFor("Software\\Kestrel\\Arbor\\Alteration  (none) -> hex:04,00,00,00")) << seen;
    ASSERT_EQ(RunCli("set precision 0").exitCode, 0u);  // as the Preference dialog stores and announces it
    EXPECT_TRUE(waitFor("message   PreferencesChanged  wParam=0  lParam=0")) << seen;
    EXPECT_TRUE(waitFor("Arbor\\Precision  \"1\" -> \"0\"")) << seen;
    SetPolicyDword({true, false, "Arbor"}, "Precision", 2);  // the machine's tree did not exist before
    EXPECT_TRUE(waitFor("policy    HKLM\\Software\\Policies\\Kestrel\\Arbor \"Precision\"  (none) -> dword:00000002"))
        << seen;
}

TEST_F(CliTest, PolicyListsEveryPolicyValueWithWhetherItAppliesAndWhyNot) {
    const RunResult none = RunCli("policy");
    EXPECT_EQ(none.exitCode, 0u);
    EXPECT_EQ(none.out, "No policy is set.\r\n");

    const PolicyPlace machine{true, false, "Arbor"};
    StoreText(kArbor, "Precision", "3");
    StoreText(kQuillon, "Prefix", "MINE");
    StoreText("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosCutPath", "E:\\OWN");
    SetPolicyDword(machine, "Precision", 2);
    SetPolicyDword({false, false, "Arbor"}, "Precision", 1);
    SetPolicy(machine, "Notation", REG_BINARY, std::string(1, '\1'));
    SetPolicyDword({true, false, "Arbor\\OrderOptions"}, "OverwriteMarker", 7);
    SetPolicyDword(machine, "Nonsense", 1);
    SetPolicyText({true, false, "Elsewhere"}, "Thing", "x");
    SetPolicyText({false, true, "Quillon"}, "Prefix", "ADVISED");
    SetPolicyText({true, false, "Arbor\\CutOptions"}, "DosCutPath", "P:\\CUTS");
    const std::string tree = "Software\\Policies\\Kestrel\\";
    const std::pair<std::string, std::vector<std::string>> blocks[] = {
        {"HKLM\\" + tree + "Arbor \"Precision\"",
         {"source       machine mandatory", "set to       dword:00000002", "effective    \"2\"", "user's own   \"3\"",
          "status       applied"}},
        {"HKCU\\" + tree + "Arbor \"Precision\"",
         {"user mandatory", "status       not applied: machine mandatory decides"}},
        {"HKLM\\" + tree + "Arbor \"Notation\"", {"set to       hex:01", "status       not applied: wrong type"}},
        {"HKLM\\" + tree + "Arbor\\OrderOptions \"OverwriteMarker\"", {"status       not applied: out of range"}},
        {"HKLM\\" + tree + "Arbor \"Nonsense\"", {"status       not applied: unknown value name"}},
        {"HKLM\\" + tree + "Elsewhere \"Thing\"", {"status       not applied: a key the library does not own"}},
        {"HKCU\\" + tree + "Recommended\\Quillon \"Prefix\"",
         {"user recommended", "effective    \"MINE\"", "status       not applied: the user's own value decides"}},
        {"HKLM\\" + tree + "Arbor\\CutOptions \"DosCutPath\"",
         {"effective    CUTGEN_CUT_OPTIONS: \"P:\\CUTS\"", "any other application: \"P:\\CUTS\"",
          "user's own   CUTGEN_CUT_OPTIONS: \"E:\\OWN\"", "status       applied"}},
    };
    const RunResult r = RunCli("policy");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    std::string out = r.out + "\n";  // every block ends in an empty line
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
    for (const auto& [location, lines] : blocks) {
        const std::size_t start = out.find(location + "\n");
        ASSERT_NE(start, std::string::npos) << location << "\n" << out;
        const std::string block = out.substr(start, out.find("\n\n", start) + 1 - start);
        for (const std::string& line : lines)
            EXPECT_NE(block.find("  " + line + "\n"), std::string::npos) << line << "\n" << block;
    }
}

TEST_F(CliTest, PolicyListsEveryOfferedPolicyAsApplied) {
    const std::size_t offered = SetEveryOfferedPolicy().size();
    const RunResult r = RunCli("policy");
    ASSERT_EQ(r.exitCode, 0u) << r.err;
    std::size_t applied = 0;
    for (std::size_t at = 0; (at = r.out.find("status       applied", at)) != std::string::npos; ++at) ++applied;
    EXPECT_EQ(applied, offered) << r.out;
    EXPECT_EQ(r.out.find("not applied"), std::string::npos) << r.out;
}

TEST_F(CliTest, LockedValuesAreShownAsSuchAndLeftAloneBySetImportExportAndReset) {
    const char* gradeKey = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
    StoreText(kArbor, "Precision", "3");
    // The user's own tree, so that the policy keys can be compared whole.
    SetPolicyDword({false, false, "Arbor"}, "Precision", 2);
    SetPolicyText({false, false, "Marlow 2000\\RuleTable\\GradeOptions"}, "Grade Method", "Base Up-Down Cumulative");
    SetPolicyText({false, false, "Quillon"}, "Prefix", "POL");
    const auto policies = RegistryTree("Software\\Policies\\Kestrel");
    const RunResult shown = RunCli("show");  // its loads write the sets' defaults: before the comparison
    for (const char* line : {"Precision                2 (locked by policy)\r\n",
                             "Notation                 0 (metric)\r\n",
                             "Grade method             1 (Base Up-Down Cumulative) (locked by policy)\r\n",
                             "Prefix                   \"POL\" (locked by policy)\r\n",
                             "Model                    \"\"\r\n"})
        EXPECT_NE(shown.out.find(line), std::string::npos) << line << shown.out;
    const auto before = Everything();
    Listener listener;
    ASSERT_TRUE(listener.Started());
    for (const char* set : {"set precision 1", "set gradeoption 2"}) {
        const RunResult r = RunCli(set);
        EXPECT_EQ(r.exitCode, 1u) << set;
        EXPECT_NE(r.err.find("locked by policy (HKCU\\Software\\Policies\\Kestrel\\"), std::string::npos) << r.err;
    }
    const RunResult exported = RunCli("export");
    EXPECT_NE(exported.out.find("\"Precision\"=\"3\""), std::string::npos) << exported.out;
    for (const char* policyValue : {"POL", "Base Up-Down", "Precision\"=\"2"})
        EXPECT_EQ(exported.out.find(policyValue), std::string::npos) << policyValue << "\n" << exported.out;
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(Names(listener.Received()), std::vector<std::string>{});

    WriteWhole(file_,
               "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n\"Precision\"=\"1\"\r\n\"Notation\"=\"1\"\r\n");
    RunResult r = RunCli(import_);
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_EQ(r.err,
              "optora-cli: left alone, locked by policy: HKCU\\Software\\Policies\\Kestrel\\Arbor \"Precision\"\r\n");
    EXPECT_EQ(StoredText(kArbor, "Precision"), "3");
    EXPECT_EQ(StoredText(kArbor, "Notation"), "1");

    r = RunCli("reset");
    EXPECT_EQ(r.exitCode, 0u) << r.err;
    EXPECT_FALSE(ReadStored(kArbor, "Precision"));
    EXPECT_FALSE(ReadStored(gradeKey, "Grade Method")) << "a repair writes no default over a locked value";
    EXPECT_EQ(RegistryTree("Software\\Policies\\Kestrel"), policies);
}
