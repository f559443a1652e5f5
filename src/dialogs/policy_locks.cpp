#include "dialogs/policy_locks.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "frame/app_names.h"
#include "frame/library_text.h"
#include "options/policy.h"
#include "options/settings_table.h"
#include "res/policy_locks_ids.h"
#include "ui/validation_text.h"

namespace optora {
namespace {

// Dialog units to pixels, vertically or horizontally.
int Pixels(HWND window, int units, bool vertical) {
    RECT rect = {0, 0, units, units};
    MapDialogRect(window, &rect);
    return vertical ? rect.bottom : rect.right;
}

RECT RectInDialog(HWND window, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Visible(HWND control) { return control && (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string TooltipOf(const PolicyLock& lock) {
    const std::string source =
        LibraryText(lock.entry.machine ? IDS_POLICY_MACHINE : IDS_POLICY_USER, SourceText(lock.entry).c_str());
    return ui::FillPrompt(LibraryText(IDS_POLICY_TOOLTIP, "Set by your administrator: %1 policy, %2"),
                          {source, PolicyLocation(lock.entry)});
}

}  // namespace

std::string PolicyApplicationOf(PolicyDialog dialog) {
    if (dialog == PolicyDialog::Cut) return CutAppName().Text();
    if (dialog == PolicyDialog::Plot) return PlotAppName().Text();
    return {};
}

bool IsPolicyChange(UINT message, LPARAM lParam) {
    return message == WM_SETTINGCHANGE && lParam && std::strcmp(reinterpret_cast<const char*>(lParam), "Policy") == 0;
}

bool PolicyLocks::Show(HWND window) {
    if (window != window_) {  // a new run of the dialog: the old windows went with the old one
        window_ = window;
        tooltip_ = footLine_ = nullptr;
        grownBy_ = 0;
        locked_.clear();
    }
    for (int id : locked_) {
        EnableWindow(GetDlgItem(window_, id), TRUE);
        TOOLINFOA tool = {sizeof tool, 0, window_, static_cast<UINT_PTR>(id), {}, nullptr, nullptr, 0, nullptr};
        if (tooltip_) SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    locked_.clear();
    const std::string application = PolicyApplicationOf(dialog_);
    for (const PolicyControl& value : PolicyControlsOf(dialog_)) {
        const OwnedValue* owned = FindOwned(value.key, value.name);
        const auto lock = LockOf(value.key, value.name, owned && owned->variants ? application : std::string());
        if (!lock) continue;
        // A value the dialog does not show (a hidden row) is no news to the user.
        bool shown = false;
        for (int id : value.ids) shown = shown || (id && Visible(GetDlgItem(window_, id)));
        if (!shown) continue;
        const std::string tip = TooltipOf(*lock);
        for (int id : value.ids) {
            const HWND control = id ? GetDlgItem(window_, id) : nullptr;
            if (!control) continue;
            locked_.push_back(id);
            EnableWindow(control, FALSE);
            if (!tooltip_) {
                INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
                InitCommonControlsEx(&classes);
                tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                           nullptr, nullptr, nullptr);
                SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, Pixels(window_, 250, false));
            }
            // A disabled control gets no mouse messages: the dialog under it
            // does, so the tool is the control's rectangle of the dialog.
            TOOLINFOA tool = {sizeof tool, TTF_SUBCLASS, window_, static_cast<UINT_PTR>(id), RectInDialog(window_, control),
                              nullptr, const_cast<char*>(tip.c_str()), 0, nullptr};
            if (tooltip_) SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    ShowFootLine(!locked_.empty());
    return !locked_.empty();
}

void PolicyLocks::Hold() const {
    for (int id : locked_) EnableWindow(GetDlgItem(window_, id), FALSE);
}

// Below the lowest control, as wide as the dialog's margins leave, wrapped
// where a narrow dialog needs it; the dialog grows by what that takes.
void PolicyLocks::ShowFootLine(bool show) {
    if (show == (footLine_ != nullptr)) return;
    RECT window = {};
    GetWindowRect(window_, &window);
    if (!show) {
        DestroyWindow(footLine_);
        footLine_ = nullptr;
        SetWindowPos(window_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - grownBy_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        grownBy_ = 0;
        return;
    }
    RECT client = {};
    GetClientRect(window_, &client);
    LONG lowest = 0;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (Visible(child)) lowest = std::max(lowest, RectInDialog(window_, child).bottom);
    const std::string text = LibraryText(IDS_POLICY_FOOT_LINE, "Some settings are managed by your administrator.");
    const int margin = Pixels(window_, 7, false);
    RECT line = {margin, lowest + Pixels(window_, 4, true), client.right - margin, 0};
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window_, WM_GETFONT, 0, 0));
    const HDC dc = GetDC(window_);
    const HGDIOBJ before = SelectObject(dc, font);
    RECT measured = line;
    DrawTextA(dc, text.c_str(), -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, before);
    ReleaseDC(window_, dc);
    line.bottom = measured.bottom;
    footLine_ = CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, line.left,
                                line.top, line.right - line.left, line.bottom - line.top, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_POLICY_FOOT_LINE)), nullptr, nullptr);
    SendMessageA(footLine_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    grownBy_ = std::max<LONG>(0, line.bottom + Pixels(window_, 7, true) - client.bottom);
    SetWindowPos(window_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + grownBy_,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace optora
