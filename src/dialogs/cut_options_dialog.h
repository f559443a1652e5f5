#pragma once
#include <windows.h>

#include <string>

#include "controls/dos_path_lookup.h"
#include "controls/storage_area_lookup.h"
#include "dialogs/policy_locks.h"
#include "optora.h"
#include "ui/dialog.h"

namespace optora {

// The cut options of the current cut application: storage area or export
// directory, file names and extensions, cut format, bundles, the default
// cutter parameter table. Any other window's cut or plot change reloads it;
// OK saves and, when something may differ elsewhere, tells every application.
class CCutOptionsDlg : public ui::ModalDialog {
public:
    explicit CCutOptionsDlg(HWND owner);

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnRegisteredMessage(UINT id, WPARAM wParam, LPARAM lParam) override;

private:
    void Load();
    void Reload();
    void OnOutputClicked(int id);
    void ApplyExtensionRule();
    void ApplyAppendCountRule();
    void ApplyExportRule();
    CutOptions_tag Record() const;

    std::string directory_, directoryAtOpening_;
    // What the dialog last put into the two lookups: a text that differs is
    // the user's pending edit, which a reload keeps.
    std::string shownDirectory_, shownParameterTable_;
    int saveToStorage_ = 1;
    int export_ = 0;
    int format_ = 1;  // 0 "33format", 1 "42format", 2 "43format"
    int bundles_ = 0, loadedBundles_ = 0;
    std::string extension_, loadedExtension_;
    int autoCut_ = 0;
    std::string parameterTable_, loadedParameterTable_;
    int nameFormat_ = 1;
    int extensionType_ = 3;
    int appendCount_ = 0;
    bool changed_ = false;
    DosPathLookup directoryLookup_;
    StorageAreaLookup parameterTableLookup_;
    PolicyLocks locks_{PolicyDialog::Cut};
};

}  // namespace optora
