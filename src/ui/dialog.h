#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace optora::ui {

class DataExchange;

// A modal dialog run from a template in the library's resources, built on
// the caller's stack. Handlers are virtual; whatever a handler throws is
// stopped here, never unwound through the window system.
class ModalDialog {
public:
    // A null or dead owner gives an unowned dialog.
    ModalDialog(UINT templateId, HWND owner);
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the template or
    // the window could not be created.
    INT_PTR DoModal();

    HWND Handle() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

    // Controls to members (save) or members to controls; false, after the
    // prompt, when a field is rejected.
    bool UpdateData(bool save);
    void EndDialog(INT_PTR result);

    // Shows a rejected field's prompt and puts the focus on it.
    virtual void OnInvalidField(HWND control, const std::string& prompt);

protected:
    virtual void DoDataExchange(DataExchange& exchange);
    virtual bool OnInitDialog();  // true: the system sets the default focus
    virtual void OnOK();
    virtual void OnCancel();
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    // Any other message; true when handled, with its result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Registered messages (by identifier) this dialog handles while it is open.
    void Listen(UINT id);
    virtual LRESULT OnRegisteredMessage(UINT id, WPARAM wParam, LPARAM lParam);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool Listens(UINT message) const;

    UINT templateId_;
    HWND owner_;
    HWND window_ = nullptr;
    std::vector<UINT> listened_;
};

// A rejected field's prompt in a message box over its dialog; the focus goes
// back to the field.
void PromptInvalidField(HWND dialog, HWND control, const std::string& prompt);

}  // namespace optora::ui
