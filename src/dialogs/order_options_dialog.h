#pragma once
#include <windows.h>

#include "controls/amount_edit.h"
#include "controls/lbut_combo_box.h"
#include "dialogs/policy_locks.h"
#include "ui/dialog.h"

namespace optora {

// The order options: overwrite marker, layrule method (a row the caller may
// leave out) and the split piece seam in the user's notation. OK saves and
// tells every application only when something changed.
class COrderOptionsDlg : public ui::ModalDialog {
public:
    COrderOptionsDlg(HWND owner, unsigned int showLayrule);

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnRegisteredMessage(UINT id, WPARAM wParam, LPARAM lParam) override;

private:
    void Load();
    void RefreshNotation();
    void HideLayruleRow();
    void Highlight(int id);
    HBRUSH OnCtlColorStatic(HDC dc, HWND control);

    int overwrite_ = 0;  // radio index: 0 no, 1 yes, 2 prompt
    CLButComboBox layrule_;
    CAmountEdit seam_;
    bool changed_ = false;
    unsigned int showLayrule_;
    int highlighted_ = -1;  // the label drawn in red, -1 for none
    PolicyLocks locks_{PolicyDialog::Order};
};

}  // namespace optora
