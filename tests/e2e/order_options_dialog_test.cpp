// The Order Options dialog and its seam field, through the exported launcher.
#include <clocale>
#include <cstring>

#include "dialog_test.h"
#include "other_process.h"

using namespace optora::test;

namespace {

constexpr int kYes = 27001, kSeamLabel = 27003, kSeam = 27004, kMethodLabel = 27006, kMethod = 27010;

template <typename T>
std::vector<uint8_t> AsBytes(T value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}
std::vector<uint8_t> Stored(const char* name) { return ReadStored(kOrderKey, name).value_or(StoredValue{}).bytes; }

void PasteSeam(UiDriver& d, const char* text) {
    SendMessageA(d.Item(kSeam), EM_SETSEL, 0, -1);
    Paste(d.Item(kSeam), text);
}

// Through the dialog's own message loop, as a key the user pressed.
void PressKey(UiDriver& d, WPARAM key) { PostMessageA(d.Item(kSeam), WM_KEYDOWN, key, 1); }
bool Modified(UiDriver& d) { return SendMessageA(d.Item(kSeam), EM_GETMODIFY, 0, 0) != 0; }

bool LabelIsRed(UiDriver& d) { return d.ShowsRed(WM_CTLCOLORSTATIC, kSeamLabel); }

// The top of a control and the bottom of the dialog, in client pixels.
std::pair<LONG, LONG> TopAndHeight(UiDriver& d, int id) {
    RECT control = {}, dialog = {};
    GetWindowRect(d.Item(id), &control);
    MapWindowPoints(nullptr, d.Dialog(), reinterpret_cast<POINT*>(&control), 2);
    GetClientRect(d.Dialog(), &dialog);
    return {control.top, dialog.bottom};
}

class OrderOptionsTest : public DialogTest {
protected:
    // Runs the dialog through steps the script adds after it has come up.
    void Play(unsigned offerLayrule, const std::function<void(UiDriver&)>& script,
              const char* entry = "optora_doorderoptions") {
        const auto show = library_.Entry<void (*)(HWND, unsigned)>(entry);
        ASSERT_TRUE(show);
        UiDriver ui;
        ui.WaitForDialog("Order Options");
        script(ui);
        EXPECT_TRUE(ui.Run([&] { show(nullptr, offerLayrule); })) << ui.Failure();
    }
    void Show(unsigned offerLayrule, UiDriver::Action action, const char* entry = "optora_doorderoptions") {
        Play(offerLayrule, [&](UiDriver& ui) { ui.Then(action); }, entry);
    }
    static void Store(int32_t overwrite, double seam, uint8_t method) {
        StoreRaw(kOrderKey, "OverwriteMarker", REG_BINARY, &overwrite, sizeof overwrite);
        StoreRaw(kOrderKey, "SplitPieceSeam", REG_BINARY, &seam, sizeof seam);
        StoreRaw(kOrderKey, "LayruleMethod", REG_BINARY, &method, sizeof method);
    }
    int Broadcasts() { return DialogTest::Broadcasts("OrderOptionsChanged"); }
};

}  // namespace

TEST_F(OrderOptionsTest, TheSeamTakesOnlyNumbersAndKeepsEnterAndEscapeToItself) {
    Play(1, [](UiDriver& ui) {
        ui.Then([](UiDriver& d) {
              d.TypeText(kSeam, "12a");
              EXPECT_EQ(d.Text(kSeam), "12");
              PasteSeam(d, "12a");
              EXPECT_EQ(d.Text(kSeam), "12");
              PasteSeam(d, "7.5");
              EXPECT_EQ(d.Text(kSeam), "7.5");
              PressKey(d, VK_ESCAPE);
          })
            .WaitUntil("Escape to empty the seam", [](UiDriver& d) { return d.Text(kSeam).empty(); })
            .Then([](UiDriver& d) {
                EXPECT_TRUE(Modified(d));
                PressKey(d, VK_ESCAPE);
            })
            .WaitUntil("Escape to restore the seam", [](UiDriver& d) { return d.Text(kSeam) == "0.95"; })
            .Then([](UiDriver& d) {
                EXPECT_FALSE(Modified(d));
                d.TypeText(kSeam, "1");
                PressKey(d, VK_RETURN);
            })
            .WaitUntil("Enter to accept the seam", [](UiDriver& d) { return d.Text(kSeam) == "1.00"; })
            .Then([](UiDriver& d) {
                d.TypeText(kSeam, "5");
                SetFocus(d.Item(IDCANCEL));
                EXPECT_EQ(d.Text(kSeam), "5") << "moving to Cancel does not validate";
                d.TypeText(kSeam, "6");
                SetFocus(d.Item(IDOK));
                EXPECT_EQ(d.Text(kSeam), "6.00");
                d.Click(IDCANCEL);
            });
    });
    EXPECT_EQ(Stored("SplitPieceSeam"), AsBytes(0.375)) << "Cancel saves nothing";
    EXPECT_EQ(Broadcasts(), 0);
}

TEST_F(OrderOptionsTest, WithoutTheLayruleRowTheFirstMethodIsSavedInAShorterDialog) {
    Store(1, 0.5, 2);
    std::pair<LONG, LONG> full;
    Show(1, [&](UiDriver& d) {
        EXPECT_EQ(d.ComboItems(kMethod),
                  (std::vector<std::string>{"Copy Marker", "Force Layrule", "Layrule Search Table"}));
        EXPECT_EQ(d.ComboSelection(kMethod), 2);
        EXPECT_TRUE(d.IsChecked(kYes));
        EXPECT_EQ(d.Text(kSeam), "1.27");
        full = TopAndHeight(d, kMethod);
        d.Click(IDOK);
    });
    EXPECT_EQ(Broadcasts(), 0) << "OK without a change";

    Show(0, [&](UiDriver& d) {
        for (int id : {kMethod, kMethodLabel})
            EXPECT_FALSE(IsWindowVisible(d.Item(id)) || IsWindowEnabled(d.Item(id))) << id;
        RECT row = {0, 39, 0, 60};
        MapDialogRect(d.Dialog(), &row);
        const auto [seamTop, height] = TopAndHeight(d, kSeam);
        EXPECT_EQ(full.second - height, row.bottom - row.top);
        EXPECT_EQ(seamTop, full.first);
        d.Click(IDOK);
    }, "_optora_doorderoptions");
    EXPECT_EQ(Broadcasts(), 1);
    EXPECT_EQ(Stored("OverwriteMarker"), AsBytes(int32_t{1}));
    EXPECT_EQ(Stored("SplitPieceSeam"), AsBytes(0.5));
    EXPECT_EQ(Stored("LayruleMethod"), Bytes({0}));

    Store(1, 0.5, 9);
    Show(1, [](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kMethod), -1);
        d.Click(kYes);
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("LayruleMethod"), Bytes({255})) << "no selection";
}

TEST_F(OrderOptionsTest, ARejectedSeamTurnsItsLabelRedUntilAnAcceptedOne) {
    Store(0, 0.375, 1);
    Play(1, [](UiDriver& ui) {
        ui.Then([](UiDriver& d) {
              d.TypeText(kSeam, "300");
              SetFocus(d.Item(IDOK));
          })
            .AnswerMessageBox("Please enter a number between 0.00 and 254.00.")
            .Then([](UiDriver& d) {
                EXPECT_TRUE(LabelIsRed(d));
                EXPECT_EQ(GetFocus(), d.Item(kSeam));
                d.TypeText(kSeam, "12");
                SetFocus(d.Item(IDOK));
                EXPECT_EQ(d.Text(kSeam), "12.00");
                EXPECT_FALSE(LabelIsRed(d));
                d.Click(IDOK);
            });
    });
    EXPECT_EQ(Stored("SplitPieceSeam"), AsBytes(12 / 2.54));
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C") << "reading the seam leaves the process locale alone";
    EXPECT_EQ(Broadcasts(), 1);
}

TEST_F(OrderOptionsTest, PreferencesChangedElsewhereReshowTheSeamAtOnce) {
    Play(1, [](UiDriver& ui) {
        ui.Then([](UiDriver& d) {
              EXPECT_EQ(d.Text(kSeam), "0.95");
              StoreText("Software\\Kestrel\\Arbor", "Notation", "1");
              StoreText("Software\\Kestrel\\Arbor", "Precision", "3");
              BroadcastFromElsewhere("PreferencesChanged");
          })
            .WaitUntil("the seam in inches", [](UiDriver& d) { return d.Text(kSeam) == "0.375"; })
            .Then([](UiDriver& d) { d.Click(IDCANCEL); });
    });
}
