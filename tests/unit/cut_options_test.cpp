#include "options/cut_options.h"

#include <atomic>
#include <thread>

#include "output_test_support.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kDefaultVariant = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";
constexpr const char* kCutGen = "Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS";

class CutOptionsTest : public OutputOptionsTest {
protected:

    // A complete, normalised stored set: a load into a record that already
    // holds its directory writes nothing.
    static void StoreCompleteSet(const char* key, const char* path = "D:\\CUTS",
                                 std::initializer_list<Value> changes = {}) {
        Store(key, {{"DosCutPath", path}, {"CutFormat", "43format"}, {"CutDefaultParamTbl", "GERBER"},
                    {"DosCutExtension", "CUT"}, {"Export", 1}, {"AutoCut", 1}, {"DosNameFormat", 1},
                    {"FilenameAppendCnt", 1}, {"SaveToStorageArea", 0}, {"DosExtType", 2}});
        Store(key, changes);
        StoreInt32(kArbor, "Bundles_By", 1);
    }

    static CutOptions_tag Load() {
        CutOptions_tag options = {};
        LoadCutOptions(options);
        return options;
    }
};

}  // namespace

TEST_F(CutOptionsTest, EmptyRegistryGivesTheDefaultsAndStoresThemAll) {
    const CutOptions_tag o = Load();
    // No application name: the set goes into the CutOptions key itself.
    ExpectValues(kCutKey, {{"DosCutPath", o.DosCutPath, "C:\\USERROOT"}, {"DosCutExtension", o.DosCutExtension, "CUT"},
                           {"CutFormat", o.CutFormat, "42format"},
                           {"CutDefaultParamTbl", o.CutDefaultParamTbl, "P-CUTTER"},
                           {"Export", o.Export, 0}, {"SaveToStorageArea", o.SaveToStorageArea, 1},
                           {"AutoCut", o.AutoCut, 0}, {"DosNameFormat", o.DosNameFormat, 0},
                           {"DosExtType", o.DosExtType, 0}, {"FilenameAppendCnt", o.FilenameAppendCnt, 0}});
    ExpectValues(kArbor, {{"Bundles_By", o.Bundles_By, 0}});
    ExpectValues(kVelorKey, {{"Bundles_By", 0}});
    EXPECT_FALSE(KeyExists(kDefaultVariant)) << "the load's variant is not where the save goes";
}

TEST_F(CutOptionsTest, IncompleteSetTakesTheDeviceFileDirectoryAndWritesItBack) {
    PutDeviceFile("plot_type=2\r\nplot_dest=D:\\PLOTS\r\ncut_dest=D:\\\\CUTS\r\n");
    const CutOptions_tag options = Load();
    ExpectValues(kCutKey, {{"DosCutPath", options.DosCutPath, "D:\\CUTS"},
                           {"SaveToStorageArea", options.SaveToStorageArea, 1}});
    // The plot lines keep what they held.
    EXPECT_EQ(DeviceFileBytes(), "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=D:\\CUTS\n");

    // Any file loads into bounded fields.
    PutDeviceFile("plot_type=1\ncut_dest=" + std::string(1500, 'C') + std::string("\0\xff\n", 3));
    const CutOptions_tag bounded = Load();
    EXPECT_EQ(std::string(bounded.DosCutPath), ("C:\\" + std::string(1500, 'C')).substr(0, 255));
    EXPECT_EQ(DeviceFileBytes(), "plot_type=1\nplot_dest=C:\\\ncut_dest=" + std::string(bounded.DosCutPath) + "\n");
}

TEST_F(CutOptionsTest, StoredDirectoriesAreNormalisedAndSavedBack) {
    const std::string longPath(255, 'L'), longLoaded = ("C:\\USERROOT" + longPath).substr(0, 255);
    const struct { const char *stored, *loaded; } cases[] = {
        {"\\\\SERVER\\CUTS", "C:\\USERROOT\\SERVER\\CUTS"}, {longPath.c_str(), longLoaded.c_str()}};
    for (const auto& c : cases) {
        StoreCompleteSet(kDefaultVariant, c.stored);
        const CutOptions_tag options = Load();
        ExpectValues(kCutKey, {{"DosCutPath", options.DosCutPath, c.loaded}});
        EXPECT_EQ(options.SaveToStorageArea, 0) << c.stored << ": a complete set keeps its values";
    }
    // A directory that only fits once cut is stable from then on.
    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    CutAppName().Set("CUTGEN_CUT_OPTIONS");  // loads and saves the same key
    StoreCompleteSet(kCutGen, longLoaded.c_str());
    CutOptions_tag options = {};
    std::strcpy(options.DosCutPath, longLoaded.c_str());
    LoadCutOptions(options);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "the cut directory settles: no second save";
}

TEST_F(CutOptionsTest, ExtensionsFlagsAndIntegersReadInTheirOwnForms) {
    // A flag is its first byte, an integer all four.
    StoreCompleteSet(kDefaultVariant, "D:\\CUTS",
                     {{"DosCutExtension", ".C.U.T"}, {"AutoCut", 256}, {"DosNameFormat", 2}, {"DosExtType", 256}});
    StoreRaw(kDefaultVariant, "FilenameAppendCnt", REG_BINARY, "", 0);
    CutOptions_tag o = Load();
    ExpectValues(kCutKey, {{"DosCutExtension", o.DosCutExtension, "CUT"}, {"AutoCut", o.AutoCut, 0},
                           {"DosNameFormat", o.DosNameFormat, 1}, {"DosExtType", o.DosExtType, 256},
                           {"FilenameAppendCnt", o.FilenameAppendCnt, 0}});

    // A text too long to read is missing.
    Store(kDefaultVariant, {{"DosCutExtension", ""}, {"CutFormat", std::string(256, 'F').c_str()}});
    o = Load();
    EXPECT_STREQ(o.DosCutExtension, "") << "a stored empty extension stays empty";
    EXPECT_STREQ(o.CutFormat, "42format");
    EXPECT_EQ(o.SaveToStorageArea, 1) << "a missing core value makes the set incomplete";
}

TEST_F(CutOptionsTest, FirstLoadOfARecordSavesAndTheNextDoesNot) {
    const std::string file = "plot_type=3\nplot_dest=D:\\P\ncut_dest=E:\\C\n";
    StoreCompleteSet(kDefaultVariant);
    PutDeviceFile(file);
    CutOptions_tag options = {};
    // The record held no directory yet: saved; the file's directory is ignored, the file kept in step.
    LoadCutOptions(options);
    EXPECT_TRUE(KeyExists(kVelorKey));
    EXPECT_EQ(RequireStored(kCutKey, "DosCutPath").Text(), "D:\\CUTS");
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=D:\\P\ncut_dest=D:\\CUTS\n");

    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    PutDeviceFile(file);
    LoadCutOptions(options);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "nothing changed: nothing written";
    EXPECT_EQ(DeviceFileBytes(), file) << "not even a file out of step";

    StoreText(kDefaultVariant, "DosCutPath", "G:\\MOVED");  // another program changed it
    LoadCutOptions(options);
    EXPECT_STREQ(options.DosCutPath, "G:\\MOVED");
    EXPECT_TRUE(KeyExists(kVelorKey));
}

TEST_F(CutOptionsTest, VariantsAreReadByNameAndSavedUnderTheNameAsSet) {
    StoreCompleteSet(kCutGen, "G:\\GEN");
    StoreCompleteSet(kDefaultVariant, "D:\\DEFAULT");
    CutAppName().Set("CUTGEN_CUT_OPTIONS");
    EXPECT_STREQ(Load().DosCutPath, "G:\\GEN");
    // A known name in other case reads the default too, but its key is the
    // known variant's: neither the load nor a save writes there.
    const struct { const char* name; const char* ownKeyHolds; } kOthers[] = {
        {"XYZ", "D:\\DEFAULT"}, {"cutgen_cut_options", "G:\\GEN"}};
    for (const auto& other : kOthers) {
        CutAppName().Set(other.name);
        CutOptions_tag loaded = Load();
        EXPECT_STREQ(loaded.DosCutPath, "D:\\DEFAULT") << other.name;
        SaveCutOptions(loaded);
        ExpectValues((std::string(kCutKey) + "\\" + other.name).c_str(), {{"DosCutPath", other.ownKeyHolds}});
    }
    EXPECT_FALSE(ReadStored(kCutKey, "DosCutPath").has_value()) << "named saves leave the parent alone";
}

// Saves on one thread, loads on another: each load sees one whole save.
TEST_F(CutOptionsTest, ALoadNeverSeesHalfOfASaveOnAnotherThread) {
    CutAppName().Set("CUTGEN_CUT_OPTIONS");
    CutOptions_tag saves[2] = {};
    for (int i = 0; i < 2; ++i) {
        const std::string letter(1, char('A' + i));
        std::strcpy(saves[i].DosCutPath, ("C:\\" + letter).c_str());
        std::strcpy(saves[i].CutDefaultParamTbl, ("P-" + letter).c_str());
        std::strcpy(saves[i].DosCutExtension, letter.c_str());
        std::strcpy(saves[i].CutFormat, "42format");
        saves[i].Export = saves[i].AutoCut = saves[i].DosExtType = i;
    }
    SaveCutOptions(saves[0]);
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int round = 1; !stop; ++round) SaveCutOptions(saves[round % 2]);
    });
    int mixed = 0, loads = 0;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 1500; ++loads) {
        const CutOptions_tag o = Load();
        const int i = o.DosCutPath[3] - 'A';
        if (i < 0 || i > 1 || std::strcmp(o.CutDefaultParamTbl, saves[i].CutDefaultParamTbl) != 0 ||
            std::strcmp(o.DosCutExtension, saves[i].DosCutExtension) != 0 || o.DosExtType != i)
            ++mixed;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(mixed, 0) << "of " << loads << " loads";
}

TEST_F(CutOptionsTest, SaveWritesTheRecordAsGivenAndBoundsUnterminatedFields) {
    CutOptions_tag options = {};
    std::memset(options.DosCutPath, 'P', sizeof options.DosCutPath);  // a caller's field with no terminator
    std::strcpy(options.CutFormat, "33format");
    options.Bundles_By = 1;
    options.Export = -5;
    SaveCutOptions(options);
    ExpectValues(kCutKey, {{"DosCutPath", std::string(255, 'P').c_str()}, {"CutFormat", "33format"}, {"Export", -5}});
    ExpectValues(kArbor, {{"Bundles_By", 1}});
    ExpectValues(kVelorKey, {{"Bundles_By", 1}});
}
