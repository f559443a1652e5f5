#include <gtest/gtest.h>

#include "settings_check.h"

using namespace optora;
using namespace optora::cli;

namespace {

FileValue Value(const char* name, uint32_t type, std::string data) { return {name, type, std::move(data), 0, {}}; }

std::string Checked(const std::string& text) {
    SettingsFile file;
    if (auto error = ParseSettingsFile(text, file)) return std::to_string(error->line) + ": " + error->message;
    if (auto error = CheckSettingsFile(file)) return std::to_string(error->line) + ": " + error->message;
    std::size_t values = 0;
    for (const FileKey& key : file.keys) values += key.values.size();
    return "ok " + std::to_string(values) + (file.device ? " and the device file" : "");
}

std::string HexText(std::size_t bytes) {  // as hex(1): with no terminator
    std::string hex = "hex(1):39";
    for (std::size_t i = 1; i < bytes; ++i) hex += ",39";
    return hex;
}

}  // namespace

TEST(SettingsFile, WritesWhatTheRegistryEditorReadsAndReadsItBack) {
    SettingsFile file;
    file.keys.push_back({"Software\\Kestrel\\Arbor",
                         {Value("Notation", kTypeText, std::string("1\0", 2)),
                          Value("Device", kTypeText, std::string("D:\\\"q\"\0", 7)),
                          Value("Storage Area", kTypeText, "tab\t" + std::string(30, 'x') + '\0'),  // not quotable
                          Value("VerifyStorageArea", kTypeText, "no terminator"),
                          Value("Alteration", kTypeBinary, std::string("\xfd\xff\xff\xff", 4))},
                         0});
    file.keys.push_back({"Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS",
                         {Value("DosCutPath", kTypeBinary, std::string(40, '\x7f'))},
                         0});
    file.keys.push_back({"Software\\Kestrel\\Quillon", {}, 0});  // nothing stored: left out
    file.device = optora::DeviceDestinations{3, "D:\\PLOTS", "E:\\CUT"};

    const std::string text = FormatSettingsFile(file);
    for (const char* expected : {"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\r\n",
                                 "\"Notation\"=\"1\"\r\n", "\"Device\"=\"D:\\\\\\\"q\\\"\"\r\n",
                                 "\"Alteration\"=hex:fd,ff,ff,ff\r\n",
                                 ",\\\r\n  7f,", ";dosfile:plot_dest=D:\\PLOTS\r\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    std::string wrapped = "\r\n\"Storage Area\"=hex(1):74,61,62,09,";  // the break falls on column 76 exactly
    for (int i = 0; i < 14; ++i) wrapped += "78,";
    EXPECT_NE(text.find(wrapped + "\\\r\n  78,"), std::string::npos) << text;
    EXPECT_EQ(text.find("Quillon"), std::string::npos);

    SettingsFile again;
    ASSERT_FALSE(ParseSettingsFile(text, again)) << text;
    EXPECT_EQ(FormatSettingsFile(again), text) << "read back whole, the device file too";
}

TEST(SettingsFile, AcceptsOnlyWhatTheLibraryWritesAndNamesTheLine) {
    const std::string head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\n";
    const std::pair<std::string, const char*> cases[] = {
        {head + "; a comment\n\"notation\"=\"1\"\n\"Alteration\"=hex:01,\\\n  00,00,00\n", "ok"},
        {head + "\"Device\"=\"" + std::string(255, '9') + "\"\n", "ok"},
        {head + "\"Device\"=" + HexText(255) + "\n", "ok"},
        {head + "\"Device\"=" + HexText(256) + "\n", "4: "},  // its terminator counts
        {head + "; old \"Notation\"=hex:31,\\\n\"Notation\"=\"1\"\n", "ok 1"},  // only values continue
        {"REGEDIT4\n;dosfile:plot_type=1\n;dosfile:plot_dest=C:\\P=hex\\\n;dosfile:cut_dest=C:\\C\n",
         "ok 0 and the device file"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN" + std::string(1, '\0') +
             "EVIL]\n\"Export\"=hex:01,00,00,00\n",
         "2: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\" + std::string(1, '\0') + "]\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_dest=C:\\P\n;dosfile:cut_dest=C:\\C\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_type=1\n;dosfile:plot_dest=C:\\P\n;dosfile:cut_dest=C:\\C\n;dosfile:plot_type=1\n", "5: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\A]B]\n", "2: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\A\"B]\n", "2: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\A\rB]\n", "2: "},
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\PlotOptions\\X]\r\n\"AutoPlot\"=hex(3):01,00,00,00\r\n",
         "ok"},
        {"[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\n", "1: "},
        {"", "1: "},
        {head + "\"Notation\"=\"1\n", "4: "},                                 // cut short
        {head + "\"Alteration\"=hex:01,00,\\\n", "4: "},                      // continued into nothing
        {head + "\"Alteration\"=hex:01,0\n", "4: "},                          // half a byte
        {head + "\"Alteration\"=dword:00000001\n", "4: "},                    // wrong type
        {head + "\"Notation\"=hex:31,00\n", "4: "},                           // wrong type
        {head + "\"Alteration\"=hex:01,00,00\n", "4: "},                      // wrong size
        {head + "\"Device\"=\"" + std::string(256, '9') + "\"\n", "4: "},  // longer than the library reads
        {head + "\"Foreign\"=\"1\"\n", "4: "},
        {head + "@=\"1\"\n", "4: "},
        {head + "\"Notation\"=-\n", "4: "},
        {head + "\"Notation\"=\"a\\nb\"\n", "4: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\ZID]\n", "2: "},
        {"REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Kestrel\\Arbor]\n", "2: "},
        {"REGEDIT4\n[-HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\n", "2: "},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\CutOptions\\A\\B]\n", "2: "},
        {"REGEDIT4\n\"Notation\"=\"1\"\n", "2: "},
        {"REGEDIT4\ngarbage\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_type=1\n;dosfile:plot_dest=C:\\P\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_type=12\n;dosfile:plot_dest=C:\\P\n;dosfile:cut_dest=C:\\C\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_type=1\n;dosfile:plot_dest=P\n;dosfile:cut_dest=C:\\C\n", "2: "},
        {"REGEDIT4\n;dosfile:plot_type=1\n;dosfile:plot_dest=C:\\P\n;dosfile:cut_dest=C:\\C\n", "ok"},
    };
    for (const auto& [text, expected] : cases) {
        const std::string result = Checked(text);
        EXPECT_EQ(result.substr(0, std::string(expected).size()), expected) << text << "\n-> " << result;
    }
}

TEST(OwnedValues, TakeWhatSomePartOfTheLibraryStoresAndNothingElse) {
    const std::string arbor = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor]\n";
    const std::string plot = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\PlotOptions\\A]\n";
    const std::string order = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Arbor\\OrderOptions]\n";
    const std::string grade = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions]\n";
    const std::string quillon = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\Kestrel\\Quillon]\n";
    const std::pair<std::string, bool> cases[] = {
        // What dialogs save with nothing chosen, or the repairing loads write, stays importable.
        {arbor + "\"Precision\"=\"-1\"", true}, {arbor + "\"Precision\"=\"3\"", true}, {arbor + "\"Notation\"=\"-1\"", true},
        {grade + "\"Grade Method\"=\"\"", true}, {grade + "\"Grade Method\"=\"Base Up-Down Cumulative\"", true},
        {arbor + "\"Alteration\"=hex:00,00,00,80", true}, {plot + "\"DosPlotType\"=hex:09,00,00,00", true},
        {order + "\"LayruleMethod\"=hex:ff", true}, {order + "\"SplitPieceSeam\"=hex:00,00,00,00,00,00,d8,3f", true},
        {quillon + "\"StartingNumber\"=hex:0f,27,00,00", true}, {quillon + "\"Size\"=\"123456\"", true},
        {arbor + "\"Precision\"=\"4\"", false}, {arbor + "\"Precision\"=\"+1\"", false}, {arbor + "\"Precision\"=\"\"", false},
        {arbor + "\"Notation\"=\"2\"", false}, {grade + "\"Grade Method\"=\"base up-down cumulative\"", false},
        {plot + "\"WastePercentage\"=hex:ff,ff,ff,ff", false}, {plot + "\"DosPlotType\"=hex:0a,00,00,00", false},
        {order + "\"LayruleMethod\"=hex:03", false}, {order + "\"SplitPieceSeam\"=hex:00,00,00,00,00,00,f8,7f", false},
        {quillon + "\"StartingNumber\"=hex:10,27,00,00", false}, {quillon + "\"Size\"=\"1234567\"", false},
    };
    for (const auto& [text, storable] : cases)
        EXPECT_EQ(Checked(text + "\n").substr(0, 2), storable ? "ok" : "3:") << text;
}
