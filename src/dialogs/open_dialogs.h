#pragma once
#include <windows.h>

namespace optora {

namespace ui {
class ModalDialog;
}

// The dialog open for an owner window while it runs, so that the owner can
// end it from outside its modal loop. The entry lives on the launcher's
// stack: however the launcher is left, what was registered for the owner
// before (an outer dialog of the same owner) is registered again.
class OpenDialogEntry {
public:
    OpenDialogEntry(HWND owner, ui::ModalDialog& dialog);
    ~OpenDialogEntry();
    OpenDialogEntry(const OpenDialogEntry&) = delete;
    OpenDialogEntry& operator=(const OpenDialogEntry&) = delete;

private:
    HWND owner_;
    ui::ModalDialog* previous_;
};

// Ends the dialog open for the owner with result 0; nothing when none is.
void CloseOpenDialog(HWND owner);

}  // namespace optora
