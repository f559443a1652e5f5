#pragma once
#include <windows.h>

#include "controls/name_filter.h"

namespace optora {

// Sent to a filtered edit after a paste from which characters were left out.
constexpr UINT WM_EDITFILTER_CHARS_REMOVED = WM_USER + 0x80;

// Keeps everything but item-name characters out of a single-line edit, typed
// or pasted, by replacing its window procedure. The edit's own procedure is
// kept in its "OLD_WND_PROC" property; both go when the window is destroyed.

// Stores the edit's current procedure; returns the same window.
HWND RememberWindowProc(HWND edit);

// The process's ANSI code page as the name filter judges it; the size
// field judges by the same facts.
const NameFilterRule& AnsiNameFilterRule();

// Kind 1 (item names) is the only kind; Enter interception is not offered.
// Returns the procedure replaced, or null when nothing was installed.
WNDPROC InstallEditFilter(HWND edit, int kind, bool interceptEnter);

}  // namespace optora
