#pragma once
#include <windows.h>

#include <string>

namespace optora {

// A string-table text of the language library that replaces the library's
// resources, or the library's own where that lacks it; the fallback when
// neither has the id.
std::string LibraryText(UINT id, const char* fallback = "");

}  // namespace optora
