#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one table of every value the library stores under HKEY_CURRENT_USER:
// where, of which type and size, what some part of the library stores there,
// what a missing value reads as. Pure data and lookups, no registry calls.
namespace optora {

// Registry types by their winnt.h numbers, so the table needs no Windows header.
inline constexpr uint32_t kTypeText = 1;    // REG_SZ
inline constexpr uint32_t kTypeBinary = 3;  // REG_BINARY
inline constexpr uint32_t kTypeDword = 4;   // REG_DWORD

// What the library's text reads take, terminator included.
inline constexpr uint32_t kTextLimit = 256;

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

// The contents some part of the library stores in a value. A range holds for
// a binary integer (a single byte counts as signed: the low byte of -1 is 255)
// and for a text written as a decimal number.
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
    const char* meaning;    // one line
};
extern const OwnedValue kOwnedValues[];
extern const std::size_t kOwnedValueCount;

// The longest application name a variant subkey can have (the library's
// name buffer holds 104 bytes with the terminator).
inline constexpr std::size_t kApplicationNameLimit = 103;

// Registry names compare without regard to (ASCII) case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The owned key a path names, when it is one: the table's spelling of its
// parent for a variant.
std::optional<std::string> OwnedKey(std::string_view path);
const OwnedValue* FindOwned(std::string_view path, std::string_view name);

// Stored bytes as the library reads them: a text up to its first zero; a
// binary integer little-endian, a single byte signed.
std::string_view StoredText(std::string_view data);
int64_t StoredInteger(std::string_view data);

// Whether the library could have stored this content in the value, and if
// not, the first reason.
enum class ContentFault {
    None,
    WrongType,
    WrongSize,   // a binary of another size
    TooLong,     // a text longer than the value holds, a missing terminator counted
    NotAllowed,  // outside `allowed`
};
ContentFault CheckContent(const OwnedValue& owned, uint32_t type, std::string_view data);

}  // namespace optora
