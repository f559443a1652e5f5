// The Preference dialog as an application opens it, driven as a user would.
#include "dialog_test.h"

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
    HANDLE event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

class PreferenceDialogTest : public DialogTest {
protected:
    void Show(UiDriver::Action script, HWND owner = nullptr) {
        const auto show = library_.Entry<void (*)(HWND)>("optora_dopreferences_noarea");
        Drive("Preference", [&] { show(owner); }, std::move(script));
    }
    std::string Stored(const char* name) {
        const auto value = ReadStored(kArbor, name);
        if (!value) return "(absent)";
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ)) << name;
        return value->Text();
    }
    int Broadcasts() { return DialogTest::Broadcasts("PreferencesChanged"); }
};

}  // namespace

TEST_F(PreferenceDialogTest, FirstUseShowsTheRegionAndTwoAndOkThenStoresOnlyWhatChanged) {
    for (const bool us : {false, true}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        SetRegionalMeasurement(us);
        Show([us](UiDriver& d) {
            EXPECT_EQ(d.IsChecked(kImperial), us);
            EXPECT_EQ(d.IsChecked(kMetric), !us);
            EXPECT_EQ(d.ComboItems(kPrecision), (std::vector<std::string>{"0", "1", "2", "3"}));
            EXPECT_EQ(d.ComboSelection(kPrecision), 2);
            d.Click(IDOK);
        });
        EXPECT_EQ(Stored("Notation"), us ? "1" : "0");
        EXPECT_EQ(Stored("Precision"), "2");
        EXPECT_EQ(Broadcasts(), 1);
    }

    WriteWatch watch(kArbor);
    ASSERT_TRUE(watch.Armed());
    Show([](UiDriver& d) { d.Click(IDOK); });
    EXPECT_FALSE(watch.Written()) << "unchanged values are not rewritten";
    EXPECT_EQ(Broadcasts(), 0);

    Show([](UiDriver& d) {
        d.SelectComboItem(kPrecision, 3);
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("Precision"), "3");
    EXPECT_EQ(Stored("Notation"), "1");
    EXPECT_EQ(Broadcasts(), 1) << "one broadcast for the one change";
}

TEST_F(PreferenceDialogTest, ValuesTheDialogDoesNotOfferShowNothingAndCancelKeepsWhatIsStored) {
    StoreText(kArbor, "Precision", "7");
    StoreText(kArbor, "Notation", "5");
    Show([](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kPrecision), -1);
        EXPECT_FALSE(d.IsChecked(kMetric) || d.IsChecked(kImperial));
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("Precision"), "-1") << "OK writes what is shown";
    EXPECT_EQ(Stored("Notation"), "-1");
    EXPECT_EQ(Broadcasts(), 1);

    StoreText(kArbor, "Precision", "1");
    StoreText(kArbor, "Notation", "0");
    Show([](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kPrecision), 1);
        d.Click(kImperial);
        EXPECT_TRUE(d.IsChecked(kImperial));
        d.SelectComboItem(kPrecision, 0);
        d.Click(IDCANCEL);
    });
    EXPECT_EQ(Stored("Precision"), "1") << "Cancel after changes";
    EXPECT_EQ(Stored("Notation"), "0");
    EXPECT_EQ(Broadcasts(), 0);
}

TEST_F(PreferenceDialogTest, TheCallersWindowOwnsTheDialogAndTheGettersSeeTheResult) {
    OwnWindow owner;
    HWND seenOwner = nullptr;
    Show(
        [&](UiDriver& d) {
            seenOwner = GetWindow(d.Dialog(), GW_OWNER);
            d.Click(kImperial);
            d.SelectComboItem(kPrecision, 0);
            d.Click(IDOK);
        },
        owner.Handle());
    EXPECT_EQ(seenOwner, owner.Handle());
    EXPECT_EQ(library_.Entry<int (*)()>("optora_getnotation")(), 1);
    EXPECT_EQ(library_.Entry<int (*)()>("optora_getprecision")(), 0);
    EXPECT_EQ(Broadcasts(), 1);
    const UINT id = RegisterWindowMessageA("PreferencesChanged");
    EXPECT_EQ(std::count(owner.Received().begin(), owner.Received().end(), id), 1)
        << "the calling application hears the change too";
}
