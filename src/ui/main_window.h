#pragma once
#include <windows.h>

namespace optora::ui {

// The application's main window as this thread knows it: its first visible
// top-level window that no other window owns; null when it has none.
HWND ThreadMainWindow();

}  // namespace optora::ui
