#include "controls/browse_key.h"

namespace optora {
namespace {
bool KeyHeld(int key) { return GetKeyState(key) < 0; }
}  // namespace

LRESULT BrowseKey::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP && wParam == VK_F4 && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_MENU)) {
        const HWND dialog = GetParent(Handle());
        const HWND button = GetDlgItem(dialog, buttonId_);
        if (button && IsWindowEnabled(button))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId_, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
    }
    return Default(message, wParam, lParam);
}

}  // namespace optora
