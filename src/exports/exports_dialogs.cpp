// The exported entry points that show the dialogs or stand on their classes.
#include "optora.h"

#include "dialogs/cut_options_dialog.h"
#include "dialogs/grade_options_dialog.h"
#include "dialogs/plot_options_dialog.h"
#include "dialogs/order_options_dialog.h"
#include "dialogs/preference_dialog.h"
#include "frame/call_frame.h"
#include "options/grade_method.h"
#include "ui/launch.h"

using namespace optora;

extern "C" {

void optora_dopreferences_noarea(HWND owner) { ui::LaunchModal<CPreference>(owner); }

void optora_dogradeoptions(HWND owner, int listDisabled) { ui::LaunchModal<CGradeOptionsDlg>(owner, listDisabled); }

int optora_getgradeoption(void) { return Shielded(0, [] { return GradeMethodIndex(); }); }

void optora_setgradeoption(int method) {
    Shielded([method] { CGradeOptionsDlg().SaveIfChanged(method); });
}

void optora_doorderoptions(HWND owner, unsigned int offerLayrule) {
    ui::LaunchModal<COrderOptionsDlg>(owner, offerLayrule);
}

void _optora_dogradeoptions(HWND owner, int listDisabled) { optora_dogradeoptions(owner, listDisabled); }
int _optora_getgradeoption(void) { return optora_getgradeoption(); }
void _optora_setgradeoption(int method) { optora_setgradeoption(method); }
void _optora_doorderoptions(HWND owner, unsigned int offerLayrule) { optora_doorderoptions(owner, offerLayrule); }

void optora_docutoptions(HWND owner) { ui::LaunchModal<CCutOptionsDlg>(owner); }
void optora_doplotoptions(HWND owner, int showAstm) { ui::LaunchModal<CPlotOptionsDlg>(owner, showAstm); }
void _optora_docutoptions(HWND owner) { optora_docutoptions(owner); }
void _optora_doplotoptions(HWND owner) { optora_doplotoptions(owner, 0); }

}  // extern "C"
