// Getters repair a stored set once; after that, in every state, they write
// nothing at all, while a real change still reaches the registry and file.
#include <functional>

#include "options/cut_options.h"
#include "options/field_copy.h"
#include "options/order_options.h"
#include "options/plot_options.h"
#include "options/verify_options.h"
#include "output_test_support.h"
#include "store/registry_key.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kDevice = "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n";
constexpr const char* kMarkerPlot = "Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS";

// The records the library holds, alive across calls as in a process.
struct Records {
    CutOptions_tag cut = {};
    PlotOptions_tag plot = {};
    OrderOptions_tag order = {};
    VerifyOptions verify;

    void LoadAll() {
        LoadCutOptions(cut);
        LoadPlotOptions(plot);
        LoadOrderOptions(order);
        RefreshVerifyOptions(verify);
    }
};

struct Writes {
    unsigned long registry = RegistryKey::WritesMade();
    unsigned long file = DeviceFileWritesMade();
    unsigned long RegistrySince() const { return RegistryKey::WritesMade() - registry; }
    unsigned long FileSince() const { return DeviceFileWritesMade() - file; }
};

class QuietSavesTest : public OutputOptionsTest {};

}  // namespace

TEST_F(QuietSavesTest, RepeatedLoadsWriteNothingInAnyState) {
    const struct { const char *state, *cutApp, *plotApp; bool deviceFile, emptyQueue; } kStates[] = {
        {"fresh user, no names", "", "", false, false},
        {"no names, device file", "", "", true, false},
        {"named applications", "CUTGEN_CUT_OPTIONS", "MARKERPLOT_PLOT_OPTIONS", false, false},
        {"named applications, device file", "CUTPLOT_CUT_OPTIONS", "MARKERPLOT_PLOT_OPTIONS", true, false},
        {"empty stored queue", "", "MARKERPLOT_PLOT_OPTIONS", false, true},
        {"empty stored queue, device file", "", "MARKERPLOT_PLOT_OPTIONS", true, true},
        {"unknown names", "MINE", "ZID_PLOT_OPTIONS", true, false},
    };
    for (const auto& s : kStates) {
        SCOPED_TRACE(s.state);
        KestrelTest::SetUp();
        CutAppName().Set(s.cutApp);
        PlotAppName().Set(s.plotApp);
        if (s.deviceFile) PutDeviceFile(kDevice);
        if (s.emptyQueue) StoreText(kMarkerPlot, "DefaultPlotQueue", "");

        Records records;
        const Writes first;
        records.LoadAll();
        EXPECT_GT(first.RegistrySince(), 0u) << "the first load repairs the stored sets";

        const Writes repeated;
        for (int call = 0; call < 3; ++call) records.LoadAll();
        EXPECT_EQ(repeated.RegistrySince(), 0u);
        EXPECT_EQ(repeated.FileSince(), 0u) << "every write of the device file is counted";
        EXPECT_EQ(DeviceFileExists(), s.deviceFile);
    }
}

TEST_F(QuietSavesTest, ASaveWritesExactlyTheValuesThatChanged) {
    PutDeviceFile(kDevice);
    Records records;
    records.LoadAll();

    CutOptions_tag cut = records.cut;
    CopyField(cut.DosCutPath, "F:\\NEWCUT");
    PlotOptions_tag plot = records.plot;
    plot.WastePercentage = 7;
    OrderOptions_tag order = records.order;
    order.SplitPieceSeam = 2.5;
    VerifyOptions::Assign(records.verify.Prefix, "NEW");

    const struct { const char* set; std::function<void()> save; unsigned long registryWrites, fileWrites; } kSaves[] = {
        {"cut directory", [&] { SaveCutOptions(cut); }, 1, 1},
        {"plot waste", [&] { SavePlotOptions(plot); }, 1, 0},
        {"order seam", [&] { SaveOrderOptions(order); }, 1, 0},
        {"verify prefix", [&] {
             uint32_t changes = 0;
             EXPECT_TRUE(VerifyOptionsStore(records.verify).Save(changes));
             EXPECT_EQ(changes, kDigitizingWritten);
         }, 1, 0},
    };
    for (const auto& save : kSaves) {
        SCOPED_TRACE(save.set);
        const Writes before;
        save.save();
        EXPECT_EQ(before.RegistrySince(), save.registryWrites);
        EXPECT_EQ(before.FileSince(), save.fileWrites);
    }
    EXPECT_EQ(DeviceFileBytes(), "plot_type=2\nplot_dest=D:\\PLOTS\ncut_dest=F:\\NEWCUT\n");
}
