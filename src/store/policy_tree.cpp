#include "store/policy_tree.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "store/registry_paths.h"
#include "store/settings_trees.h"
#include "store/unique_resource.h"

namespace optora {
namespace {

constexpr int kDeepest = 5;           // Recommended\Marlow 2000\RuleTable\GradeOptions\...
constexpr DWORD kLargestData = 1024;  // past any text the library takes

void ReadKey(HKEY key, bool machine, REGSAM view, const std::string& path, int depth, std::vector<PolicyEntry>& out) {
    char name[256];
    BYTE data[kLargestData];
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name, type = REG_NONE, size = sizeof data;
        const LONG status = RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue;  // too large: no policy the library could take
        PolicyEntry entry{machine, false, path, name, type, std::string(reinterpret_cast<char*>(data), size)};
        const std::size_t root = std::strlen(keys::kRecommended);
        if (_strnicmp(path.c_str(), keys::kRecommended, root) == 0 && (path.size() == root || path[root] == '\\')) {
            entry.recommended = true;
            entry.path = path.substr(std::min(path.size(), root + 1));
        }
        out.push_back(std::move(entry));
    }
    if (depth == kDeepest) return;
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof name;
        const LONG status = RegEnumKeyExA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue;
        HKEY raw = nullptr;
        if (RegOpenKeyExA(key, name, 0, KEY_READ | view, &raw) != ERROR_SUCCESS) continue;
        const UniqueHKey child(raw);
        ReadKey(child.get(), machine, view, path.empty() ? name : path + '\\' + name, depth + 1, out);
    }
}

}  // namespace

std::vector<PolicyEntry> ReadPolicyTrees() {
    std::vector<PolicyEntry> entries;
    for (int which = 0; which < kPolicyTreeCount; ++which) {
        const SettingsTree& tree = kSettingsTrees[which];
        HKEY raw = nullptr;
        if (RegOpenKeyExA(tree.root, tree.path, 0, KEY_READ | tree.view, &raw) != ERROR_SUCCESS) continue;
        const UniqueHKey opened(raw);
        ReadKey(opened.get(), tree.root == HKEY_LOCAL_MACHINE, tree.view, "", 0, entries);
    }
    return entries;
}

}  // namespace optora
