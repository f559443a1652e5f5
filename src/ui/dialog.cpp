#include "ui/dialog.h"

#include <algorithm>

#include "frame/module_state.h"
#include "frame/startup.h"
#include "ui/data_exchange.h"

namespace optora::ui {

ModalDialog::ModalDialog(UINT templateId, HWND owner) : templateId_(templateId), owner_(owner) {}

INT_PTR ModalDialog::DoModal() {
    const HWND owner = owner_ && IsWindow(owner_) ? owner_ : nullptr;
    // Every entry point that shows a dialog comes through here first.
    TellStartupProblems(owner);
    // A language library may lack the template, or hold one that cannot be
    // created (a control class that does not exist): the library's own then,
    // as for any other resource. A failed creation never reached the handlers.
    const HINSTANCE own = LibraryModuleState().instance;
    INT_PTR result = -1;
    for (const HINSTANCE module : {LibraryResources(), own}) {
        result = DialogBoxParamA(module, MAKEINTRESOURCEA(templateId_), owner, &ModalDialog::Procedure,
                                 reinterpret_cast<LPARAM>(this));
        if (result != -1 || module == own) break;
    }
    return result;
}

bool ModalDialog::UpdateData(bool save) {
    DataExchange exchange(*this, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void ModalDialog::EndDialog(INT_PTR result) {
    if (window_) ::EndDialog(window_, result);
}

void ModalDialog::OnInvalidField(HWND control, const std::string& prompt) { PromptInvalidField(window_, control, prompt); }

void PromptInvalidField(HWND dialog, HWND control, const std::string& prompt) {
    char caption[256] = {};
    GetWindowTextA(dialog, caption, sizeof caption);
    MessageBoxA(dialog, prompt.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
    if (control) {
        SetFocus(control);
        char className[16] = {};
        GetClassNameA(control, className, sizeof className);
        if (lstrcmpiA(className, "Edit") == 0) SendMessageA(control, EM_SETSEL, 0, -1);
    }
}

void ModalDialog::DoDataExchange(DataExchange&) {}

bool ModalDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void ModalDialog::OnOK() {
    if (UpdateData(true)) EndDialog(IDOK);
}

void ModalDialog::OnCancel() { EndDialog(IDCANCEL); }

bool ModalDialog::OnCommand(WORD, WORD, HWND) { return false; }

bool ModalDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void ModalDialog::Listen(UINT id) {
    if (id && !Listens(id)) listened_.push_back(id);
}

LRESULT ModalDialog::OnRegisteredMessage(UINT, WPARAM, LPARAM) { return 0; }

bool ModalDialog::Listens(UINT message) const {
    return std::find(listened_.begin(), listened_.end(), message) != listened_.end();
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT)
    INT_PTR handled = FALSE;
    try {
        handled = self->Dispatch(message, wParam, lParam);
    } catch (...) {
        // A failed handler counts as unhandled; the dialog stays usable.
        handled = message == WM_INITDIALOG ? TRUE : FALSE;
    }
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
    }
    return handled;
}

INT_PTR ModalDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam), code = HIWORD(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (OnCommand(id, code, control)) return TRUE;
        // IDOK and IDCANCEL come from the buttons, Enter and Escape alike.
        if (id == IDOK && (code == BN_CLICKED || !control)) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && (code == BN_CLICKED || !control)) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    }
    default:
        break;
    }
    if (message >= 0xC000 && message <= 0xFFFF && Listens(message)) {
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, OnRegisteredMessage(message, wParam, lParam));
        return TRUE;
    }
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) {
        // The colour messages take their brush from the procedure's own
        // answer, not from the message result.
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) return static_cast<INT_PTR>(result);
        SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}

}  // namespace optora::ui
