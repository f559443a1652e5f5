// The cut and plot options getters as the suite binds them.
#include <filesystem>
#include <fstream>
#include <string>

#include "kestrel_test.h"
#include "optora.h"

using namespace optora::test;

namespace {

constexpr const char* kCutDefault = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";

// A fresh load of the library per test: its records start all zero.
class OutputGettersTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        library_ = LoadLibraryA("optora.dll");
        ASSERT_NE(library_, nullptr) << GetLastError();
        getCut_ = Entry<CutOptions_tag* (*)()>("optora_getcutoptions");
        getPlot_ = Entry<PlotOptions_tag* (*)()>("optora_getplotoptions");
        setPlotApp_ = Entry<void (*)(char*)>("optora_setplotapp");
        ASSERT_TRUE(getCut_ && getPlot_ && setPlotApp_);
    }
    void TearDown() override { FreeLibrary(library_); }

    template <typename Fn>
    Fn Entry(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
    }
    void SetPlotApp(std::string name) { setPlotApp_(name.data()); }

    HMODULE library_ = nullptr;
    CutOptions_tag* (*getCut_)() = nullptr;
    PlotOptions_tag* (*getPlot_)() = nullptr;
    void (*setPlotApp_)(char*) = nullptr;
};

}  // namespace

TEST_F(OutputGettersTest, RecordsStayAtOneAddressAndShowTheLatestStore) {
    CutOptions_tag* first = getCut_();
    EXPECT_STREQ(first->DosCutPath, "C:\\USERROOT");
    StoreText(kCutDefault, "DosCutPath", "D:\\LATER");
    CutOptions_tag* second = Entry<CutOptions_tag* (*)()>("_optora_getcutoptions")();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second->DosCutPath, "D:\\LATER");

    PlotOptions_tag* plot = getPlot_();
    EXPECT_EQ(Entry<PlotOptions_tag* (*)()>("_optora_getplotoptions")(), plot);
    EXPECT_STREQ(plot->DosPlotPath, "C:\\PLOT");
}

TEST_F(OutputGettersTest, DeviceFileTextsComeFromTheLibrarysStringTable) {
    std::filesystem::create_directories("c:\\userroot\\system\\state");
    std::ofstream("c:\\userroot\\system\\state\\dosfile.cfg", std::ios::binary)
        << "plot_type=2\nplot_dest=D:\\P\ncut_dest=E:\\C\n";
    const PlotOptions_tag* plot = getPlot_();
    char text[64] = {};
    EXPECT_GT(LoadStringA(library_, 26015, text, sizeof text), 0);
    EXPECT_STREQ(plot->DefaultPlotQueue, text);
    EXPECT_GT(LoadStringA(library_, 26018, text, sizeof text), 0);
    EXPECT_STREQ(plot->DefaultPlotMedia, text);
}

TEST_F(OutputGettersTest, ZidGetterPlotsIntoItsOwnDirectoryWithoutStoringIt) {
    SetPlotApp("ZID_PLOT_OPTIONS");
    EXPECT_STREQ(getPlot_()->DosPlotPath, "C:\\PLOT") << "no PATH: as loaded";
    StoreText("Software\\Kestrel\\ZID", "PATH", "C:\\ZID\\");
    EXPECT_STREQ(getPlot_()->DosPlotPath, "C:\\ZID\\lotprint");
    EXPECT_EQ(RequireStored("Software\\Kestrel\\Arbor\\PlotOptions\\ZID_PLOT_OPTIONS", "DosPlotPath").Text(), "C:\\PLOT")
        << "the stored directory stays";
    SetPlotApp("");
    EXPECT_STREQ(getPlot_()->DosPlotPath, "C:\\PLOT") << "other applications: no ZID directory";
}
