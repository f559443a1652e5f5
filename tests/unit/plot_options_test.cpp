#include "options/plot_options.h"
#include "output_test_support.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kMarkerPlot = "Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS";
constexpr const char* kDefaultVariant = "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS";
constexpr const char* kPiecePlot = "Software\\Kestrel\\Arbor\\PlotOptions\\PIECEPLOT_PLOT_OPTIONS";
constexpr const char* kZidPlot = "Software\\Kestrel\\Arbor\\PlotOptions\\ZID_PLOT_OPTIONS";

class PlotOptionsTest : public OutputOptionsTest {
protected:

    static void StoreCompleteSet(const char* key, std::initializer_list<Value> changes = {}) {
        Store(key, {{"DosPlotPath", "D:\\PLOTS"}, {"DefaultPlotQueue", "Q1"}, {"DefaultPlotMedia", "PAPER"},
                    {"ImagePath", "E:\\IMAGES"}, {"ImageType", "BMP"}, {"PlotDosExt", "HPG"}, {"DosPlotType", 1},
                    {"DefaultPlotOutput", 1}, {"AutoPlot", 1}, {"WastePercentage", 1}, {"DecimalYards", 1},
                    {"PlotDosNameFormat", 1}, {"PlotFilenameAppendCnt", 1}, {"PlotDosExtType", 3}});
        Store(key, changes);
        StoreInt32(kArbor, "Bundles_By", 1);
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
    const PlotOptions_tag o = Load();
    ExpectValues(kMarkerPlot,
                 {{"DosPlotPath", o.DosPlotPath, "C:\\PLOT"}, {"ImagePath", o.ImagePath, "C:\\PLOT"},
                  {"ImageType", o.ImageType, "JPEG"}, {"DefaultPlotQueue", o.DefaultPlotQueue, ""},
                  {"DefaultPlotMedia", o.DefaultPlotMedia, ""}, {"PlotDosExt", o.PlotDosExt, "PLT"},
                  {"DosPlotType", o.DosPlotType, 0}, {"DefaultPlotOutput", o.DefaultPlotOutput, 0},
                  {"AutoPlot", o.AutoPlot, 0}, {"WastePercentage", o.WastePercentage, 0},
                  {"DecimalYards", o.DecimalYards, 0}, {"PlotDosNameFormat", o.PlotDosNameFormat, 0},
                  {"PlotDosExtType", o.PlotDosExtType, 0}, {"PlotFilenameAppendCnt", o.PlotFilenameAppendCnt, 0}});
    ExpectValues(kArbor, {{"Bundles_By", o.Bundles_By, 0}});
    ExpectValues(kVelorKey, {{"Bundles_By", 0}});
}

TEST_F(PlotOptionsTest, DeviceFileSuppliesTheDestinationOfAnIncompleteSet) {
    PutDeviceFile("plot_type=2\nplot_dest=D:\\\\PLOTS\ncut_dest=E:\\CUT\n");
    const PlotOptions_tag o = Load();
    ExpectValues(kPlotKey, {{"DosPlotPath", o.DosPlotPath, "D:\\PLOTS"}, {"ImagePath", o.ImagePath, "D:\\PLOTS"},
                            {"DosPlotType", o.DosPlotType, 2}, {"DefaultPlotQueue", o.DefaultPlotQueue, "DOS File"},
                            {"DefaultPlotMedia", o.DefaultPlotMedia, "None"}, {"ImageType", o.ImageType, "JPEG"},
                            {"DefaultPlotOutput", o.DefaultPlotOutput, 0}});
    EXPECT_EQ(DeviceFileBytes(), "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");
}

TEST_F(PlotOptionsTest, AnEmptyStoredQueueMakesTheSetIncomplete) {
    StoreCompleteSet(kDefaultVariant, {{"DefaultPlotQueue", ""}});
    PlotOptions_tag o = Load();
    ExpectValues(kPlotKey, {{"DefaultPlotQueue", o.DefaultPlotQueue, ""},
                            {"DefaultPlotMedia", o.DefaultPlotMedia, "PAPER"}});
    EXPECT_FALSE(DeviceFileExists());

    PutDeviceFile("plot_type=3\nplot_dest=PLOTTER\ncut_dest=E:\\CUT\n");
    o = Load();
    // The file's values as with an empty registry; those it does not supply (AutoPlot) stay as stored.
    ExpectValues(kPlotKey, {{"DefaultPlotQueue", o.DefaultPlotQueue, "DOS File"}, {"DosPlotType", o.DosPlotType, 3},
                            {"ImagePath", o.ImagePath, "C:\\PLOTTER"}, {"AutoPlot", o.AutoPlot, 1}});
    EXPECT_EQ(DeviceFileBytes(), "plot_type=3\nplot_dest=C:\\PLOTTER\ncut_dest=E:\\CUT\n");
}

TEST_F(PlotOptionsTest, BundlesFallBackToTheMarkerEditorsValue) {
    StoreCompleteSet(kDefaultVariant);
    StoreInt32(kVelorKey, "Bundles_By", 2);
    EXPECT_EQ(Load().Bundles_By, 1) << "the general key first";
    ASSERT_EQ(RegDeleteKeyValueA(HKEY_CURRENT_USER, kArbor, "Bundles_By"), ERROR_SUCCESS);
    EXPECT_EQ(Load().Bundles_By, 2);
}

TEST_F(PlotOptionsTest, CompleteSetsAreNotWrittenAndNegativeCountsReadAsZero) {
    const std::string file = "plot_type=3\nplot_dest=X:\\FILE\ncut_dest=E:\\CUT\n";
    // A flag is its first byte.
    StoreCompleteSet(kDefaultVariant, {{"WastePercentage", -1}, {"DecimalYards", -2}, {"PlotDosNameFormat", 256},
                                       {"PlotDosExt", ".HP.GL"}});
    PutDeviceFile(file);
    PlotOptions_tag o = Load();
    ExpectValues(nullptr, {{"WastePercentage", o.WastePercentage, 0}, {"DecimalYards", o.DecimalYards, 0},
                           {"PlotDosNameFormat", o.PlotDosNameFormat, 0}, {"PlotDosExt", o.PlotDosExt, "HPGL"},
                           {"DosPlotPath", o.DosPlotPath, "D:\\PLOTS"}, {"DosPlotType", o.DosPlotType, 1}});
    EXPECT_FALSE(ReadStored(kPlotKey, "DosPlotPath").has_value()) << "nothing was saved";
    EXPECT_FALSE(KeyExists(kVelorKey));
    EXPECT_EQ(DeviceFileBytes(), file);

    Store(kDefaultVariant, {{"PlotDosExt", ""}, {"ImagePath", "E:\\\\IMAGES\\\\"}});  // an empty extension is missing
    LoadPlotOptions(o);
    ExpectValues(kPlotKey, {{"PlotDosExt", o.PlotDosExt, "PLT"}, {"ImagePath", o.ImagePath, "E:\\IMAGES\\"},
                            {"WastePercentage", 0}});
    EXPECT_EQ(DeviceFileBytes(), "plot_type=1\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n") << "the save's update";
}

TEST_F(PlotOptionsTest, PiecePlotAndZidVariantsOverrideStoredValues) {
    StoreCompleteSet(kPiecePlot);
    RegDeleteTreeA(HKEY_CURRENT_USER, kVelorKey);
    PlotAppName().Set("PIECEPLOT_PLOT_OPTIONS");
    PlotOptions_tag o = {};
    LoadPlotOptions(o);
    EXPECT_EQ(o.AutoPlot, 0);
    ExpectValues(kPiecePlot, {{"AutoPlot", 1}});  // a complete set is not written
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kPiecePlot, "AutoPlot");
    LoadPlotOptions(o);
    EXPECT_FALSE(KeyExists(kVelorKey)) << "AutoPlot is never needed for piece plots";

    StoreCompleteSet(kZidPlot, {{"DefaultPlotOutput", 0}, {"PlotDosNameFormat", 0}, {"DosPlotType", 3}});
    PlotAppName().Set("ZID_PLOT_OPTIONS");
    o = Load();
    // The load alone does not apply the ZID directory.
    ExpectValues(nullptr, {{"DefaultPlotOutput", o.DefaultPlotOutput, 1}, {"PlotDosNameFormat", o.PlotDosNameFormat, 1},
                           {"DosPlotType", o.DosPlotType, 0}, {"AutoPlot", o.AutoPlot, 1},
                           {"DosPlotPath", o.DosPlotPath, "D:\\PLOTS"}});
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kZidPlot, "DefaultPlotOutput");
    EXPECT_EQ(Load().DefaultPlotOutput, 0) << "until a value is stored";

    StoreCompleteSet(kDefaultVariant);
    StoreCompleteSet(kMarkerPlot, {{"DosPlotPath", "M:\\MARKERS"}});
    StoreInt32(kZidPlot, "DosPlotType", 3);
    for (const char* other : {"zid_plot_options", "markerplot_plot_options"}) {
        PlotAppName().Set(other);
        EXPECT_EQ(Load().DosPlotType, 1) << "names compare exactly: the default variant";
        SavePlotOptions(Load());
    }
    // Key names ignore case: neither the loads nor the saves wrote there.
    ExpectValues(kZidPlot, {{"DosPlotType", 3}});
    ExpectValues(kMarkerPlot, {{"DosPlotPath", "M:\\MARKERS"}});
}
