// What the field tells its parent, and the tips its tooltip asks it for.
#include "controls/file_edit_ctrl.h"

#include <commctrl.h>
#include <windowsx.h>

#include "controls/window_rects.h"

namespace optora {
namespace {

constexpr UINT_PTR kButtonTool = 1, kTextTool = 2;

TOOLINFOA Tool(HWND window, UINT_PTR id) {
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.uId = id;
    return info;
}

}  // namespace

LRESULT FileEditCtrl::Notify(UINT code, std::string* newText) {
    const HWND parent = GetParent(Handle());
    if (!parent) return 0;
    FileEditNotify notify = {{Handle(), static_cast<UINT_PTR>(Id()), code}, this, newText};
    return SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&notify));
}

void FileEditCtrl::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!(flags_ & (ButtonTip | TextTip))) return;
    if (!tooltip_) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
        if (!tooltip_) return;
        SendMessageA(tooltip_, WM_SETFONT, static_cast<WPARAM>(Send(WM_GETFONT)), FALSE);
        for (UINT_PTR tool : {kButtonTool, kTextTool}) {
            TOOLINFOA info = Tool(Handle(), tool);
            info.lpszText = LPSTR_TEXTCALLBACKA;
            SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        }
        SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
    // Tool rectangles are in client coordinates; the button lies outside.
    RECT client = {};
    GetClientRect(Handle(), &client);
    RECT button = button_;
    const RECT inWindow = ClientInWindow(Handle());
    OffsetRect(&button, -inWindow.left, -inWindow.top);
    for (const auto& [tool, rect] : {std::pair{kButtonTool, button}, std::pair{kTextTool, client}}) {
        TOOLINFOA info = Tool(Handle(), tool);
        info.rect = rect;
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
    MSG relayed = {Handle(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    if (message == WM_NCMOUSEMOVE) {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &point);
        relayed.message = WM_MOUSEMOVE;
        relayed.lParam = MAKELPARAM(point.x, point.y);
    }
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool FileEditCtrl::OnTooltipText(NMHDR* header) {
    if (header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOA) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->lpszText = info->szText;
    info->szText[0] = '\0';
    if (header->idFrom == kButtonTool && (flags_ & ButtonTip))
        lstrcpynA(info->szText, "Browse", sizeof info->szText);
    else if (header->idFrom == kTextTool && (flags_ & TextTip))
        info->lpszText = const_cast<char*>(textTip_.c_str());
    return true;
}

}  // namespace optora
