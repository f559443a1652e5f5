#pragma once
#include <windows.h>

namespace optora {

// Whether a byte starts a double-byte character in the process's ANSI code
// page: the lead-byte rule every item name, path and filter here applies.
inline bool AnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

}  // namespace optora
