#pragma once
#include <windows.h>

#include <string>

namespace optora::ui {

// A string-table text of the library (or of the language library that
// replaces its resources); empty when the id is missing.
std::string LibraryText(UINT id);

// The same, with the library's own base-language text where the language
// library in use lacks the id.
std::string LibraryTextOrBase(UINT id);

}  // namespace optora::ui
