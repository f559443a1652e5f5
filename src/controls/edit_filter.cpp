#include "controls/edit_filter.h"

#include <string>

#include "controls/name_filter.h"
#include "options/ansi_lead_byte.h"

namespace optora {
namespace {

constexpr const char* kOldProcedure = "OLD_WND_PROC";

const NameFilterRule& Rule() { return AnsiNameFilterRule(); }

// Only the focused window receives typed characters, so one flag serves
// every filtered edit of the process.
bool g_secondBytePending = false;

WNDPROC OldProcedure(HWND edit) { return reinterpret_cast<WNDPROC>(GetPropA(edit, kOldProcedure)); }

bool TypedCharacterPasses(WPARAM wParam) {
    const unsigned char c = static_cast<unsigned char>(wParam);
    // Ctrl+letter arrives as a control character; AltGr (Ctrl+Alt) brings
    // printable ones such as "\" and "@", which must still be judged.
    if (GetKeyState(VK_CONTROL) < 0 && c < 0x20) return true;
    if (g_secondBytePending) {
        g_secondBytePending = false;
        return true;
    }
    if (AnsiLeadByte(c)) {
        g_secondBytePending = true;
        return true;
    }
    return Rule().Passes(AsciiUpper(c));
}

void PasteFiltered(HWND edit) {
    if (!OpenClipboard(edit)) return;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data))) {
            text.assign(locked, strnlen(locked, GlobalSize(data)));
            GlobalUnlock(data);
        }
    } else {
        CloseClipboard();
        return;
    }
    CloseClipboard();
    bool removed = false;
    const std::string kept = FilterPastedName(text, Rule(), removed);
    if (removed) SendMessageA(edit, WM_EDITFILTER_CHARS_REMOVED, 0, 0);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(kept.c_str()));
}

LRESULT CALLBACK FilterProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC old = OldProcedure(edit);
    switch (message) {
        case WM_CHAR:
            if (TypedCharacterPasses(wParam)) break;
            MessageBeep(0xFFFFFFFF);
            return 0;
        case WM_PASTE:
            PasteFiltered(edit);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
            RemovePropA(edit, kOldProcedure);
            break;
    }
    return old ? CallWindowProcA(old, edit, message, wParam, lParam) : DefWindowProcA(edit, message, wParam, lParam);
}

}  // namespace

const NameFilterRule& AnsiNameFilterRule() {
    static const NameFilterRule rule = [] {
        CPINFO info = {};
        return NameFilterRule{AnsiLeadByte, GetCPInfo(GetACP(), &info) && info.MaxCharSize != 1};
    }();
    return rule;
}

HWND RememberWindowProc(HWND edit) {
    if (IsWindow(edit))
        SetPropA(edit, kOldProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrA(edit, GWLP_WNDPROC)));
    return edit;
}

WNDPROC InstallEditFilter(HWND edit, int kind, bool interceptEnter) {
    if (kind != 1 || interceptEnter || !IsWindow(edit) || !OldProcedure(edit)) return nullptr;
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FilterProcedure)));
}

}  // namespace optora
