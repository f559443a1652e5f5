#include "ui/control.h"

#include <vector>

namespace optora::ui {
namespace {
// The object and the procedure it replaced, kept on the window itself so that
// a procedure left in place by a later subclasser can still forward.
constexpr const char* kObjectProp = "optora.control";
constexpr const char* kOriginalProp = "optora.control.original";
}  // namespace

SubclassedControl::~SubclassedControl() { Detach(); }

bool SubclassedControl::Attach(HWND window) {
    if (window_ || !window || !IsWindow(window) || GetPropA(window, kObjectProp)) return false;
    window_ = window;
    SetPropA(window, kObjectProp, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedControl::Procedure)));
    SetPropA(window, kOriginalProp, reinterpret_cast<HANDLE>(original_));
    return true;
}

void SubclassedControl::Detach() {
    if (!window_) return;
    const HWND window = window_;
    window_ = nullptr;
    if (!IsWindow(window)) return;
    RemovePropA(window, kObjectProp);
    // Someone who subclassed after us still calls our procedure; it keeps
    // forwarding to the original through the property.
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassedControl::Procedure)) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(window, kOriginalProp);
    }
    original_ = nullptr;
}

LRESULT SubclassedControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(window_, message, wParam, lParam);
}

LRESULT SubclassedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT SubclassedControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, window_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<SubclassedControl*>(GetPropA(window, kObjectProp));
    if (!self) {
        auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProp));
        if (message == WM_NCDESTROY) RemovePropA(window, kOriginalProp);
        return original ? CallWindowProcA(original, window, message, wParam, lParam)
                        : DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result = self->Default(message, wParam, lParam);
        self->Detach();
        RemovePropA(window, kOriginalProp);
        self->OnWindowGone();
        return result;
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the window system.
        return self->Default(message, wParam, lParam);
    }
}

int ComboBox::Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
int ComboBox::Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }

bool ComboBox::Select(int index) { return Send(CB_SETCURSEL, static_cast<WPARAM>(index)) != CB_ERR; }

int ComboBox::SelectByPrefix(const std::string& text) {
    return static_cast<int>(Send(CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::Add(const std::string& text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int ComboBox::InsertAt(int index, const std::string& text) {
    return static_cast<int>(
        Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str())));
}

void ComboBox::Clear() { Send(CB_RESETCONTENT); }

std::string ComboBox::ItemText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR) return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    const LRESULT copied = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return copied == CB_ERR ? std::string() : std::string(buffer.data(), static_cast<size_t>(copied));
}

}  // namespace optora::ui
