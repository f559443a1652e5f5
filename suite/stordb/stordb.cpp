#include "stordb.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "control_file.h"
#include "storage_tree.h"

int cc_get_area_names(const char* path, char* names, int nameSize, unsigned long* count) {
    if (count) *count = 0;
    if (!path || !*path) return 0;
    std::string area(path);
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
    if (!storage::ReadControlFile(controlFile, content)) return 0;
    const int line = storage::FindItem(content, name);
    if (!line) return 0;
    if (info) {
        std::memset(info, 0, sizeof *info);
        strncpy(info->name, name, sizeof info->name - 1);
        info->line = line;
    }
    return 1;
}
