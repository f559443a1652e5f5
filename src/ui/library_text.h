#pragma once
#include <windows.h>

#include <string>

namespace optora::ui {

// A string-table text of the language library that replaces the library's
// resources, or the library's own where that lacks it; empty when neither
// has the id.
std::string LibraryText(UINT id);

}  // namespace optora::ui
