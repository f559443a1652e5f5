#include "store/settings_trees.h"

#include <string>

#include "store/registry_paths.h"

namespace optora {

const SettingsTree kSettingsTrees[kSettingsTreeCount] = {
    {HKEY_LOCAL_MACHINE, keys::kPolicies, KEY_WOW64_64KEY},
    {HKEY_CURRENT_USER, keys::kPolicies, 0},
    {HKEY_CURRENT_USER, keys::kKestrel, 0},
};

UniqueHKey OpenForNotification(const SettingsTree& tree, bool& atTree) {
    atTree = true;
    for (std::string path = tree.path;;) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(tree.root, path.empty() ? nullptr : path.c_str(), 0, KEY_NOTIFY | tree.view, &key) ==
            ERROR_SUCCESS)
            return UniqueHKey(key);
        if (path.empty()) return {};
        atTree = false;
        const std::size_t slash = path.rfind('\\');
        path.resize(slash == std::string::npos ? 0 : slash);
    }
}

}  // namespace optora
