// The Digitize Processing Options dialog through its exported launcher, with
// stordb.dll and the devadod.dll chooser beside the library.

#include "chooser_ids.h"
#include "dialog_test.h"
#include "install_location.h"
#include "sibling_log.h"

using namespace optora::test;

namespace {

constexpr const char* kCaption = "Digitize Processing Options";
constexpr const char* kModelProgram = "c:\\userroot\\prog\\pro\\model.exe";
constexpr const char* kStartedLog = "c:\\userroot\\started.log";
constexpr int kPrefix = 28004, kStart = 28005, kModel = 28007, kSource = 28008, kRule = 28009, kCategory = 28013,
              kRuleLabel = 28014, kSameCategory = 28015, kArea = 28020, kAreaBrowse = 28012, kStartModel = 28016;

using Launcher = void (*)(HWND);

// Ends the dialog it owns when told to, from its own window procedure.
struct Owner {
    static inline Launcher close = nullptr;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) close(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND window = CreateWindowA("STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    Owner() { SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)); }
    ~Owner() { DestroyWindow(window); }
};

class VerifyOptionsDialogTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        Owner::close = library_.Entry<Launcher>("optora_closeverifyoptions");
        for (const char* area : {"AREA1", "AREA2"})
            MakeStorageArea(area, {{"data\\rutab.ctl", "RULES1\n"}, {"data\\piece.ctl", "P1\n"}});
    }
    void Show(HWND owner, const std::function<void(UiDriver&)>& script) {
        const auto show = library_.Entry<Launcher>("optora_doverifyoptions");
        UiDriver ui;
        ui.WaitForDialog(kCaption);
        script(ui);
        EXPECT_TRUE(ui.Run([&] { show(owner); })) << ui.Failure();
    }
    // The wParams of the broadcasts since the last call.
    std::vector<uint64_t> Sent() {
        std::vector<uint64_t> sent;
        const auto received = listener_.Received();
        for (size_t i = seen_; i < received.size(); ++i) {
            EXPECT_EQ(received[i].name + std::to_string(received[i].lParam), "VerifyStorageAreaChanged0");
            sent.push_back(received[i].wParam);
        }
        seen_ = received.size();
        return sent;
    }
};

}  // namespace

TEST_F(VerifyOptionsDialogTest, OpensOnTheStoredOptionsAndItsFieldsReact) {
    StoreText(kArbor, "VerifyStorageArea", "C:NOWHERE");
    StoreText(kQuillon, "Prefix", "PX");
    StoreInt32(kQuillon, "StartingNumber", 42);
    StoreInt32(kQuillon, "Type", 1);
    StoreText(kQuillon, "Model", "M1");
    ClearInstalledPrograms();
    PutFile(kModelProgram, BesideTestProgram("sibling.exe"));
    SetEnvironmentVariableA("OPTORA_SIBLING_LOG", kStartedLog);
    Show(nullptr, [](UiDriver& ui) { ui.Then([](UiDriver& d) {
        EXPECT_EQ(d.Text(kArea), "C:DATA70") << "an unknown area is replaced before the fields are filled";
        EXPECT_EQ(d.Text(kPrefix) + "|" + d.Text(kStart) + "|" + d.Text(kModel), "PX|42|M1");
        EXPECT_EQ(d.Text(kRuleLabel) + std::to_string(d.ComboSelection(kSource)), "Copy Piece:1");
        EXPECT_EQ(d.ComboItems(kSource), (std::vector<std::string>{"Rule Table", "Copy Piece"}));
        EXPECT_EQ(GetFocus(), d.Item(kArea));
        SendMessageA(d.Dialog(), WM_COMMAND, kStartModel, 0);
        EXPECT_TRUE(d.IsChecked(kSameCategory) && !IsWindowEnabled(d.Item(kCategory))) << "nothing stored: checked";
        for (bool enabled : {true, false}) {
            d.Click(kSameCategory);
            EXPECT_EQ(IsWindowEnabled(d.Item(kCategory)) != FALSE, enabled);
        }
        d.TypeText(kRule, "r1");
        d.SelectComboItem(kSource, 0);
        EXPECT_EQ(d.Text(kRuleLabel) + "|" + d.Text(kRule), "Rule Table:|");
        d.TypeText(kRule, "r1");
        EXPECT_EQ(d.Text(kRule), "R1");
        d.TypeText(kArea, "c:my#");
        EXPECT_EQ(d.Text(kArea), "cmy") << "no colon, no #, and the case is kept";
        EXPECT_EQ(d.Text(kModel) + d.Text(kRule), "") << "model and rule belong to the old area";
        d.TypeText(kPrefix, "Q");
        d.Click(IDCANCEL);
    }); });
    EXPECT_EQ(StoredText(kArbor, "VerifyStorageArea") + StoredText(kQuillon, "Prefix"), "C:NOWHEREPX")
        << "Cancel saves nothing";
    EXPECT_TRUE(Sent().empty());
    const std::vector<std::string> started = SiblingLog(kStartedLog, 1);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].substr(started[0].find('\t') + 1),
              "\"" + std::string(kModelProgram) + "\" -dC: -sDATA70 -i\"M1\" -R");
    SetEnvironmentVariableA("OPTORA_SIBLING_LOG", nullptr);
}

TEST_F(VerifyOptionsDialogTest, OkChecksTheGradingSourceSavesAndTellsWhatChanged) {
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    Show(nullptr, [](UiDriver& ui) {
        ui.Then([](UiDriver& d) {
              SetDlgItemTextA(d.Dialog(), kStart, "10000");  // past what typing lets in
              d.Click(IDOK);
          })
            .AnswerMessageBox("Please enter an integer between 0 and 9999.")
            .Then([](UiDriver& d) {
                SetDlgItemTextA(d.Dialog(), kStart, "9999");
                d.TypeText(kRule, "NOPE");
                d.Click(IDOK);
            })
            .AnswerMessageBox("Rule Table NOPE does not exist in storage area C:AREA1.")
            .Then([](UiDriver& d) {
                EXPECT_EQ(GetFocus(), d.Item(kRule));
                d.SelectComboItem(kSource, 1);
                d.TypeText(kRule, "NOPE");
                d.Click(IDOK);
            })
            .AnswerMessageBox("Piece NOPE does not exist in storage area C:AREA1.")
            .Then([](UiDriver& d) {
                d.TypeText(kRule, "");  // never looked up: no piece has an empty name
                SetDlgItemTextA(d.Dialog(), kModel, "abc/def");
                d.TypeText(kPrefix, "P9");
                d.Click(IDOK);
            });
    });
    EXPECT_EQ(StoredText(kQuillon, "Model") + "|" + StoredText(kQuillon, "Prefix") + "|" +
                  StoredText(kQuillon, "GradeRule"),
              "ABC-DEF|P9|");
    EXPECT_EQ(RequireStored(kQuillon, "StartingNumber").Int32(), 1);
    EXPECT_EQ(Sent(), (std::vector<uint64_t>{2}));

    Show(nullptr, [](UiDriver& ui) {
        ui.Then([](UiDriver& d) { d.Click(kAreaBrowse); })
            .WaitForDialog("Test")
            .Then([](UiDriver& d) {
                const auto index = SendMessageA(d.Item(IDC_AREA), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>("AREA2"));
                d.SelectComboItem(IDC_AREA, static_cast<int>(index));
                d.Click(IDOK);
            })
            .WaitForDialog(kCaption)
            .WaitUntil("the chosen area", [](UiDriver& d) { return d.Text(kArea) == "C:AREA2"; })
            .Then([](UiDriver& d) { d.Click(IDOK); });
    });
    EXPECT_EQ(StoredText(kArbor, "VerifyStorageArea"), "C:AREA2");
    EXPECT_EQ(Sent(), (std::vector<uint64_t>{3}));
}

// The "..." buttons are no tab stops: F4 in each field opens its chooser; Shift+F4 does nothing.
TEST_F(VerifyOptionsDialogTest, FourInEachBrowsingFieldOpensItsChooser) {
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    Show(nullptr, [](UiDriver& ui) {
        for (const auto& [field, chooser] : {std::pair{kArea, "Test"}, {kModel, "Choose Model"}, {kRule, "Choose Rule Table"}}) {
            ui.Then([field = field](UiDriver& d) {
                  SetForegroundWindow(d.Dialog());
                  SetFocus(d.Item(field));
                  d.Press({VK_SHIFT, VK_F4});
                  d.Press({VK_F4});
              })
                .WaitForDialog(chooser)
                .Then([](UiDriver& d) { d.Click(IDCANCEL); })
                .WaitForDialog(kCaption);
        }
        ui.Then([](UiDriver& d) { d.Click(IDCANCEL); });
    });
}

// Two owners; the owner of an open dialog ends it from its window procedure,
// also after a second dialog for the same owner has come and gone.
TEST_F(VerifyOptionsDialogTest, TheOwnerEndsItsDialogAndNothingIsSaved) {
    Owner first, second;
    const auto show = library_.Entry<Launcher>("_optora_doverifyoptions");
    Show(first.window, [&](UiDriver& ui) {
        ui.Then([&](UiDriver& d) {
              d.TypeText(kPrefix, "ZZ");
              SendMessageA(second.window, WM_APP, 0, 0);
              EXPECT_TRUE(IsWindowVisible(d.Dialog())) << "the other owner has no dialog";
              Drive(kCaption, [&] { show(first.window); }, [&](UiDriver&) { SendMessageA(first.window, WM_APP, 0, 0); });
              EXPECT_TRUE(IsWindowVisible(d.Dialog())) << "only the inner dialog ended";
              PostMessageA(first.window, WM_APP, 0, 0);  // a dialog left open fails the run by its timeout
          });
    });
    Owner::close(first.window);  // nothing open any more
    EXPECT_EQ(StoredText(kQuillon, "Prefix"), "(missing)");
    EXPECT_TRUE(Sent().empty());
}
