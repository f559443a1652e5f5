#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings_file.h"

namespace optora::cli {

// The option sets as the suite hears of them: one change message each
// (the storage-area memory of the choosers has none).
enum class OptionSet { Preferences, GradeOption, Alteration, Cut, Plot, Order, Verify, StorageArea };
inline constexpr int kOptionSetCount = 8;

struct OptionSetInfo {
    OptionSet set;
    const char* name;     // as the command line names it
    const char* message;  // null when nobody is told
};
extern const OptionSetInfo kOptionSets[kOptionSetCount];
const OptionSetInfo* FindOptionSet(std::string_view name);

// The contents some part of the library stores in a value: import takes
// nothing else, and describe prints the same rule. A range holds for a binary
// integer (a single byte counts as signed: the low byte of -1 is 255) and for
// a text written as a decimal number.
struct Allowed {
    enum Kind { Anything, Range, Choices, FiniteNumber } kind = Anything;
    int64_t lowest = 0, highest = 0;
    const char* const* choices = nullptr;  // ends with a null
};

// One value the library writes, and how. A key with variants also stands
// for each subkey one level below it, named after a calling application.
struct OwnedValue {
    const char* key;
    bool variants;
    const char* name;
    uint32_t type;
    uint32_t size;  // binary: exactly; text: at most, terminator included
    OptionSet set;
    Allowed allowed;
    const char* byDefault;  // what a missing value reads as
    const char* meaning;    // one line, for describe
};
extern const OwnedValue kOwnedValues[];
extern const std::size_t kOwnedValueCount;

// The longest application name a variant subkey can have (the library's
// name buffer holds 104 bytes with the terminator).
inline constexpr std::size_t kApplicationNameLimit = 103;

// The owned key a path names, when it is one: the table's spelling of its
// parent for a variant (registry names compare without regard to case).
std::optional<std::string> OwnedKey(std::string_view path);
const OwnedValue* FindOwned(std::string_view path, std::string_view name);

// Why the library could not have written this value here; empty when it could.
std::string Refusal(std::string_view path, const FileValue& value);

// The rule of `allowed` in words, as describe prints it.
std::string AllowedText(const OwnedValue& owned);

// The whole file, checked before anything is applied: the first refusal.
std::optional<FileError> CheckSettingsFile(const SettingsFile& file);

}  // namespace optora::cli
