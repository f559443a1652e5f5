#pragma once
#include <windows.h>

#include "controls/lbut_combo_box.h"
#include "dialogs/policy_locks.h"
#include "ui/dialog.h"

namespace optora {

// The suite-wide grade method (options/grade_method.h) chosen from a list.
class CGradeOptionsDlg : public ui::ModalDialog {
public:
    explicit CGradeOptionsDlg(HWND owner = nullptr, int readOnly = 0);

    // The stored method, as ReadGradeMethod finds it (selected when the list
    // exists); true when the first method was just written as the default.
    bool Read();
    // SaveGradeMethod and SaveGradeMethodIfChanged, for the getters that
    // build this class without a window.
    void Save(int index, bool announce);
    void SaveIfChanged(int index);

    int GradeIndex() const { return gradeIndex_; }

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CLButComboBox methodList_;
    bool changed_ = false;
    int gradeIndex_ = 0;
    int readOnly_ = 0;
    PolicyLocks locks_{PolicyDialog::GradeOptions};
};

}  // namespace optora
