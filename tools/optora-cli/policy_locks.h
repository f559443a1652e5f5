#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/policy.h"
#include "settings_file.h"

namespace optora::cli {

// The mandatory policy over the value `name` stored at `path` (below
// HKEY_CURRENT_USER), a variant subkey naming its application.
std::optional<PolicyLock> LockAt(std::string_view path, std::string_view name);

// The file without the values a policy locks: import leaves those alone
// rather than write what the library would never read. `left` receives the
// location of each lock.
SettingsFile WithoutLockedValues(const SettingsFile& file, std::vector<std::string>& left);

}  // namespace optora::cli
