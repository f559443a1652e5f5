#include <cstring>
#include <string>

#include "frame/app_names.h"
#include "kestrel_test.h"
#include "options/cut_options.h"
#include "output_test_support.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kCutKey = "Software\\Kestrel\\Arbor\\CutOptions";
constexpr const char* kDefaultVariant = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";

class CutOptionsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        CutAppName().Set("");
    }
    void TearDown() override { CutAppName().Set(""); }

    // A complete, normalised stored set: a load into a record that already
    // holds its directory writes nothing.
    static void StoreCompleteSet(const char* key, const char* path = "D:\\CUTS") {
        StoreText(key, "DosCutPath", path);
        StoreInt32(key, "SaveToStorageArea", 0);
        StoreInt32(key, "Export", 1);
        StoreText(key, "CutFormat", "43format");
        StoreInt32(key, "AutoCut", 1);
        StoreText(key, "CutDefaultParamTbl", "GERBER");
        StoreInt32(key, "DosNameFormat", 1);
        StoreInt32(key, "DosExtType", 2);
        StoreInt32(key, "FilenameAppendCnt", 1);
        StoreText(key, "DosCutExtension", "CUT");
        StoreInt32(kArborKey, "Bundles_By", 1);
    }

    CutOptions_tag Load() {
        CutOptions_tag options = {};
        LoadCutOptions(options);
        return options;
    }
};

}  // namespace

TEST_F(CutOptionsTest, EmptyRegistryGivesTheDefaultsAndStoresThemAll) {
    const CutOptions_tag options = Load();
    EXPECT_STREQ(options.DosCutPath, "C:\\USERROOT");
    EXPECT_STREQ(options.DosCutExtension, "CUT");
    EXPECT_STREQ(options.CutFormat, "42format");
    EXPECT_STREQ(options.CutDefaultParamTbl, "P-CUTTER");
    EXPECT_EQ(options.Export, 0);
    EXPECT_EQ(options.SaveToStorageArea, 1);
    EXPECT_EQ(options.Bundles_By, 0);
    EXPECT_EQ(options.AutoCut, 0);
    EXPECT_EQ(options.DosNameFormat, 0);
    EXPECT_EQ(options.DosExtType, 0);
    EXPECT_EQ(options.FilenameAppendCnt, 0);

    // No application name: the set goes into the CutOptions key itself.
    EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->Text(), "C:\\USERROOT");
    EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadStored(kCutKey, "DosCutExtension")->Text(), "CUT");
    EXPECT_EQ(ReadStored(kCutKey, "CutFormat")->Text(), "42format");
    EXPECT_EQ(ReadStored(kCutKey, "CutDefaultParamTbl")->Text(), "P-CUTTER");
    EXPECT_EQ(ReadStored(kCutKey, "SaveToStorageArea")->bytes, Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ReadStored(kCutKey, "SaveToStorageArea")->type, static_cast<DWORD>(REG_BINARY));
    for (const char* zero : {"Export", "AutoCut", "DosNameFormat", "DosExtType", "FilenameAppendCnt"})
        EXPECT_EQ(ReadStored(kCutKey, zero)->bytes, Bytes({0, 0, 0, 0})) << zero;
    EXPECT_EQ(ReadStored(kArborKey, "Bundles_By")->bytes, Bytes({0, 0, 0, 0}));
    EXPECT_EQ(ReadStored(kVelorKey, "Bundles_By")->bytes, Bytes({0, 0, 0, 0}));
    EXPECT_FALSE(KeyExists(kDefaultVariant)) << "the load's variant is not where the save goes";
    EXPECT_FALSE(DeviceFileExists()) << "the device file is never created";
}

TEST_F(CutOptionsTest, IncompleteSetTakesTheDeviceFileDirectoryAndWritesItBack) {
    PutDeviceFile("plot_type=2\r\nplot_dest=D:\\PLOTS\r\ncut_dest=D:\\\\CUTS\r\n");
    const CutOptions_tag options = Load();
    EXPECT_STREQ(options.DosCutPath, "D:\\CUTS");
    EXPECT_EQ(options.SaveToStorageArea, 1);
    EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->Text(), "D:\\CUTS");
    EXPECT_EQ(DeviceFileBytes(), "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=D:\\CUTS\n")
        << "the plot lines keep what they held";

    // A complete set ignores the file's directory but still keeps the file in step.
    StoreCompleteSet(kDefaultVariant, "F:\\MINE");
    PutDeviceFile("plot_type=1\nplot_dest=D:\\P\ncut_dest=E:\\OTHER\n");
    const CutOptions_tag complete = Load();
    EXPECT_STREQ(complete.DosCutPath, "F:\\MINE");
    EXPECT_EQ(complete.SaveToStorageArea, 0);
    EXPECT_EQ(DeviceFileBytes(), "plot_type=1\nplot_dest=D:\\P\ncut_dest=F:\\MINE\n");
}

TEST_F(CutOptionsTest, StoredDirectoriesAreNormalisedAndSavedBack) {
    const struct {
        const char* stored;
        const char* loaded;
    } cases[] = {
        {"CUTS", "C:\\USERROOTCUTS"},
        {"\\\\SERVER\\CUTS", "C:\\USERROOT\\SERVER\\CUTS"},
        {"", "C:\\USERROOT"},
    };
    for (const auto& c : cases) {
        StoreCompleteSet(kDefaultVariant, c.stored);
        const CutOptions_tag options = Load();
        EXPECT_STREQ(options.DosCutPath, c.loaded) << c.stored;
        EXPECT_EQ(options.SaveToStorageArea, 0) << "a complete set keeps its values";
        EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->Text(), c.loaded) << c.stored;
    }

    // A directory that only fits once cut: stored cut, and stable from then on.
    const std::string longPath(255, 'L');
    CutAppName().Set("CUTGEN_CUT_OPTIONS");  // loads and saves the same key
    StoreCompleteSet("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", longPath.c_str());
    CutOptions_tag options = Load();
    const std::string expected = ("C:\\USERROOT" + longPath).substr(0, 255);
    EXPECT_EQ(std::string(options.DosCutPath), expected);
    const auto stored = ReadStored("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "DosCutPath");
    EXPECT_EQ(stored->Text(), expected);
    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    LoadCutOptions(options);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "the cut directory settles: no second save";
}

TEST_F(CutOptionsTest, ExtensionsFlagsAndIntegersReadInTheirOwnForms) {
    StoreCompleteSet(kDefaultVariant);
    StoreText(kDefaultVariant, "DosCutExtension", ".C.U.T");
    StoreInt32(kDefaultVariant, "AutoCut", 256);
    StoreInt32(kDefaultVariant, "DosNameFormat", 2);
    StoreInt32(kDefaultVariant, "DosExtType", 256);
    StoreRaw(kDefaultVariant, "FilenameAppendCnt", REG_BINARY, "", 0);
    CutOptions_tag options = Load();
    EXPECT_STREQ(options.DosCutExtension, "CUT");
    EXPECT_EQ(options.AutoCut, 0) << "256 has a zero first byte";
    EXPECT_EQ(options.DosNameFormat, 1);
    EXPECT_EQ(options.DosExtType, 256) << "an integer is all four bytes";
    EXPECT_EQ(options.FilenameAppendCnt, 0) << "an empty value is an empty flag";
    EXPECT_EQ(ReadStored(kCutKey, "AutoCut")->bytes, Bytes({0, 0, 0, 0})) << "the flag is stored as read";
    EXPECT_EQ(ReadStored(kCutKey, "DosNameFormat")->bytes, Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ReadStored(kCutKey, "DosCutExtension")->Text(), "CUT");

    StoreText(kDefaultVariant, "DosCutExtension", "");
    StoreText(kDefaultVariant, "CutFormat", std::string(256, 'F'));  // too long to be a text: missing
    options = Load();
    EXPECT_STREQ(options.DosCutExtension, "") << "a stored empty extension stays empty";
    EXPECT_STREQ(options.CutFormat, "42format");
    EXPECT_EQ(options.SaveToStorageArea, 1) << "a missing core value makes the set incomplete";
}

TEST_F(CutOptionsTest, FirstLoadOfARecordSavesAndTheNextDoesNot) {
    StoreCompleteSet(kDefaultVariant);
    PutDeviceFile("plot_type=3\nplot_dest=D:\\P\ncut_dest=E:\\C\n");
    CutOptions_tag options = {};
    LoadCutOptions(options);  // the record held no directory yet
    EXPECT_TRUE(KeyExists(kVelorKey)) << "saved";
    EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->Text(), "D:\\CUTS");
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=D:\\P\ncut_dest=D:\\CUTS\n");

    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    PutDeviceFile("plot_type=3\nplot_dest=D:\\P\ncut_dest=E:\\C\n");
    LoadCutOptions(options);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "nothing changed: nothing written";
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=D:\\P\ncut_dest=E:\\C\n");

    StoreText(kDefaultVariant, "DosCutPath", "G:\\MOVED");  // another program changed it
    LoadCutOptions(options);
    EXPECT_STREQ(options.DosCutPath, "G:\\MOVED");
    EXPECT_TRUE(KeyExists(kVelorKey));
}

TEST_F(CutOptionsTest, VariantsAreReadByNameAndSavedUnderTheNameAsSet) {
    StoreCompleteSet("Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS", "G:\\GEN");
    StoreCompleteSet(kDefaultVariant, "D:\\DEFAULT");
    CutAppName().Set("CUTGEN_CUT_OPTIONS");
    EXPECT_STREQ(Load().DosCutPath, "G:\\GEN");

    for (const char* other : {"XYZ", "cutgen_cut_options"}) {
        CutAppName().Set(other);
        EXPECT_STREQ(Load().DosCutPath, "D:\\DEFAULT") << other;
        const std::string saved = std::string(kCutKey) + "\\" + other;
        EXPECT_EQ(ReadStored(saved.c_str(), "DosCutPath")->Text(), "D:\\DEFAULT") << other;
    }
    EXPECT_FALSE(ReadStored(kCutKey, "DosCutPath").has_value()) << "named saves leave the parent alone";
}

TEST_F(CutOptionsTest, SaveWritesTheRecordAsGivenAndBoundsUnterminatedFields) {
    CutOptions_tag options = {};
    std::memset(options.DosCutPath, 'P', sizeof options.DosCutPath);  // a caller's field with no terminator
    std::strcpy(options.CutFormat, "33format");
    options.Bundles_By = 1;
    options.Export = -5;
    SaveCutOptions(options);
    EXPECT_EQ(ReadStored(kCutKey, "DosCutPath")->Text(), std::string(255, 'P'));
    EXPECT_EQ(ReadStored(kCutKey, "CutFormat")->Text(), "33format");
    EXPECT_EQ(ReadStored(kCutKey, "Export")->Int32(), -5);
    EXPECT_EQ(ReadStored(kArborKey, "Bundles_By")->bytes, Bytes({1, 0, 0, 0}));
    EXPECT_EQ(ReadStored(kVelorKey, "Bundles_By")->bytes, Bytes({1, 0, 0, 0}));
    EXPECT_FALSE(DeviceFileExists());
}

TEST_F(CutOptionsTest, AnyDeviceFileLoadsIntoBoundedFields) {
    PutDeviceFile("plot_type=1\ncut_dest=" + std::string(1500, 'C') + std::string("\0\xff\n", 3));
    const CutOptions_tag options = Load();
    EXPECT_EQ(std::string(options.DosCutPath), ("C:\\" + std::string(1500, 'C')).substr(0, 255));
    EXPECT_EQ(DeviceFileBytes(), "plot_type=1\nplot_dest=C:\\\ncut_dest=" + std::string(options.DosCutPath) + "\n");
}
