#include "stordb.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "control_file.h"

namespace {

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The whole control file, or false when it cannot be a list of items.
bool ReadControlFile(const char* path, std::string& content) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= static_cast<LONGLONG>(stordb::kMaxControlFileSize);
    if (ok) {
        content.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        ok = content.empty() || (ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr) &&
                                 got == content.size());
    }
    CloseHandle(file);
    return ok;
}

// The suite's library copies its arguments into fixed buffers; longer ones
// are cut, so a caller must bound them itself.
std::string Held(const char* text, std::size_t size) { return std::string(text, strnlen(text, size - 1)); }

}  // namespace

int cc_get_area_names(const char* path, char* names, int nameSize, unsigned long* count) {
    if (count) *count = 0;
    if (!path || !*path) return 0;
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(Held(path, MAX_PATH).c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return 0;
    std::string area(full, length);
    while (!area.empty() && (area.back() == '\\' || area.back() == '/')) area.pop_back();
    if (!IsDirectory(area) || !IsDirectory(area + "\\data") || !IsDirectory(area + "\\param")) return 0;
    if (names && nameSize > 0) {
        const std::string name = area.substr(area.find_last_of("\\/:") + 1);
        const std::size_t length = std::min(name.size(), static_cast<std::size_t>(nameSize - 1));
        std::memcpy(names, name.data(), length);
        names[length] = '\0';
    }
    if (count) *count = 1;
    return 1;
}

int cc_lookup_item(const char* controlFile, const char* name, CTRL_ENTRY_INFO* info) {
    if (!controlFile || !name) return 0;
    std::string content;
    if (!ReadControlFile(Held(controlFile, MAX_PATH).c_str(), content)) return 0;
    const int line = stordb::FindItem(content, Held(name, stordb::kMaxItemName + 1));
    if (!line) return 0;
    if (info) {
        std::memset(info, 0, sizeof *info);
        strncpy(info->name, name, sizeof info->name - 1);
        info->line = line;
    }
    return 1;
}
