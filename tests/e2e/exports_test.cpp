// The DLL as the suite binds it: by file name, then every entry point by name,
// reading the records it hands out in place.
#include <cstdio>
#include <cstring>
#include <cstddef>
#include <iterator>
#include <set>
#include <sstream>

#include "kestrel_test.h"
#include "optora.h"
#include "optora_library.h"
#include "other_process.h"

using namespace optora::test;

namespace {

constexpr const char* kExpectedExports = R"(
    optora_getnotation optora_getprecision optora_getalteration optora_setalteration optora_getgradeoption
    optora_setgradeoption optora_getbroadcastid optora_getbroadcastid_gradeopt optora_getbroadcastalt
    optora_getbroadcastid_cutopt optora_getbroadcastid_plotopt optora_getbroadcastid_orderopt
    optora_getbroadcastid_verifyopt optora_setcutapp optora_getcutapp optora_setplotapp optora_getplotapp
    optora_getcutoptions optora_getplotoptions optora_getorderoptions optora_getverifyoptions
    optora_docutoptions optora_doplotoptions _optora_docutoptions _optora_doplotoptions
    optora_getoptionsettings optora_dopreferences optora_dopreferences_devarea optora_dopreferences_devarea_name
    optora_dopreferences_noarea optora_dogradeoptions _optora_getcutoptions _optora_getplotoptions
    _optora_getorderoptions _optora_getverifyoptions _optora_getoptionsettings _optora_dopreferences
    _optora_getnotation _optora_getprecision _optora_getbroadcastid _optora_getbroadcastid_gradeopt
    _optora_getbroadcastalt _optora_getbroadcastid_cutopt _optora_getbroadcastid_plotopt
    _optora_getbroadcastid_orderopt _optora_getbroadcastid_verifyopt _optora_dogradeoptions
    _optora_getgradeoption _optora_setgradeoption optora_doorderoptions _optora_doorderoptions
    optora_doverifyoptions optora_closeverifyoptions _optora_doverifyoptions)";

std::set<std::string> ExportedNames(HMODULE module) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto* directory = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    std::set<std::string> result;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i) result.insert(reinterpret_cast<const char*>(base + names[i]));
    return result;
}

using IntFn = int (*)();
using RecordFn = void* (*)();

class ExportsTest : public KestrelTest {
protected:
    OptoraLibrary library_;
};

}  // namespace

TEST_F(ExportsTest, ExportsExactlyTheUndecoratedNamesThatBehave) {
    ASSERT_TRUE(library_.Loaded());
    std::istringstream words(kExpectedExports);
    const std::set<std::string> expected{std::istream_iterator<std::string>(words), {}};
    EXPECT_EQ(expected.size(), 54u) << "every entry point the header declares";
    EXPECT_EQ(ExportedNames(GetModuleHandleA("optora.dll")), expected);
}

TEST_F(ExportsTest, UnderscoreTwinsAnswerAsTheirPlainEntryPoints) {
    SetRegionalMeasurement(true);
    StoreText(kArbor, "Precision", "3");
    StoreText("Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions", "Grade Method", "Base Up-Down Incremental");
    for (const char* twin : {"getnotation", "getprecision", "getbroadcastid", "getbroadcastid_gradeopt",
                             "getbroadcastalt", "getbroadcastid_cutopt", "getbroadcastid_plotopt",
                             "getbroadcastid_orderopt", "getbroadcastid_verifyopt", "getgradeoption"}) {
        const std::string plain = std::string("optora_") + twin;
        EXPECT_EQ(library_.Entry<IntFn>(plain.c_str())(), library_.Entry<IntFn>(("_" + plain).c_str())()) << plain;
    }
    EXPECT_EQ(library_.Entry<IntFn>("optora_getgradeoption")(), 2);
    EXPECT_EQ(library_.Entry<IntFn>("optora_getbroadcastid_verifyopt")(),
              static_cast<int>(RegisterWindowMessageA("VerifyStorageAreaChanged")))
        << "the caller's process sees the same identifier";
}

// Each record getter and its twin hand out one record, read afresh whenever
// something changed: a value another process stored before the call shows
// (every time of a thousand), a caller's change does not stay.
TEST_F(ExportsTest, RecordGettersHandOutOneRecordNeverStale) {
    MakeStorageArea("AREA1", {{"data\\rutab.ctl", "RULES1\n"}});  // known to stordb.dll beside the library
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    CommandedProcess writer(Beside("kestrel_writer.exe"));
    ASSERT_TRUE(writer.Started());
    // offset: of the 32-bit field that holds it
    const struct { const char *getter, *path, *name; size_t offset; } cases[] = {
        {"getcutoptions", "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", "DosExtType",
         offsetof(CutOptions_tag, DosExtType)},
        {"getplotoptions", "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS", "PlotDosExtType",
         offsetof(PlotOptions_tag, PlotDosExtType)},
        {"getorderoptions", "Software\\Kestrel\\Arbor\\OrderOptions", "OverwriteMarker",
         offsetof(OrderOptions_tag, OverwriteMarker)},
        {"getoptionsettings", "Software\\Kestrel\\Arbor\\PlotOptions", "DosPlotType",
         offsetof(UserEnvItems_tag, DosPlotType)},
        {"getverifyoptions", kQuillon, "StartingNumber", offsetof(VerifyOptions_tag, StartingNumber)},
    };
    for (const auto& c : cases) {
        const std::string plain = std::string("optora_") + c.getter;
        char* record = static_cast<char*>(library_.Entry<RecordFn>(plain.c_str())());
        ASSERT_NE(record, nullptr) << plain;
        int stale = 0;
        for (int32_t stored = 2; stored < 1002; ++stored) {
            char data[16];
            std::snprintf(data, sizeof data, "%02x%02x0000", stored & 0xFF, stored >> 8);
            ASSERT_EQ(writer.Ask(std::string("set ") + c.path + " " + c.name + " 3 " + data), "ok");
            if (stored % 2) std::memset(record, 0, 4);  // a caller's change does not survive the next call
            EXPECT_EQ(library_.Entry<RecordFn>((stored % 2 ? "_" + plain : plain).c_str())(), record) << plain;
            int32_t field;
            std::memcpy(&field, record + c.offset, sizeof field);
            if (field != stored) ++stale;
        }
        EXPECT_EQ(stale, 0) << plain;
        RegDeleteTreeA(HKEY_CURRENT_USER, c.path);
    }
    const auto* verify = library_.Entry<VerifyOptions_tag* (*)()>("optora_getverifyoptions")();
    EXPECT_STREQ(verify->VerifyStorageArea, "C:AREA1");
}

TEST_F(ExportsTest, ApplicationNamesLiveInTheLibrary) {
    auto setCut = library_.Entry<void (*)(char*)>("optora_setcutapp");
    auto getCut = library_.Entry<char* (*)()>("optora_getcutapp");
    EXPECT_STREQ(getCut(), "");
    char* const buffer = getCut();
    char name[] = "CUTGEN_CUT_OPTIONS";
    setCut(name);
    name[0] = 'X';  // the library keeps its own copy
    EXPECT_STREQ(getCut(), "CUTGEN_CUT_OPTIONS");
    EXPECT_EQ(getCut(), buffer) << "always the same buffer";
    setCut(nullptr);
}

TEST_F(ExportsTest, ZidGetterPlotsIntoItsOwnDirectoryWithoutStoringIt) {
    const auto getPlot = library_.Entry<PlotOptions_tag* (*)()>("optora_getplotoptions");
    const auto setPlotApp = [this](std::string name) { library_.Entry<void (*)(char*)>("optora_setplotapp")(name.data()); };
    setPlotApp("ZID_PLOT_OPTIONS");
    EXPECT_STREQ(getPlot()->DosPlotPath, "C:\\PLOT") << "no PATH: as loaded";
    StoreText("Software\\Kestrel\\ZID", "PATH", "C:\\ZID\\");
    EXPECT_STREQ(getPlot()->DosPlotPath, "C:\\ZID\\lotprint");
    EXPECT_EQ(RequireStored("Software\\Kestrel\\Arbor\\PlotOptions\\ZID_PLOT_OPTIONS", "DosPlotPath").Text(), "C:\\PLOT")
        << "the stored directory stays";
    StoreText("Software\\Kestrel\\ZID", "PATH", std::string(255, 'Z'));
    const PlotOptions_tag* cut = getPlot();
    EXPECT_EQ(std::string(cut->DosPlotPath), std::string(255, 'Z')) << "cut to the field, terminated";
    EXPECT_EQ(cut->DosPlotType, 0) << "the next field untouched";
    setPlotApp("");
    EXPECT_STREQ(getPlot()->DosPlotPath, "C:\\PLOT") << "other applications: no ZID directory";
}

// Loaded twice without stordb.dll: the verify record lives from load to
// unload. Without the database nothing can be judged missing, so an install
// mistake keeps even an area that does not exist.
TEST_F(ExportsTest, TheVerifyRecordLivesWithTheLibraryAndKeepsWhatItCannotJudge) {
    const CopiesApart alone("c:\\optora-without-stordb", {"optora.dll"});
    StoreText(kArbor, "VerifyStorageArea", "C:NOWHERE");
    StoreText(kQuillon, "GradeRule", "RULES1");
    for (int load = 0; load < 2; ++load) {
        OptoraLibrary library(alone / "optora.dll");
        ASSERT_TRUE(library.Loaded());
        const auto* record = library.Entry<VerifyOptions_tag* (*)()>("optora_getverifyoptions")();
        EXPECT_STREQ(record->VerifyStorageArea, "C:NOWHERE") << load;
        EXPECT_STREQ(record->GradeRule.Text, "RULES1") << load;
    }
    EXPECT_EQ(RequireStored(kArbor, "VerifyStorageArea").Text(), "C:NOWHERE");
    EXPECT_EQ(RequireStored(kQuillon, "GradeRule").Text(), "RULES1");
}
