// The Preference dialog as an application opens it, driven as a user would.
#include <functional>

#include "dialog_test.h"

using namespace optora::test;

constexpr int kImperial = 1002, kMetric = 1003, kPrecision = 1005;

class PreferenceDialogTest : public DialogTest {
protected:
    void Show(UiDriver::Action script, HWND owner = nullptr) {
        const auto show = library_.Entry<void (*)(HWND)>("optora_dopreferences_noarea");
        Drive("Preference", [&] { show(owner); }, std::move(script));
    }
    std::string Stored(const char* name, DWORD type) { return StoredText(kArbor, name, type); }
    int Broadcasts() { return DialogTest::Broadcasts("PreferencesChanged"); }
};

// The first run starts from a fresh user in a metric region, each other from
// what the one before left, unless it stores values of its own; REG_EXPAND_SZ
// marks a value that OK must not rewrite.
TEST_F(PreferenceDialogTest, TheDialogShowsWhatIsStoredAndOkWritesOnlyWhatChanged) {
    const struct {
        const char *precision, *notation;  // stored before the run, when given
        DWORD storedType; int shownPrecision; bool metric, imperial; std::function<void(UiDriver&)> edit; int button;
        const char *savedPrecision, *savedNotation; DWORD precisionType, notationType; int broadcasts;
    } runs[] = {
        {nullptr, nullptr, REG_SZ, 2, true, false, {}, IDOK, "2", "0", REG_SZ, REG_SZ, 1},
        {"2", "1", REG_EXPAND_SZ, 2, false, true, {}, IDOK, "2", "1", REG_EXPAND_SZ, REG_EXPAND_SZ, 0},
        {nullptr, nullptr, REG_SZ, 2, false, true, [](UiDriver& d) { d.SelectComboItem(kPrecision, 3); },
         IDOK, "3", "1", REG_SZ, REG_EXPAND_SZ, 1},
        // Values the dialog does not offer show nothing; OK writes what is shown.
        {"7", "5", REG_SZ, -1, false, false, {}, IDOK, "-1", "-1", REG_SZ, REG_SZ, 1},
        {"1", "0", REG_SZ, 1, true, false,
         [](UiDriver& d) {
             d.Click(kImperial);
             d.SelectComboItem(kPrecision, 0);
         },
         IDCANCEL, "1", "0", REG_SZ, REG_SZ, 0},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(testing::Message() << "run " << (&r - runs));
        if (r.precision) StoreRaw(kArbor, "Precision", r.storedType, r.precision, 2);
        if (r.notation) StoreRaw(kArbor, "Notation", r.storedType, r.notation, 2);
        Show([&r](UiDriver& d) {
            EXPECT_EQ(d.ComboItems(kPrecision), (std::vector<std::string>{"0", "1", "2", "3"}));
            EXPECT_EQ(d.ComboSelection(kPrecision), r.shownPrecision);
            EXPECT_EQ(d.IsChecked(kMetric), r.metric);
            EXPECT_EQ(d.IsChecked(kImperial), r.imperial);
            if (r.edit) r.edit(d);
            d.Click(r.button);
        });
        EXPECT_EQ(Stored("Precision", r.precisionType), r.savedPrecision);
        EXPECT_EQ(Stored("Notation", r.notationType), r.savedNotation);
        EXPECT_EQ(Broadcasts(), r.broadcasts);
    }
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
    const UINT id = RegisterWindowMessageA("PreferencesChanged");
    EXPECT_EQ(std::count(owner.Received().begin(), owner.Received().end(), id), 1)
        << "the calling application hears the change too";
}
