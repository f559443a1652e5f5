#include <cstring>
#include <string>

#include "frame/app_names.h"
#include "kestrel_test.h"
#include "options/plot_options.h"
#include "output_test_support.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kPlotKey = "Software\\Kestrel\\Arbor\\PlotOptions";
constexpr const char* kMarkerPlot = "Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS";
constexpr const char* kDefaultVariant = "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS";

class PlotOptionsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        PlotAppName().Set("");
    }
    void TearDown() override { PlotAppName().Set(""); }

    static void StoreCompleteSet(const char* key) {
        StoreInt32(key, "DosPlotType", 1);
        StoreText(key, "DosPlotPath", "D:\\PLOTS");
        StoreText(key, "DefaultPlotQueue", "Q1");
        StoreText(key, "DefaultPlotMedia", "PAPER");
        StoreInt32(key, "DefaultPlotOutput", 1);
        StoreInt32(key, "AutoPlot", 1);
        StoreText(key, "ImagePath", "E:\\IMAGES");
        StoreText(key, "ImageType", "BMP");
        StoreInt32(key, "WastePercentage", 1);
        StoreInt32(key, "DecimalYards", 1);
        StoreInt32(key, "PlotDosNameFormat", 1);
        StoreInt32(key, "PlotDosExtType", 3);
        StoreText(key, "PlotDosExt", "HPG");
        StoreInt32(key, "PlotFilenameAppendCnt", 1);
        StoreInt32(kArborKey, "Bundles_By", 1);
    }

    static PlotOptions_tag Load() {
        PlotOptions_tag options = {};
        LoadPlotOptions(options);
        return options;
    }
};

}  // namespace

TEST_F(PlotOptionsTest, EmptyRegistryGivesTheDefaultsUnderTheApplicationsVariant) {
    PlotAppName().Set("MARKERPLOT_PLOT_OPTIONS");
    const PlotOptions_tag options = Load();
    EXPECT_STREQ(options.DosPlotPath, "C:\\PLOT");
    EXPECT_STREQ(options.ImagePath, "C:\\PLOT");
    EXPECT_STREQ(options.ImageType, "JPEG");
    EXPECT_STREQ(options.DefaultPlotQueue, "");
    EXPECT_STREQ(options.DefaultPlotMedia, "");
    EXPECT_STREQ(options.PlotDosExt, "PLT");
    for (int value : {options.DosPlotType, options.Bundles_By, options.DefaultPlotOutput, options.AutoPlot,
                      options.WastePercentage, options.DecimalYards, options.PlotDosNameFormat,
                      options.PlotDosExtType, options.PlotFilenameAppendCnt})
        EXPECT_EQ(value, 0);

    EXPECT_EQ(ReadStored(kMarkerPlot, "DosPlotPath")->Text(), "C:\\PLOT");
    EXPECT_EQ(ReadStored(kMarkerPlot, "ImagePath")->Text(), "C:\\PLOT");
    EXPECT_EQ(ReadStored(kMarkerPlot, "ImageType")->Text(), "JPEG");
    EXPECT_EQ(ReadStored(kMarkerPlot, "DefaultPlotQueue")->bytes, Bytes({0}));
    EXPECT_EQ(ReadStored(kMarkerPlot, "PlotDosExt")->Text(), "PLT");
    for (const char* zero : {"DosPlotType", "DefaultPlotOutput", "AutoPlot", "WastePercentage", "DecimalYards",
                             "PlotDosNameFormat", "PlotDosExtType", "PlotFilenameAppendCnt"})
        EXPECT_EQ(ReadStored(kMarkerPlot, zero)->bytes, Bytes({0, 0, 0, 0})) << zero;
    EXPECT_EQ(ReadStored(kArborKey, "Bundles_By")->bytes, Bytes({0, 0, 0, 0}));
    EXPECT_EQ(ReadStored(kVelorKey, "Bundles_By")->bytes, Bytes({0, 0, 0, 0}));
    EXPECT_FALSE(DeviceFileExists());

    PlotAppName().Set("");
    Load();
    EXPECT_EQ(ReadStored(kPlotKey, "DosPlotPath")->Text(), "C:\\PLOT") << "no name: the PlotOptions key itself";
}

TEST_F(PlotOptionsTest, DeviceFileSuppliesTheDestinationOfAnIncompleteSet) {
    PutDeviceFile("plot_type=2\nplot_dest=D:\\\\PLOTS\ncut_dest=E:\\CUT\n");
    const PlotOptions_tag options = Load();
    EXPECT_STREQ(options.DosPlotPath, "D:\\PLOTS");
    EXPECT_STREQ(options.ImagePath, "D:\\PLOTS");
    EXPECT_EQ(options.DosPlotType, 2);
    EXPECT_STREQ(options.DefaultPlotQueue, "DOS File");
    EXPECT_STREQ(options.DefaultPlotMedia, "None");
    EXPECT_EQ(options.DefaultPlotOutput, 0);
    EXPECT_STREQ(options.ImageType, "JPEG");
    EXPECT_EQ(ReadStored(kPlotKey, "DefaultPlotQueue")->Text(), "DOS File");
    EXPECT_EQ(ReadStored(kPlotKey, "DefaultPlotMedia")->Text(), "None");
    EXPECT_EQ(ReadStored(kPlotKey, "DosPlotType")->bytes, Bytes({2, 0, 0, 0}));
    EXPECT_EQ(DeviceFileBytes(), "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");
}

TEST_F(PlotOptionsTest, AnEmptyStoredQueueMakesTheSetIncomplete) {
    StoreCompleteSet(kDefaultVariant);
    StoreText(kDefaultVariant, "DefaultPlotQueue", "");
    PlotOptions_tag options = Load();
    EXPECT_STREQ(options.DefaultPlotQueue, "");
    EXPECT_STREQ(options.DefaultPlotMedia, "PAPER");
    EXPECT_TRUE(ReadStored(kPlotKey, "DefaultPlotQueue").has_value()) << "written back";
    EXPECT_FALSE(DeviceFileExists());

    PutDeviceFile("plot_type=3\nplot_dest=PLOTTER\ncut_dest=E:\\CUT\n");
    options = Load();
    EXPECT_STREQ(options.DefaultPlotQueue, "DOS File");
    EXPECT_STREQ(options.DefaultPlotMedia, "None");
    EXPECT_STREQ(options.DosPlotPath, "C:\\PLOTTER");
    EXPECT_STREQ(options.ImagePath, "C:\\PLOTTER");
    EXPECT_STREQ(options.ImageType, "JPEG");
    EXPECT_EQ(options.DosPlotType, 3);
    EXPECT_EQ(options.DefaultPlotOutput, 0);
    EXPECT_EQ(options.AutoPlot, 1) << "values the file does not supply stay as stored";
    EXPECT_EQ(ReadStored(kPlotKey, "ImagePath")->Text(), "C:\\PLOTTER");
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=C:\\PLOTTER\ncut_dest=E:\\CUT\n");
}

TEST_F(PlotOptionsTest, BundlesFallBackToTheMarkerEditorsValue) {
    StoreCompleteSet(kDefaultVariant);
    HKEY arbor = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kArborKey, 0, KEY_ALL_ACCESS, &arbor), ERROR_SUCCESS);
    RegDeleteValueA(arbor, "Bundles_By");
    RegCloseKey(arbor);
    StoreText(kDefaultVariant, "ImageType", std::string(300, 'T'));  // too long: missing, so the load saves
    StoreInt32(kVelorKey, "Bundles_By", 1);
    const PlotOptions_tag options = Load();
    EXPECT_EQ(options.Bundles_By, 1);
    EXPECT_EQ(ReadStored(kArborKey, "Bundles_By")->bytes, Bytes({1, 0, 0, 0})) << "the save writes both keys";
    EXPECT_EQ(ReadStored(kVelorKey, "Bundles_By")->bytes, Bytes({1, 0, 0, 0}));
}

TEST_F(PlotOptionsTest, CompleteSetsAreNotWrittenAndNegativeCountsReadAsZero) {
    StoreCompleteSet(kDefaultVariant);
    StoreInt32(kDefaultVariant, "WastePercentage", -1);
    StoreInt32(kDefaultVariant, "PlotDosNameFormat", 256);
    StoreText(kDefaultVariant, "PlotDosExt", ".HP.GL");
    PutDeviceFile("plot_type=3\nplot_dest=X:\\FILE\ncut_dest=E:\\CUT\n");
    PlotOptions_tag options = {};
    for (int call = 0; call < 2; ++call) {
        LoadPlotOptions(options);
        EXPECT_EQ(options.WastePercentage, 0);
        EXPECT_EQ(options.DecimalYards, 1);
        EXPECT_EQ(options.PlotDosNameFormat, 0) << "256 has a zero first byte";
        EXPECT_STREQ(options.PlotDosExt, "HPGL");
        EXPECT_STREQ(options.DosPlotPath, "D:\\PLOTS");
        EXPECT_STREQ(options.DefaultPlotQueue, "Q1");
        EXPECT_EQ(options.DosPlotType, 1);
    }
    EXPECT_FALSE(ReadStored(kPlotKey, "DosPlotPath").has_value()) << "nothing was saved";
    EXPECT_FALSE(KeyExists(kVelorKey));
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=X:\\FILE\ncut_dest=E:\\CUT\n");

    StoreText(kDefaultVariant, "PlotDosExt", "");
    StoreText(kDefaultVariant, "ImagePath", "E:\\\\IMAGES\\\\");
    LoadPlotOptions(options);
    EXPECT_STREQ(options.PlotDosExt, "PLT") << "an empty extension counts as missing";
    EXPECT_STREQ(options.ImagePath, "E:\\IMAGES\\");
    EXPECT_EQ(ReadStored(kPlotKey, "ImagePath")->Text(), "E:\\IMAGES\\") << "a normalised value is saved";
    EXPECT_EQ(ReadStored(kPlotKey, "WastePercentage")->bytes, Bytes({0, 0, 0, 0}));
    EXPECT_EQ(DeviceFileBytes(), "plot_type=1\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n") << "the save's update";
}

TEST_F(PlotOptionsTest, PiecePlotAndZidVariantsOverrideStoredValues) {
    const char* piece = "Software\\Kestrel\\Arbor\\PlotOptions\\PIECEPLOT_PLOT_OPTIONS";
    StoreCompleteSet(piece);
    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    PlotAppName().Set("PIECEPLOT_PLOT_OPTIONS");
    PlotOptions_tag options = {};
    LoadPlotOptions(options);
    EXPECT_EQ(options.AutoPlot, 0);
    EXPECT_EQ(ReadStored(piece, "AutoPlot")->bytes, Bytes({1, 0, 0, 0})) << "a complete set is not written";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, piece, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegDeleteValueA(key, "AutoPlot");
    RegCloseKey(key);
    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    LoadPlotOptions(options);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "AutoPlot is never needed for piece plots";

    const char* zid = "Software\\Kestrel\\Arbor\\PlotOptions\\ZID_PLOT_OPTIONS";
    StoreCompleteSet(zid);
    StoreInt32(zid, "DefaultPlotOutput", 0);
    StoreInt32(zid, "PlotDosNameFormat", 0);
    StoreInt32(zid, "DosPlotType", 3);
    PlotAppName().Set("ZID_PLOT_OPTIONS");
    options = Load();
    EXPECT_EQ(options.DefaultPlotOutput, 1);
    EXPECT_EQ(options.PlotDosNameFormat, 1);
    EXPECT_EQ(options.DosPlotType, 0);
    EXPECT_EQ(options.AutoPlot, 1);
    EXPECT_STREQ(options.DosPlotPath, "D:\\PLOTS") << "the load alone does not apply the ZID directory";

    StoreCompleteSet(kDefaultVariant);
    PlotAppName().Set("zid_plot_options");
    EXPECT_EQ(Load().DosPlotType, 1) << "names compare exactly: the default variant";
}

TEST_F(PlotOptionsTest, ZidDirectoryIsCutToTheField) {
    PlotOptions_tag options = {};
    std::strcpy(options.DosPlotPath, "D:\\AS_LOADED");
    StoreText("Software\\Kestrel\\ZID", "PATH", "C:\\ZID\\");
    ApplyZidPlotPath(options);
    EXPECT_STREQ(options.DosPlotPath, "D:\\AS_LOADED") << "only for the ZID application";

    PlotAppName().Set("ZID_PLOT_OPTIONS");
    ApplyZidPlotPath(options);
    EXPECT_STREQ(options.DosPlotPath, "C:\\ZID\\lotprint");

    const std::string longPath(255, 'Z');
    StoreText("Software\\Kestrel\\ZID", "PATH", longPath);
    options.DosPlotType = 0x5A5A5A5A;
    ApplyZidPlotPath(options);
    EXPECT_EQ(std::string(options.DosPlotPath), longPath) << "cut to the field, terminated";
    EXPECT_EQ(options.DosPlotType, 0x5A5A5A5A) << "the next field is untouched";
}
