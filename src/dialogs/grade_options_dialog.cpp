#include "dialogs/grade_options_dialog.h"

#include "options/grade_method.h"
#include "res/preferences_ids.h"
#include "ui/data_exchange.h"

namespace optora {

CGradeOptionsDlg::CGradeOptionsDlg(HWND owner, int readOnly)
    : ModalDialog(IDD_GRADE_OPTIONS, owner), readOnly_(readOnly) {}

bool CGradeOptionsDlg::Read() {
    const bool written = ReadGradeMethod(gradeIndex_);
    if (methodList_.Handle()) methodList_.Select(gradeIndex_);
    return written;
}

void CGradeOptionsDlg::Save(int index, bool announce) { SaveGradeMethod(index, announce); }

void CGradeOptionsDlg::SaveIfChanged(int index) { SaveGradeMethodIfChanged(index); }

void CGradeOptionsDlg::DoDataExchange(ui::DataExchange& exchange) {
    exchange.Control(IDC_GRADE_METHOD, methodList_);
}

bool CGradeOptionsDlg::OnInitDialog() {
    ModalDialog::OnInitDialog();
    methodList_.Clear();
    for (const std::string& text : GradeMethodTexts()) methodList_.InsertAt(-1, text);
    changed_ = Read();  // a default just written is news to the suite
    locks_.Show(Handle());
    if (readOnly_) EnableWindow(methodList_.Handle(), FALSE);
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

bool CGradeOptionsDlg::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (!IsPolicyChange(message, lParam)) return false;
    locks_.Show(Handle());
    if (readOnly_) EnableWindow(methodList_.Handle(), FALSE);
    changed_ = Read() || changed_;
    return false;
}

}  // namespace optora
