#include "dialogs/preference_dialog.h"

#include <string>

#include "frame/library_text.h"
#include "frame/notifications.h"
#include "options/decimal_text.h"
#include "options/notation.h"
#include "options/policy.h"
#include "optora.h"
#include "res/preferences_ids.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "ui/data_exchange.h"

namespace optora {

CPreference::CPreference(HWND owner) : ModalDialog(IDD_PREFERENCE, owner) {}

int CPreference::ReadNotation() const { return optora::ReadNotation(); }
int CPreference::ReadPrecision() const { return optora::ReadPrecision(); }

void CPreference::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Control(IDC_PREF_PRECISION, precisionList_);
    exchange.RadioGroup(IDC_PREF_METRIC, notation_);
}

bool CPreference::OnInitDialog() {
    ModalDialog::OnInitDialog();
    for (UINT id : {IDS_PRECISION_0, IDS_PRECISION_1, IDS_PRECISION_2, IDS_PRECISION_3})
        precisionList_.Add(LibraryText(id));
    Load();
    locks_.Show(Handle());
    return true;
}

// The values as the getters read them, the administrator's where set.
void CPreference::Load() {
    std::string precision, notation;
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    key.SetOverlay(PolicyOverlay(keys::kArbor));
    if (key.OpenForReading()) {
        key.ReadText("Precision", precision);
        key.ReadText("Notation", notation);
        notation_ = DecimalPrefix(notation);
    }
    if (precision.empty()) precision = LibraryText(IDS_PRECISION_2);
    if (notation.empty()) notation_ = RegionalMeasurement();

    // A stored precision the list does not offer leaves nothing selected.
    precisionList_.SelectByPrefix(precision);
    UpdateData(false);
}

bool CPreference::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (IsPolicyChange(message, lParam)) {
        locks_.Show(Handle());
        Load();
    }
    return false;
}

void CPreference::OnOK() {
    UpdateData(true);
    if (WriteChanges()) Broadcast(OPTORA_MSG_PREFERENCES, 0, 0, kBroadcastDefault);
    EndDialog(IDOK);
}

bool CPreference::WriteChanges() const { return SavePreferences(notation_, precisionList_.Selection()); }

}  // namespace optora
