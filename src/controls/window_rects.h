#pragma once
#include <windows.h>

namespace optora {

inline RECT WindowRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// The client area in window coordinates.
inline RECT ClientInWindow(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT outer = WindowRectOf(window);
    OffsetRect(&client, -outer.left, -outer.top);
    return client;
}

}  // namespace optora
