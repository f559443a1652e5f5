// The Preference dialog as an application opens it, driven as a user would.
#include "dialog_test.h"

using namespace optora::test;

namespace {

constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr int kImperial = 1002, kMetric = 1003, kPrecision = 1005;

class PreferenceDialogTest : public DialogTest {
protected:
    void Show(UiDriver::Action script, HWND owner = nullptr) {
        const auto show = library_.Entry<void (*)(HWND)>("optora_dopreferences_noarea");
        Drive("Preference", [&] { show(owner); }, std::move(script));
    }
    std::string Stored(const char* name, DWORD type = REG_SZ) {
        const auto value = ReadStored(kArbor, name);
        if (!value) return "(absent)";
        EXPECT_EQ(value->type, type) << name;
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

    // Marked: a rewrite would make them REG_SZ again.
    StoreRaw(kArbor, "Notation", REG_EXPAND_SZ, "1", 2);
    StoreRaw(kArbor, "Precision", REG_EXPAND_SZ, "2", 2);
    Show([](UiDriver& d) { d.Click(IDOK); });
    EXPECT_EQ(Stored("Notation", REG_EXPAND_SZ), "1") << "unchanged values are not rewritten";
    EXPECT_EQ(Stored("Precision", REG_EXPAND_SZ), "2");
    EXPECT_EQ(Broadcasts(), 0);

    Show([](UiDriver& d) {
        d.SelectComboItem(kPrecision, 3);
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored("Precision"), "3");
    EXPECT_EQ(Stored("Notation", REG_EXPAND_SZ), "1") << "only the changed value is written";
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
    const auto notation = library_.Entry<int (*)()>("optora_getnotation");
    int heard = -1;
    OwnWindow owner([&] { heard = notation(); });
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
    EXPECT_EQ(heard, 1) << "saved before the broadcast, readable during it";
    EXPECT_EQ(owner.KeysHeldOpen(), 0);
    EXPECT_EQ(notation(), 1);
    EXPECT_EQ(library_.Entry<int (*)()>("optora_getprecision")(), 0);
    EXPECT_EQ(Broadcasts(), 1);
    const UINT id = RegisterWindowMessageA("PreferencesChanged");
    EXPECT_EQ(std::count(owner.Received().begin(), owner.Received().end(), id), 1)
        << "the calling application hears the change too";
}
