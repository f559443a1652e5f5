// Every option dialog under an administrator's locked values: the controls
// that edit one are disabled and show the policy's value, a line at the
// dialog's foot says why, and OK keeps the user's own value.
#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <functional>

#include "dialog_test.h"
#include "dialogs/policy_locks.h"
#include "policy_values.h"
#include "res/policy_locks_ids.h"

using namespace optora::test;
using optora::PolicyControlsOf;
using optora::PolicyDialog;

namespace {

constexpr const char* kFootLine = "Some settings are managed by your administrator.";

// One locked value per dialog, and an edit of another value that OK stores.
struct Row {
    PolicyDialog dialog;
    const char* caption;
    const char* entry;
    int argument;  // -1: the launcher takes none
    PolicyPlace place;
    const char* name;
    const char* policy;  // as a REG_SZ, else a REG_DWORD
    DWORD dword;
    const char* userKey;  // where the user's own value is stored first
    bool userText;
    const char* user;  // a binary's as a number
    int shownId;
    std::string shown;  // a button's "checked", else the control's text
    std::function<void(UiDriver&)> edit;
    const char* editedKey;
    const char* editedName;
    std::string edited;
};

const char* const kGradeKey = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
const char* const kCutDefault = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";

const Row kRows[] = {
    {PolicyDialog::Preference, "Preference", "optora_dopreferences_noarea", -1, {true, false, "Arbor"}, "Notation",
     nullptr, 1, kArbor, true, "0", IDC_PREF_IMPERIAL, "checked",
     [](UiDriver& d) { d.SelectComboItem(IDC_PREF_PRECISION, 3); }, kArbor, "Precision", "3"},
    {PolicyDialog::GradeOptions, "Grade Options", "optora_dogradeoptions", 0,
     {false, false, "Marlow 2000\\RuleTable\\GradeOptions"}, "Grade Method", "Base Up-Down Cumulative", 0, kGradeKey,
     true, "Small-Large Incremental", IDC_GRADE_METHOD, "Base Up-Down Cumulative", nullptr, nullptr, nullptr, ""},
    {PolicyDialog::Cut, "Default Cut Options", "optora_docutoptions", -1, {true, false, "Arbor"}, "Bundles_By",
     nullptr, 1, kArbor, false, "0", IDC_CUT_BY_MODEL, "checked", [](UiDriver& d) { d.Click(IDC_CUT_AUTO); },
     kCutDefault, "AutoCut", "1"},
    {PolicyDialog::Plot, "Default Plot Options", "optora_doplotoptions", 0, {false, false, "Arbor\\PlotOptions"},
     "PlotDosNameFormat", nullptr, 1, "Software\\Kestrel\\Arbor\\PlotOptions\\DEFAULT_PLOT_OPTIONS", false, "0",
     IDC_PLOT_LONG_NAME, "checked", [](UiDriver& d) { d.Click(IDC_PLOT_BY_MODEL); }, kArbor, "Bundles_By", "1"},
    {PolicyDialog::Order, "Order Options", "optora_doorderoptions", 1, {true, false, "Arbor\\OrderOptions"},
     "OverwriteMarker", nullptr, 2, kOrderKey, false, "0", IDC_ORDER_OVERWRITE_PROMPT, "checked",
     [](UiDriver& d) { d.SelectComboItem(IDC_ORDER_LAYRULE, 1); }, kOrderKey, "LayruleMethod", "1"},
    {PolicyDialog::Verify, "Digitize Processing Options", "optora_doverifyoptions", -1, {false, false, "Quillon"},
     "Prefix", "LOCKED", 0, kQuillon, true, "USER", IDC_VERIFY_PREFIX, "LOCKED",
     [](UiDriver& d) { d.Click(IDC_VERIFY_SAME_CATEGORY); }, kQuillon, "CategoryChB", "0"},
};

// Small numbers and texts alike: a binary's first byte is its value here.
std::string Stored(const char* key, const char* name) {
    const auto value = ReadStored(key, name);
    if (!value) return "(missing)";
    if (value->type == REG_SZ) return value->Text();
    return value->bytes.empty() ? "(empty)" : std::to_string(static_cast<int8_t>(value->bytes[0]));
}

std::string Shown(UiDriver& d, int id) {
    char className[16] = {};
    GetClassNameA(d.Item(id), className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0) return d.IsChecked(id) ? "checked" : "unchecked";
    return d.Text(id);
}

std::vector<int> ControlsOf(const Row& row) {
    for (const auto& value : PolicyControlsOf(row.dialog))
        if (std::string(value.name) == row.name) return {value.ids, value.ids + 4};
    ADD_FAILURE() << row.name << " is in no table";
    return {};
}

// What the dialog's tooltip says over a control, registered on the dialog:
// a disabled control hears no mouse.
std::string TipOver(HWND dialog, int id) {
    std::string tip;
    for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w;
         w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
        if (GetWindow(w, GW_OWNER) != dialog) continue;
        char text[512] = {};
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = dialog;
        tool.uId = static_cast<UINT_PTR>(id);
        tool.lpszText = text;
        SendMessageA(w, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        tip += text;
    }
    return tip;
}

void Lock(const Row& row) {
    if (row.policy)
        SetPolicyText(row.place, row.name, row.policy);
    else
        SetPolicyDword(row.place, row.name, row.dword);
}

// The controls of the row's value disabled, or all enabled, and the foot line
// there or not.
void ExpectLocked(UiDriver& d, const Row& row, bool locked) {
    for (int id : ControlsOf(row)) {
        if (!id) continue;
        EXPECT_EQ(IsWindowEnabled(d.Item(id)) == FALSE, locked) << "control " << id;
        const std::string source = row.place.machine ? "machine" : "user";
        EXPECT_EQ(TipOver(d.Dialog(), id).rfind("Set by your administrator: " + source + " mandatory policy, ", 0) == 0,
                  locked)
            << TipOver(d.Dialog(), id);
    }
    const HWND line = d.Item(IDC_POLICY_FOOT_LINE);
    EXPECT_EQ(line != nullptr, locked);
    if (line) {
        EXPECT_EQ(WindowText(line), kFootLine);
        RECT lineRect = {}, client = {};
        GetWindowRect(line, &lineRect);
        MapWindowPoints(nullptr, d.Dialog(), reinterpret_cast<POINT*>(&lineRect), 2);
        GetClientRect(d.Dialog(), &client);
        EXPECT_LE(lineRect.bottom, client.bottom) << "the dialog grew to hold the line";
        for (HWND child = GetWindow(d.Dialog(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT rect = {}, overlap = {};
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, d.Dialog(), reinterpret_cast<POINT*>(&rect), 2);
            if (child != line && IsWindowVisible(child)) {
                EXPECT_FALSE(IntersectRect(&overlap, &rect, &lineRect)) << "control " << GetDlgCtrlID(child);
            }
        }
    }
}

class PolicyDialogsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        // Saved plot directories must exist; the digitized pieces need an area.
        for (const char* directory : {"C:\\PLOT", "C:\\DEFAULT"}) std::filesystem::create_directories(directory);
        MakeStorageArea("AREA1");
        StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    }
    void Open(const Row& row, UiDriver::Action script) {
        Drive(row.caption, [&] {
            if (row.argument < 0)
                library_.Entry<void (*)(HWND)>(row.entry)(nullptr);
            else
                library_.Entry<void (*)(HWND, int)>(row.entry)(nullptr, row.argument);
        }, std::move(script));
    }
};

}  // namespace

TEST_F(PolicyDialogsTest, LockedValuesAreShownDisabledAndOkKeepsTheUsersOwn) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.caption);
        if (row.userText)
            StoreText(row.userKey, row.name, row.user);
        else
            StoreInt32(row.userKey, row.name, std::stoi(row.user));
        const std::string before = Stored(row.userKey, row.name);
        Lock(row);
        Open(row, [&](UiDriver& d) {
            ExpectLocked(d, row, true);
            EXPECT_EQ(Shown(d, row.shownId), row.shown);
            if (row.edit) row.edit(d);
            ExpectLocked(d, row, true);
            d.Click(IDOK);
        });
        EXPECT_EQ(Stored(row.userKey, row.name), before) << "the user's own value stays";
        if (row.editedKey) {
            EXPECT_EQ(Stored(row.editedKey, row.editedName), row.edited);
        }
        ClearPolicies();
    }
}

TEST_F(PolicyDialogsTest, APolicyChangeLocksAndFreesTheOpenDialog) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.caption);
        Open(row, [&](UiDriver& d) {
            ExpectLocked(d, row, false);
            RECT original = {}, locked = {}, freed = {};
            GetWindowRect(d.Dialog(), &original);
            const auto policyChanged = [&] {
                SendMessageA(d.Dialog(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
            };
            Lock(row);
            policyChanged();
            ExpectLocked(d, row, true);
            EXPECT_EQ(Shown(d, row.shownId), row.shown);
            GetWindowRect(d.Dialog(), &locked);
            EXPECT_GT(locked.bottom - locked.top, original.bottom - original.top);
            ClearPolicies();
            policyChanged();
            ExpectLocked(d, row, false);
            GetWindowRect(d.Dialog(), &freed);
            EXPECT_EQ(freed.bottom - freed.top, original.bottom - original.top);
            d.Click(IDCANCEL);
        });
    }
}

// Without its row the order dialog stores the first layrule method: one the
// administrator locked is held back, and with nothing else written no
// application is told; a value not shown needs no foot line.
TEST_F(PolicyDialogsTest, AHeldBackWriteIsNoNews) {
    StoreRaw(kOrderKey, "LayruleMethod", REG_BINARY, "\x01", 1);
    SetPolicyDword({true, false, "Arbor\\OrderOptions"}, "LayruleMethod", 2);
    Drive("Order Options", [&] { library_.Entry<void (*)(HWND, int)>("optora_doorderoptions")(nullptr, 0); },
          [](UiDriver& d) {
              EXPECT_EQ(d.Item(IDC_POLICY_FOOT_LINE), nullptr);
              d.Click(IDOK);
          });
    EXPECT_EQ(Stored(kOrderKey, "LayruleMethod"), "1");
    EXPECT_EQ(Broadcasts("OrderOptionsChanged"), 0);
}

// The template's whole offer at once: every value a dialog edits is locked
// there, every control of it disabled.
TEST_F(PolicyDialogsTest, EveryOfferedPolicyDisablesItsDialogsControls) {
    const auto picked = SetEveryOfferedPolicy();
    for (const auto& [owned, pick] : picked) {
        if (owned->set == optora::OptionSet::Alteration) continue;  // the applications' own, in no dialog
        int tables = 0;
        for (const Row& row : kRows)
            for (const auto& value : PolicyControlsOf(row.dialog))
                tables += std::string(value.key) == owned->key && std::string(value.name) == owned->name;
        EXPECT_GT(tables, 0) << owned->name << " has no control in any dialog";
    }
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.caption);
        Open(row, [&](UiDriver& d) {
            for (const auto& value : PolicyControlsOf(row.dialog))
                for (int id : value.ids)
                    if (id) {
                        EXPECT_FALSE(IsWindowEnabled(d.Item(id))) << value.name << " control " << id;
                    }
            d.Click(IDCANCEL);
        });
    }
}
