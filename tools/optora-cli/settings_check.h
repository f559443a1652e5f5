#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "options/settings_table.h"
#include "settings_file.h"

// What import takes and export writes as a value: only what some part of the
// library stores, by the library's table; describe prints the same rule.
namespace optora::cli {

// Why the library could not have written this value here; empty when it could.
std::string Refusal(std::string_view path, const FileValue& value);

// The rule of `allowed` in words, as describe prints it.
std::string AllowedText(const OwnedValue& owned);

// The whole file, checked before anything is applied: the first refusal.
std::optional<FileError> CheckSettingsFile(const SettingsFile& file);

}  // namespace optora::cli
