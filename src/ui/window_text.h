#pragma once
#include <windows.h>

#include <string>

namespace optora::ui {

// The text a window or control shows now, whatever its length.
std::string WindowText(HWND window);

}  // namespace optora::ui
