#include "policy_locks.h"

#include <cstring>

namespace optora::cli {

std::optional<PolicyLock> LockAt(std::string_view path, std::string_view name) {
    const OwnedValue* owned = FindOwned(path, name);
    if (!owned) return std::nullopt;
    const std::size_t keyLength = std::strlen(owned->key);
    const std::string_view application = path.size() > keyLength ? path.substr(keyLength + 1) : std::string_view();
    return LockOf(owned->key, owned->name, application);
}

SettingsFile WithoutLockedValues(const SettingsFile& file, std::vector<std::string>& left) {
    SettingsFile kept = file;
    for (FileKey& key : kept.keys) {
        std::vector<FileValue> values;
        for (FileValue& value : key.values) {
            if (const std::optional<PolicyLock> lock = LockAt(key.path, value.name))
                left.push_back(PolicyLocation(lock->entry));
            else
                values.push_back(std::move(value));
        }
        key.values = std::move(values);
    }
    return kept;
}

}  // namespace optora::cli
