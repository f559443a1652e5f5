#include "controls/lbut_combo_box.h"

#include <windowsx.h>

namespace optora {

LRESULT CLButComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        return OnLButtonDown(static_cast<UINT>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return ComboBox::WindowProc(message, wParam, lParam);
}

LRESULT CLButComboBox::OnLButtonDown(UINT flags, POINT point) {
    const LONG arrowStart = static_cast<LONG>(Send(CB_GETDROPPEDWIDTH)) - GetSystemMetrics(SM_CXVSCROLL);
    if (point.x >= arrowStart) return Default(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));

    // The edit field of an editable combo box holds the focus for it.
    const HWND focus = GetFocus();
    if (focus != Handle() && !IsChild(Handle(), focus)) {
        SetFocus(Handle());
        return 0;
    }

    int next = Selection() + 1;
    if (next == Count()) next = 0;
    Select(next);  // fails on an empty list; the dialog is told all the same
    SendMessageA(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(Id(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(Handle()));
    return 0;
}

}  // namespace optora
