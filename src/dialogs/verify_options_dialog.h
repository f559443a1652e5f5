#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/browse_key.h"
#include "controls/size_digitized_edit.h"
#include "dialogs/policy_locks.h"
#include "options/verify_options.h"
#include "ui/control.h"
#include "ui/dialog.h"

namespace optora {

// The digitize options: where digitized pieces go, how they are named, their
// category, model and grading source. OK checks the area and the grading
// source against the storage-area database, saves and tells every
// application what changed.
class CVerifyOptionsDlg : public ui::ModalDialog {
public:
    // focusId -1: the storage-area field.
    explicit CVerifyOptionsDlg(HWND owner = nullptr, int focusId = -1);

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Load();
    void OnStorageAreaChanged();
    void BrowseStorageArea();
    void BrowseItem(int fieldId, uint32_t kindMask);
    void ShowGradingSource(bool copyPiece);
    void EnableCategory();
    void StartModelProgram();
    void Refuse(UINT promptId, int fieldId, const std::vector<std::string>& inserts);

    CSizeDigitizedEdit size_;
    BrowseKey areaBrowseKey_, modelBrowseKey_, ruleBrowseKey_;
    ui::ComboBox gradingSource_;
    VerifyOptions record_;  // the working record, apart from the getter's
    VerifyOptionsStore store_{record_};
    int focusId_;
    bool initializing_ = true;  // fields filled by the opening are not the user's changes
    PolicyLocks locks_{PolicyDialog::Verify};
};

}  // namespace optora
