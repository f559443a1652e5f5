#include "stordb.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "control_file.h"
#include "storage_tree.h"

namespace {

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
    if (!storage::IsStorageArea(area)) return 0;
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
    if (!storage::ReadControlFile(Held(controlFile, MAX_PATH), content)) return 0;
    const int line = storage::FindItem(content, Held(name, storage::kMaxItemName + 1));
    if (!line) return 0;
    if (info) {
        std::memset(info, 0, sizeof *info);
        strncpy(info->name, name, sizeof info->name - 1);
        info->line = line;
    }
    return 1;
}
