#pragma once
#include <windows.h>

#include <string>

namespace optora::ui {

// A control object attached to a dialog's existing control window by
// subclassing. The original window procedure is restored on Detach, when the
// window is destroyed, or when the object goes, whichever comes first.
class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // False when the window is missing or either side is already attached.
    bool Attach(HWND window);
    void Detach();

    HWND Handle() const { return window_; }
    int Id() const { return GetDlgCtrlID(window_); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    // Every message of the window; pass what is not handled to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone and the object detached; the last call the
    // window system makes on the object, so it may delete itself here.
    virtual void OnWindowGone() {}

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
};

// The standard combo box, with the few operations the dialogs use.
class ComboBox : public SubclassedControl {
public:
    int Count() const;
    int Selection() const;                   // CB_ERR (-1) when nothing is selected
    bool Select(int index);                  // false when there is no such item
    int SelectByPrefix(const std::string& text);  // first item beginning with text, or CB_ERR
    int Add(const std::string& text);
    int InsertAt(int index, const std::string& text);  // -1 appends, whatever the sort style
    void Clear();
    std::string ItemText(int index) const;
};

}  // namespace optora::ui
