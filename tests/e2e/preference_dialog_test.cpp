// The Preference dialog as an application opens it, driven as a user would.
#include "kestrel_test.h"
#include "listener.h"
#include "optora_library.h"
#include "ui_driver.h"

using namespace optora::test;

namespace {

constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr int kImperial = 1002, kMetric = 1003, kPrecision = 1005;

// Tells whether anything was written under a key since it was armed, even a
// value rewritten with the same data.
class WriteWatch {
public:
    explicit WriteWatch(const char* path) {
        RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_NOTIFY, &key_);
        event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (key_) RegNotifyChangeKeyValue(key_, FALSE, REG_NOTIFY_CHANGE_LAST_SET, event_, TRUE);
    }
    ~WriteWatch() {
        if (key_) RegCloseKey(key_);
        CloseHandle(event_);
    }
    bool Armed() const { return key_ != nullptr; }
    bool Written() const { return WaitForSingleObject(event_, 200) == WAIT_OBJECT_0; }

private:
    HKEY key_ = nullptr;
    HANDLE event_ = nullptr;
};

class PreferenceDialogTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ASSERT_TRUE(library_.Loaded());
        ASSERT_TRUE(listener_.Started());
        show_ = library_.Entry<void (*)(HWND)>("optora_dopreferences_noarea");
        ASSERT_NE(show_, nullptr);
    }

    void Show(UiDriver& ui, HWND owner = nullptr) { EXPECT_TRUE(ui.Run([&] { show_(owner); })) << ui.Failure(); }

    std::string Stored(const char* name) {
        const auto value = ReadStored(kArbor, name);
        if (!value) return "(absent)";
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << name;
        return value->Text();
    }

    // Messages the listener received since the last call.
    int PreferenceMessages() {
        const auto received = listener_.Received();
        int count = 0;
        for (size_t i = seen_; i < received.size(); ++i) {
            const ReceivedMessage& m = received[i];
            EXPECT_EQ(m.name, "PreferencesChanged");
            EXPECT_EQ(m.wParam, 0u);
            EXPECT_EQ(m.lParam, 0);
            ++count;
        }
        seen_ = received.size();
        return count;
    }

    OptoraLibrary library_;
    Listener listener_;
    void (*show_)(HWND) = nullptr;
    size_t seen_ = 0;
};

}  // namespace

TEST_F(PreferenceDialogTest, FirstUseShowsTheRegionAndTwoAndOkStoresBothThenAgainNothing) {
    UiDriver first;
    first.WaitForDialog("Preference").Then([](UiDriver& d) {
        EXPECT_TRUE(d.IsChecked(kMetric));
        EXPECT_FALSE(d.IsChecked(kImperial));
        ASSERT_EQ(d.ComboCount(kPrecision), 4);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(d.ComboItem(kPrecision, i), std::to_string(i)) << "position is precision";
        EXPECT_EQ(d.ComboSelection(kPrecision), 2);
        d.Click(IDOK);
    });
    Show(first);
    EXPECT_EQ(Stored("Notation"), "0");
    EXPECT_EQ(Stored("Precision"), "2");
    EXPECT_EQ(PreferenceMessages(), 1);

    WriteWatch watch(kArbor);
    ASSERT_TRUE(watch.Armed());
    UiDriver again;
    again.WaitForDialog("Preference").Then([](UiDriver& d) { d.Click(IDOK); });
    Show(again);
    EXPECT_FALSE(watch.Written()) << "unchanged values are not rewritten";
    EXPECT_EQ(PreferenceMessages(), 0);
}

TEST_F(PreferenceDialogTest, UsRegionOpensImperialAndOnlyAChangedPrecisionIsWritten) {
    SetRegionalMeasurement(true);
    UiDriver ui;
    ui.WaitForDialog("Preference").Then([](UiDriver& d) {
        EXPECT_TRUE(d.IsChecked(kImperial));
        EXPECT_FALSE(d.IsChecked(kMetric));
        d.Click(IDOK);
    });
    Show(ui);
    EXPECT_EQ(Stored("Notation"), "1");
    EXPECT_EQ(PreferenceMessages(), 1);

    UiDriver change;
    change.WaitForDialog("Preference").Then([](UiDriver& d) {
        d.SelectComboItem(kPrecision, 3);
        d.Click(IDOK);
    });
    WriteWatch watch(kArbor);
    Show(change);
    EXPECT_TRUE(watch.Written());
    EXPECT_EQ(Stored("Precision"), "3");
    EXPECT_EQ(Stored("Notation"), "1");
    EXPECT_EQ(PreferenceMessages(), 1) << "one broadcast for the one change";
}

TEST_F(PreferenceDialogTest, ValuesTheDialogDoesNotOfferShowNothingAndOkWritesMinusOne) {
    StoreText(kArbor, "Precision", "7");
    StoreText(kArbor, "Notation", "5");
    UiDriver ui;
    ui.WaitForDialog("Preference").Then([](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kPrecision), -1);
        EXPECT_FALSE(d.IsChecked(kMetric));
        EXPECT_FALSE(d.IsChecked(kImperial));
        d.Click(IDOK);
    });
    Show(ui);
    EXPECT_EQ(Stored("Precision"), "-1");
    EXPECT_EQ(Stored("Notation"), "-1");
    EXPECT_EQ(PreferenceMessages(), 1);
}

TEST_F(PreferenceDialogTest, CancelAfterChangesKeepsEverythingAndSendsNothing) {
    StoreText(kArbor, "Precision", "1");
    StoreText(kArbor, "Notation", "0");
    UiDriver ui;
    ui.WaitForDialog("Preference").Then([](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kPrecision), 1);
        d.Click(kImperial);
        EXPECT_TRUE(d.IsChecked(kImperial));
        d.SelectComboItem(kPrecision, 0);
        d.Click(IDCANCEL);
    });
    Show(ui);
    EXPECT_EQ(Stored("Precision"), "1");
    EXPECT_EQ(Stored("Notation"), "0");
    EXPECT_EQ(PreferenceMessages(), 0);
}

TEST_F(PreferenceDialogTest, TheCallersWindowOwnsTheDialogAndTheGettersSeeTheResult) {
    OwnWindow owner;
    HWND seenOwner = nullptr;
    UiDriver ui;
    ui.WaitForDialog("Preference").Then([&](UiDriver& d) {
        seenOwner = GetWindow(d.Dialog(), GW_OWNER);
        d.Click(kImperial);
        d.SelectComboItem(kPrecision, 0);
        d.Click(IDOK);
    });
    Show(ui, owner.Handle());
    EXPECT_EQ(seenOwner, owner.Handle());
    EXPECT_EQ(library_.Entry<int (*)()>("optora_getnotation")(), 1);
    EXPECT_EQ(library_.Entry<int (*)()>("optora_getprecision")(), 0);
    EXPECT_EQ(PreferenceMessages(), 1);
    const UINT id = RegisterWindowMessageA("PreferencesChanged");
    EXPECT_EQ(std::count(owner.Received().begin(), owner.Received().end(), id), 1)
        << "the calling application hears the change too";
}
