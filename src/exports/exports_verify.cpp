// The Digitize Processing Options dialog: its launcher, and the way its owner
// ends it from outside.
#include "optora.h"

#include "dialogs/open_dialogs.h"
#include "dialogs/verify_options_dialog.h"
#include "frame/call_frame.h"

using namespace optora;

extern "C" {

void optora_doverifyoptions(HWND owner) {
    Shielded([owner] {
        CVerifyOptionsDlg dialog(owner);
        const OpenDialogEntry open(owner, dialog);
        dialog.DoModal();
    });
}

void optora_closeverifyoptions(HWND owner) {
    Shielded([owner] { CloseOpenDialog(owner); });
}

void _optora_doverifyoptions(HWND owner) { optora_doverifyoptions(owner); }

}  // extern "C"
