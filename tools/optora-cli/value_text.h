#pragma once
#include <cstdint>
#include <string>

#include "options/settings_table.h"

namespace optora::cli {

// A registry value as an administrator reads it: a text in quotes when it is
// one whole text, a DWORD as the registry editor writes it, else its bytes.
std::string RegistryValueText(uint32_t type, const std::string& data);

// Bytes in the library's stored form of `owned`: a number, or a text in quotes.
std::string OwnedValueText(const OwnedValue& owned, const std::string& bytes);

}  // namespace optora::cli
