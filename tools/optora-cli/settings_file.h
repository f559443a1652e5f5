#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/device_file_format.h"
#include "options/settings_table.h"

namespace optora::cli {

// A value's type is the registry's number, as the file names it (hex(N)).
struct FileValue {
    std::string name;
    uint32_t type = kTypeBinary;
    std::string data;  // the stored bytes; a quoted text carries its terminator
    int line = 0;      // where it stood in a parsed file
    std::string refused;  // why import would not take it: written as a comment line
};

// A value's bytes as REGEDIT4 writes them ("hex:" or "hex(type):" and the
// bytes), wrapped into continuation lines when wrap is set.
void AppendHex(std::string& out, const FileValue& value, bool wrap);

struct FileKey {
    std::string path;  // below HKEY_CURRENT_USER
    std::vector<FileValue> values;
    int line = 0;
};

// Settings in the registry editor's REGEDIT4 form. The device file rides
// along in comment lines, which the registry editor and `reg import` skip.
struct SettingsFile {
    std::vector<FileKey> keys;
    std::optional<DeviceDestinations> device;
    int deviceLine = 0;
};

struct FileError {
    int line = 0;
    std::string message;
};

// Why a key line cannot carry this path (a line break or other control
// character, a ']' or a '"': legal in a registry name); empty when it can.
std::string KeyNameFault(std::string_view path);

// The path with its control characters spelled out, for comments and notes.
std::string ShownKeyName(std::string_view path);

// CR LF line ends and wrapped hex lines, as the registry editor writes them.
// Keys without values are left out; a key whose name no key line can carry
// is written as comment lines.
std::string FormatSettingsFile(const SettingsFile& file);

// Syntax only; whether the library owns what the file names is checked
// apart (settings_check.h). Nothing is half-read: any fault gives its line.
std::optional<FileError> ParseSettingsFile(std::string_view text, SettingsFile& out);

}  // namespace optora::cli
