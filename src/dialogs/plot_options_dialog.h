#pragma once
#include <windows.h>

#include <string>

#include "controls/dos_path_lookup.h"
#include "controls/lbut_combo_box.h"
#include "optora.h"
#include "ui/control.h"
#include "dialogs/policy_locks.h"
#include "ui/dialog.h"

namespace optora {

// The plot options of the current plot application: file type, destination
// among the plot queues and its media, plot file names, image directory and
// type, bundles, utilization. Any other window's cut or plot change reloads
// it; every successful OK saves and tells every application.
class CPlotOptionsDlg : public ui::ModalDialog {
public:
    CPlotOptionsDlg(HWND owner, int showAstm);

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnRegisteredMessage(UINT id, WPARAM wParam, LPARAM lParam) override;

private:
    void Load();
    void Initialise();
    void FillDestinations();
    void ApplyDestinationRule();
    void ApplyExtensionRule();
    void ApplyAppendCountRule();
    bool CountRulesApply();
    void ShowUnits();
    void ShowApplicationLook();
    void Touch();  // controls to members, and something may differ now
    bool PlotsToFile() const;
    PlotOptions_tag Record() const;

    int fileType_ = 0;
    int bundles_ = 0;
    int output_ = 0;
    std::string plotDirectory_, imageDirectory_, imageType_;
    // What the dialog last put into the directory lookups (see RefreshUntouched).
    std::string shownPlotDirectory_, shownImageDirectory_;
    int waste_ = 0;
    int decimal_ = 0;
    int autoPlot_ = 0;
    int nameFormat_ = 1;
    int extensionType_ = 3;
    std::string extension_;
    int appendCount_ = 0;
    std::string storedDestination_, storedMedia_;
    // What OK saves: the chosen entries, or the stored texts while the
    // queue library does not offer them and nothing else was chosen.
    std::string destination_, media_;
    int showAstm_;
    bool changed_ = false;
    DosPathLookup plotDirectoryLookup_, imageDirectoryLookup_;
    CLButComboBox destinationList_, mediaList_;
    ui::ComboBox imageTypeList_;
    PolicyLocks locks_{PolicyDialog::Plot};
};

}  // namespace optora
