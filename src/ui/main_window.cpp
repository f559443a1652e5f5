#include "ui/main_window.h"

namespace optora::ui {
namespace {

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND ThreadMainWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace optora::ui
