// The Plot Options and Cut Options dialogs through the exported launchers,
// with the devqueue.dll stand-in's queues and a listener in another process.
#include <filesystem>

#include "dialog_test.h"
#include "optora.h"
#include "other_process.h"

using namespace optora::test;

namespace {

constexpr const char* kPlotDefault = "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS";
constexpr int kAstm = 26016, kByMarker = 26002, kDestination = 26022, kMedia = 26028, kPlotDirectory = 26004;
constexpr int kPlotDirectoryLabel = 26008, kShortName = 25025, kAuto = 26024, kImageType = 26029;
constexpr int kLengthMixed = 26032, kLengthDecimal = 26033, kDxf = 26020;
constexpr int kToStorage = 25008, kExport = 25009, kCutDirectory = 25015, kAppendCount = 25028;
constexpr int kExtCount = 25029, kExtNone = 25030, kFormat42 = 25011, kFormat43 = 25012, kByModel = 25014;
constexpr int kImageDirectory = 26007, kExtension = 25018, kCutTable = 25022;
constexpr const char* kCutGen = "Software\\Kestrel\\Arbor\\CutOptions\\CUTGEN_CUT_OPTIONS";

void ConfigureQueues(const std::string& text) { WriteWhole("c:\\userroot\\system\\state\\plotqueues.cfg", text); }

bool Enabled(UiDriver& d, int id) { return IsWindowEnabled(d.Item(id)) != FALSE; }
class OutputDialogsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        SetApps("", "");
        // OK checks a file destination's directory, and the first check of a
        // missing one creates it yet fails: those saved here must exist.
        for (const char* directory : {"C:\\PLOT", "C:\\DEFAULT"}) std::filesystem::create_directories(directory);
    }
    void SetApps(const char* cut, const char* plot) {
        library_.Entry<void (*)(const char*)>("optora_setcutapp")(cut);
        library_.Entry<void (*)(const char*)>("optora_setplotapp")(plot);
    }
    void Plot(const char* caption, UiDriver::Action script, int astm = -1) {
        if (astm < 0)
            Drive(caption, [&] { library_.Entry<void (*)(HWND)>("_optora_doplotoptions")(nullptr); }, script);
        else
            Drive(caption, [&] { library_.Entry<void (*)(HWND, int)>("optora_doplotoptions")(nullptr, astm); }, script);
    }
    void Cut(const char* caption, UiDriver::Action script) {
        Drive(caption, [&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); }, script);
    }
    // The output broadcasts since the last call: cut then plot, per OK, each
    // carrying the sending dialog's window.
    int OutputBroadcasts() {
        std::vector<ReceivedMessage> received;
        for (const ReceivedMessage& m : listener_.Received())
            if (m.wParam != 0) received.push_back(m);  // not the test's own broadcaster
        const int count = static_cast<int>(received.size() - seen_);
        for (size_t i = seen_; i < received.size(); ++i)
            EXPECT_EQ(received[i].name, (i - seen_) % 2 ? "PlotOptionsChanged" : "CutOptionsChanged");
        for (size_t i = seen_ + 1; i < received.size(); i += 2) EXPECT_EQ(received[i].wParam, received[i - 1].wParam);
        seen_ = received.size();
        return count;
    }
    // A complete set: loading it repairs nothing.
    static void StorePlot(const char* key, const char* queue, const char* media, const char* path = "C:\\PLOT") {
        for (const auto& [name, text] : {std::pair{"DosPlotPath", path}, {"DefaultPlotQueue", queue},
                                         {"DefaultPlotMedia", media}, {"ImagePath", path}, {"ImageType", "EMF"}})
            StoreText(key, name, text);
        StoreInt32(key, "DosPlotType", 1);
        for (const char* name : {"DefaultPlotOutput", "AutoPlot"}) StoreInt32(key, name, 0);
        StoreInt32("Software\\Kestrel\\Arbor", "Bundles_By", 0);
    }
};

}  // namespace

TEST_F(OutputDialogsTest, TheDestinationChoosesTheFileGroupAndTheMedia) {
    ConfigureQueues("; queues of this station\nDOS FILE\nHP DESIGNJET | Vellum 42 | Bond 36\n\nGERBER|Paper\n");
    WriteWhole(kDeviceFile, "plot_type=1\nplot_dest=C:\\OLD\ncut_dest=C:\\CUTS\n");
    StorePlot(kPlotDefault, "DOS File", "None", "C:\\NOPE\\DEEPER");
    Plot("Default Plot Options", [](UiDriver& d) {
        EXPECT_EQ(d.ComboItems(kDestination), (std::vector<std::string>{"DOS FILE", "HP DESIGNJET", "GERBER"}));
        EXPECT_EQ(d.ComboSelection(kDestination), 0) << "a stored DOS File is the plot-file destination";
        EXPECT_FALSE(IsWindowVisible(d.Item(kAstm)));
        EXPECT_EQ(d.Text(kLengthMixed), "Mete&rs/Cm");
        EXPECT_EQ(d.Text(kLengthDecimal), "&Decimal Meters");
        EXPECT_EQ(d.ComboItems(kImageType), (std::vector<std::string>{"BMP", "EMF", "JPEG"}));
        EXPECT_EQ(d.Text(kImageType), "EMF");
        struct Row { int destination; std::vector<std::string> media; bool fileGroup, mediaEnabled; };
        for (const Row& row : {Row{1, {"Bond 36", "Vellum 42"}, false, true}, Row{2, {"Paper"}, false, false},
                               Row{0, {"None"}, true, false}}) {
            d.SelectComboItem(kDestination, row.destination);
            EXPECT_EQ(d.ComboItems(kMedia), row.media) << row.destination;
            EXPECT_EQ(d.ComboSelection(kMedia), 0);
            EXPECT_EQ(Enabled(d, kMedia), row.mediaEnabled) << row.destination;
            for (int id : {kPlotDirectory, kPlotDirectoryLabel, kShortName, kAppendCount})
                EXPECT_EQ(Enabled(d, id), row.fileGroup) << row.destination << " " << id;
        }
        d.Click(IDCANCEL);
    });
    // Plotting to a file needs its directory: OK stays open with a red label.
    Plot("Default Plot Options", [](UiDriver& d) {
        d.Click(IDOK);
        EXPECT_TRUE(IsWindow(d.Dialog()));
        EXPECT_TRUE(d.ShowsRed(WM_CTLCOLORSTATIC, kPlotDirectoryLabel));
        d.SelectComboItem(kDestination, 1);
        d.TypeText(kDestination, "GERBER");  // typing picks nothing
        d.Click(IDOK);
    });
    EXPECT_EQ(OutputBroadcasts(), 2);
    EXPECT_EQ(RequireStored(kPlotKey, "DefaultPlotQueue").Text(), "HP DESIGNJET");
    EXPECT_EQ(RequireStored(kPlotKey, "DefaultPlotMedia").Text(), "Bond 36");
    EXPECT_EQ(RequireStored(kPlotKey, "DefaultPlotOutput").Int32(), 0);
    EXPECT_EQ(RequireStored(kPlotKey, "DosPlotPath").Text(), "C:\\NOPE\\DEEPER") << "a queue leaves it as stored";
    EXPECT_EQ(ReadWhole(kDeviceFile), "plot_type=1\nplot_dest=C:\\NOPE\\DEEPER\ncut_dest=C:\\CUTS\n");
}

TEST_F(OutputDialogsTest, StoredNamesTheQueuesDoNotOfferAreKept) {
    struct Row { const char* queues; std::vector<std::string> offered; };
    for (const Row& row : {Row{"HP DESIGNJET|Bond 36\n", {"HP DESIGNJET"}}, Row{"; no queues\n", {}}}) {
        ConfigureQueues(row.queues);
        StorePlot(kPlotDefault, "OFFLINE", "Roll 60");
        Plot("Default Plot Options", [&](UiDriver& d) {
            EXPECT_EQ(d.ComboItems(kDestination), row.offered);
            EXPECT_EQ(d.Text(kDestination), "OFFLINE");
            EXPECT_EQ(d.Text(kMedia), "Roll 60");
            d.Click(IDOK);
        });
        EXPECT_EQ(RequireStored(kPlotKey, "DefaultPlotQueue").Text(), "OFFLINE") << row.queues;
        EXPECT_EQ(RequireStored(kPlotKey, "DefaultPlotMedia").Text(), "Roll 60") << row.queues;
    }
    EXPECT_EQ(OutputBroadcasts(), 4) << "every OK of the plot dialog saves and tells";
}

TEST_F(OutputDialogsTest, ThePlotApplicationChoosesCaptionAndDisabledControls) {
    struct Row { const char* app; const char* caption; bool bundles, autoProcess, imageType; };
    for (const Row& row : {Row{"CUTPLOT_PLOT_OPTIONS", "Cut Plot Options", false, true, false},
                           Row{"PIECEPLOT_PLOT_OPTIONS", "Piece Plot Options", false, false, true},
                           Row{"MARKERPLOT_PLOT_OPTIONS", "Marker Plot Options", true, true, true}}) {
        SetApps("", row.app);
        Plot(row.caption, [&](UiDriver& d) {
            EXPECT_TRUE(IsWindowVisible(d.Item(kAstm)));
            EXPECT_EQ(Enabled(d, kByMarker), row.bundles) << row.app;
            EXPECT_EQ(Enabled(d, kAuto), row.autoProcess) << row.app;
            EXPECT_EQ(Enabled(d, kImageType), row.imageType) << row.app;
            d.Click(IDCANCEL);
        }, 1);
    }
    EXPECT_EQ(OutputBroadcasts(), 0);
}

// Another application's change reloads the dialog; its own does not.
TEST_F(OutputDialogsTest, ChangesFromElsewhereReloadTheDialogs) {
    ConfigureQueues("DOS FILE\nHP DESIGNJET|Bond 36\n");
    StorePlot(kPlotDefault, "HP DESIGNJET", "Bond 36");
    UiDriver plot;
    plot.WaitForDialog("Default Plot Options")
        .Then([](UiDriver& d) {
            StoreText(kPlotDefault, "DefaultPlotQueue", "DOS FILE");
            for (const char* name : {"DosPlotPath", "ImagePath"}) StoreText(kPlotDefault, name, "C:\\DEFAULT");
            d.TypeText(kImageDirectory, "C:\\TYPED");
            SendMessageA(d.Dialog(), RegisterWindowMessageA("PlotOptionsChanged"),
                         reinterpret_cast<WPARAM>(d.Dialog()), 0);
            EXPECT_EQ(d.Text(kDestination), "HP DESIGNJET") << "its own broadcast";
            BroadcastFromElsewhere("CutOptionsChanged");
        })
        .WaitUntil("the reload", [](UiDriver& d) { return d.Text(kDestination) == "DOS FILE"; })
        .Then([](UiDriver& d) {
            EXPECT_EQ(d.Text(kPlotDirectory) + "|" + d.Text(kImageDirectory), "C:\\DEFAULT|C:\\TYPED")
                << "an untouched field takes the new text, a pending edit stays";
            EXPECT_EQ(d.ComboItems(kImageType).size(), 3u);
            StoreText(kPlotDefault, "DosPlotPath", "C:\\PLOT");
            BroadcastFromElsewhere("PlotOptionsChanged");
        })
        .WaitUntil("a second reload to reach the untouched field",
                   [](UiDriver& d) { return d.Text(kPlotDirectory) == "C:\\PLOT"; })
        .Then([](UiDriver& d) { d.Click(IDOK); });
    EXPECT_TRUE(plot.Run([&] { library_.Entry<void (*)(HWND)>("_optora_doplotoptions")(nullptr); })) << plot.Failure();
    EXPECT_EQ(OutputBroadcasts(), 2) << "a reload runs the initialisation again";

    EXPECT_EQ(RequireStored(kPlotKey, "ImagePath").Text(), "C:\\TYPED");

    for (const bool typed : {false, true}) {  // an extension typed after the reload is announced
        StoreInt32("Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", "DosNameFormat", 0);
        UiDriver cut;
        cut.WaitForDialog("Default Cut Options")
            .Then([](UiDriver&) {
                StoreInt32("Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", "DosNameFormat", 1);
                BroadcastFromElsewhere("PlotOptionsChanged");
            })
            .WaitUntil("the reload", [](UiDriver& d) { return !d.IsChecked(kShortName); })
            .Then([&](UiDriver& d) {
                if (typed) d.TypeText(kExtension, "NEW");
                d.Click(IDOK);
            });
        EXPECT_TRUE(cut.Run([&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); })) << cut.Failure();
        EXPECT_EQ(OutputBroadcasts(), typed ? 2 : 0) << "nothing edited since the reload";
    }
}

// Two applications with cut variants of their own share the device file.
TEST_F(OutputDialogsTest, TheCutDialogKeepsWhatAnotherApplicationStored) {
    WriteWhole(kDeviceFile, "plot_type=1\nplot_dest=C:\\P\ncut_dest=C:\\MINE\n");
    SetApps("CUTGEN_CUT_OPTIONS", "");
    library_.Entry<CutOptions_tag* (*)()>("optora_getcutoptions")();  // as the application does at start-up
    const std::string theirs = "plot_type=1\nplot_dest=C:\\P\ncut_dest=C:\\THEIRS\n";
    WriteWhole(kDeviceFile, theirs);
    Cut("Cut Generation Cut Options", [](UiDriver& d) { d.Click(IDCANCEL); });
    EXPECT_EQ(ReadWhole(kDeviceFile), theirs) << "opening and Cancel write nothing of their own";
    EXPECT_EQ(RequireStored(kCutGen, "DosCutPath").Text(), "C:\\MINE");

    StoreInt32(kCutGen, "Export", 1);
    UiDriver ui;
    ui.WaitForDialog("Cut Generation Cut Options")
        .Then([](UiDriver& d) {
            d.TypeText(kCutTable, "P-MINE");
            StoreText(kCutGen, "DosCutPath", "C:\\PLOT");
            StoreText(kCutGen, "CutDefaultParamTbl", "P-THEIRS");
            BroadcastFromElsewhere("CutOptionsChanged");
        })
        .WaitUntil("the reload", [](UiDriver& d) { return d.Text(kCutDirectory) == "C:\\PLOT"; })
        .Then([](UiDriver& d) {
            EXPECT_EQ(d.Text(kCutTable), "P-MINE");
            d.Click(IDOK);
        });
    EXPECT_TRUE(ui.Run([&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); })) << ui.Failure();
    EXPECT_EQ(RequireStored(kCutGen, "DosCutPath").Text() + RequireStored(kCutGen, "CutDefaultParamTbl").Text(),
              "C:\\PLOTP-MINE");
    EXPECT_EQ(OutputBroadcasts(), 2);
}

// Without a name the set is read from the default variant but saved under
// the parent key: what OK saved is what comes back.
TEST_F(OutputDialogsTest, WithoutAnApplicationNameWhatOkSavedIsReadBack) {
    StorePlot(kPlotDefault, "DOS FILE", "None", "C:\\DEFAULT");
    const auto plot = library_.Entry<PlotOptions_tag* (*)()>("optora_getplotoptions");
    Plot("Default Plot Options", [](UiDriver& d) {
        d.Click(kDxf);
        d.Click(IDOK);
    });
    Cut("Default Cut Options", [](UiDriver& d) {
        d.Click(kFormat43);
        d.Click(IDOK);
    });
    EXPECT_EQ(plot()->DosPlotType, 2);
    EXPECT_EQ(plot()->DosPlotType, 2) << "the next getter call writes nothing over it";
    EXPECT_STREQ(library_.Entry<CutOptions_tag* (*)()>("optora_getcutoptions")()->CutFormat, "43format");
    EXPECT_EQ(OutputBroadcasts(), 4);
}

TEST_F(OutputDialogsTest, TheCutDialogNeedsAnOutputAndKeepsItsRules) {
    StoreText("Software\\Kestrel\\Arbor\\CutOptions\\CUTPLOT_CUT_OPTIONS", "CutFormat", "99format");
    SetApps("CUTPLOT_CUT_OPTIONS", "");
    std::filesystem::create_directories("c:\\userroot");
    UiDriver ui;
    ui.WaitForDialog("Cut Plot Cut Options")
        .Then([](UiDriver& d) {
            EXPECT_TRUE(d.IsChecked(kFormat42)) << "an unknown format";
            EXPECT_TRUE(d.IsChecked(kToStorage));
            d.Click(kToStorage);
        })
        .AnswerMessageBox("No cut output selected")
        .Then([](UiDriver& d) {
            EXPECT_TRUE(d.IsChecked(kToStorage));
            d.Click(kExtCount);
            EXPECT_FALSE(Enabled(d, kAppendCount));
            d.Click(kExtNone);
            d.Click(kAppendCount);
            EXPECT_FALSE(Enabled(d, kExtCount));
            EXPECT_FALSE(Enabled(d, kCutDirectory)) << "no export, no directory to type";
            d.Click(kExport);
            EXPECT_TRUE(Enabled(d, kCutDirectory));
            d.TypeText(25022, "P-TABLE2");
            d.TypeText(kCutDirectory, "\\\\USERROOT\\\\CUTS");
            d.Click(IDOK);
            EXPECT_TRUE(IsWindow(d.Dialog())) << "a directory that did not exist";
            EXPECT_TRUE(d.ShowsRed(WM_CTLCOLOREDIT, kCutDirectory));
            d.Click(IDOK);
        });
    EXPECT_TRUE(ui.Run([&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); })) << ui.Failure();
    const char* key = "Software\\Kestrel\\Arbor\\CutOptions\\CUTPLOT_CUT_OPTIONS";
    EXPECT_EQ(RequireStored(key, "CutFormat").Text(), "42format");
    EXPECT_EQ(RequireStored(key, "CutDefaultParamTbl").Text(), "P-TABLE2") << "read from the lookup";
    EXPECT_EQ(RequireStored(key, "DosCutPath").Text(), "C:\\USERROOT\\CUTS");
    EXPECT_EQ(RequireStored(key, "FilenameAppendCnt").Int32(), 1);
    EXPECT_EQ(RequireStored(key, "DosExtType").Int32(), 3);
    EXPECT_EQ(OutputBroadcasts(), 2);

    // Without an export the directory is neither checked nor created.
    StoreText(key, "DosCutPath", "Q:\\OFFLINE");
    Cut("Cut Plot Cut Options", [](UiDriver& d) {
        d.Click(kExport);
        d.Click(kByModel);
        d.Click(IDOK);
    });
    EXPECT_EQ(RequireStored(key, "DosCutPath").Text(), "Q:\\OFFLINE");
    EXPECT_EQ(RequireStored("Software\\Kestrel\\Arbor", "Bundles_By").Int32(), 1);
    EXPECT_EQ(OutputBroadcasts(), 2);

    // Neither output stored: OK tells so and stays open; OK right after
    // opening saves and tells every application.
    StoreInt32(key, "SaveToStorageArea", 0);
    UiDriver none;
    none.WaitForDialog("Cut Plot Cut Options")
        .Then([](UiDriver& d) { d.Click(IDOK); })
        .AnswerMessageBox("No cut output selected")
        .Then([](UiDriver& d) {
            EXPECT_TRUE(IsWindow(d.Dialog()));
            d.Click(kToStorage);
            d.Click(IDOK);
        });
    EXPECT_TRUE(none.Run([&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); })) << none.Failure();
    EXPECT_EQ(OutputBroadcasts(), 2);
    Cut("Cut Plot Cut Options", [](UiDriver& d) { d.Click(IDOK); });
    EXPECT_EQ(OutputBroadcasts(), 2);
}

// Access keys, Tab, arrows, Space and Enter alone; Escape leaves what was stored.
TEST_F(OutputDialogsTest, TheCutDialogIsWorkedByKeysAlone) {
    constexpr int kTable = 25022, kByMarker = 25013, kLongName = 25027, kFormat33 = 25010, kAutoCut = 25021;
    const auto focused = [](UiDriver& d, int id) { return GetFocus() == d.Item(id); };
    UiDriver ui;
    ui.WaitForDialog("Default Cut Options")
        .Then([](UiDriver& d) { d.Press({VK_MENU, 'L'}); })
        .WaitUntil("Alt+L", [](UiDriver& d) { return d.IsChecked(kLongName); })
        .Then([](UiDriver& d) { d.Press({VK_MENU, 'M'}); })
        .WaitUntil("Alt+M", [&](UiDriver& d) { return focused(d, kByMarker); })
        .Then([](UiDriver& d) { d.Press({VK_DOWN}); })
        .WaitUntil("an arrow", [](UiDriver& d) { return d.IsChecked(kByModel) && !d.IsChecked(kByMarker); })
        .Then([](UiDriver& d) { d.Press({VK_MENU, '3'}); })
        .WaitUntil("Alt+3", [](UiDriver& d) { return d.IsChecked(kFormat33); })
        .Then([](UiDriver& d) { d.Press({VK_MENU, 'D'}); })
        .WaitUntil("the label's key reaches its field", [&](UiDriver& d) { return focused(d, kTable); })
        .Then([](UiDriver& d) { d.Press({VK_TAB}); })
        .WaitUntil("Tab", [&](UiDriver& d) { return focused(d, kAutoCut); })
        .Then([](UiDriver& d) { d.Press({VK_SPACE}); })
        .WaitUntil("Space", [](UiDriver& d) { return d.IsChecked(kAutoCut); })
        .Then([](UiDriver& d) { d.Press({VK_RETURN}); });
    EXPECT_TRUE(ui.Run([&] { library_.Entry<void (*)(HWND)>("optora_docutoptions")(nullptr); })) << ui.Failure();
    const char* key = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";
    EXPECT_EQ(RequireStored(key, "DosNameFormat").Int32(), 1);
    EXPECT_EQ(RequireStored(key, "CutFormat").Text(), "33format");
    EXPECT_EQ(RequireStored(key, "AutoCut").Int32(), 1);
    EXPECT_EQ(RequireStored("Software\\Kestrel\\Arbor", "Bundles_By").Int32(), 1);
    EXPECT_EQ(OutputBroadcasts(), 2);

    Cut("Default Cut Options", [](UiDriver& d) {
        d.Press({VK_MENU, 'A'});
        d.Press({VK_ESCAPE});
    });
    EXPECT_EQ(RequireStored(key, "FilenameAppendCnt").Int32(), 0);
    EXPECT_EQ(OutputBroadcasts(), 0);
}

// A copy of the library with no devqueue.dll beside it offers what the
// dialog knows itself.
TEST_F(OutputDialogsTest, WithoutTheQueueLibraryOnlyThePlotFileIsOffered) {
    const CopiesApart alone("optora-without-devqueue", {"optora.dll"});
    ConfigureQueues("DOS FILE\nHP DESIGNJET|Bond 36\n");
    StorePlot(kPlotDefault, "HP DESIGNJET", "Bond 36");
    OptoraLibrary copy(alone / "optora.dll");
    ASSERT_TRUE(copy.Loaded());
    Drive("Default Plot Options", [&] { copy.Entry<void (*)(HWND)>("_optora_doplotoptions")(nullptr); },
          [](UiDriver& d) {
              EXPECT_EQ(d.ComboItems(kDestination), std::vector<std::string>{"DOS FILE"});
              d.SelectComboItem(kDestination, 0);
              EXPECT_EQ(d.ComboItems(kMedia), std::vector<std::string>{"None"});
              d.Click(IDCANCEL);
          });
}
