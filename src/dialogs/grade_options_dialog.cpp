#include "dialogs/grade_options_dialog.h"

#include "frame/notifications.h"
#include "optora.h"
#include "options/registry_paths.h"
#include "res/preferences_ids.h"
#include "store/registry_key.h"
#include "store/store_lock.h"
#include "ui/data_exchange.h"
#include "ui/library_text.h"

namespace optora {
namespace {
constexpr const char* kGradeMethod = "Grade Method";
}

CGradeOptionsDlg::CGradeOptionsDlg(HWND owner, int readOnly)
    : ModalDialog(IDD_GRADE_OPTIONS, owner), readOnly_(readOnly) {}

std::array<std::string, 3> CGradeOptionsDlg::MethodTexts() {
    return {ui::LibraryText(IDS_GRADE_SMALL_LARGE_INCREMENTAL), ui::LibraryText(IDS_GRADE_BASE_CUMULATIVE),
            ui::LibraryText(IDS_GRADE_BASE_INCREMENTAL)};
}

std::string CGradeOptionsDlg::MethodText(int index) {
    const auto texts = MethodTexts();
    return index >= 0 && index < static_cast<int>(texts.size()) ? texts[static_cast<size_t>(index)] : std::string();
}

bool CGradeOptionsDlg::Read() {
    const auto texts = MethodTexts();
    std::string current = texts[0];
    bool found = false;
    {
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        if (key.OpenForReading()) found = key.ReadText(kGradeMethod, current, texts[0].c_str());
    }
    // Text edited by hand or saved in another language keeps the index we had.
    for (size_t i = 0; i < texts.size(); ++i) {
        if (current == texts[i]) {
            gradeIndex_ = static_cast<int>(i);
            break;
        }
    }
    if (methodList_.Handle()) methodList_.Select(gradeIndex_);
    if (found) return false;
    RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
    key.OpenForWriting();
    key.WriteText(kGradeMethod, current);
    return true;
}

void CGradeOptionsDlg::Save(int index, bool announce) {
    bool written = false;
    {
        const StoreLock hold;
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        key.OpenForWriting();  // a failed open makes the write fail quietly
        written = key.WriteText(kGradeMethod, MethodText(index));
    }
    // Closed first: the sender's own windows hear the broadcast and may read.
    if (written && announce) Broadcast(OPTORA_MSG_GRADEOPTIONS, 0, 0, kBroadcastDefault);
}

void CGradeOptionsDlg::SaveIfChanged(int index) {
    std::string stored;
    bool found = false;
    {
        RegistryKey key(HKEY_CURRENT_USER, keys::kGradeOptions);
        if (key.OpenForReading()) found = key.ReadText(kGradeMethod, stored);
    }
    Save(index, !found || stored != MethodText(index));
}

void CGradeOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Control(IDC_GRADE_METHOD, methodList_);
}

bool CGradeOptionsDlg::OnInitDialog() {
    ModalDialog::OnInitDialog();
    methodList_.Clear();
    for (const std::string& text : MethodTexts()) methodList_.InsertAt(-1, text);
    if (readOnly_) EnableWindow(methodList_.Handle(), FALSE);
    changed_ = Read();  // a default just written is news to the suite
    return true;
}

void CGradeOptionsDlg::OnOK() {
    UpdateData(true);
    Save(methodList_.Selection(), changed_);
    EndDialog(IDOK);
}

bool CGradeOptionsDlg::OnCommand(WORD id, WORD code, HWND) {
    if (id == IDC_GRADE_METHOD && code == CBN_SELCHANGE) changed_ = true;
    return false;
}

}  // namespace optora
