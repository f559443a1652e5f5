#pragma once
#include <windows.h>

#include <string>

namespace optora::ui {

// A string-table text of the library (or of the language library that
// replaces its resources); empty when the id is missing.
std::string LibraryText(UINT id);

}  // namespace optora::ui
