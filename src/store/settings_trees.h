#pragma once
#include <windows.h>

#include "store/unique_resource.h"

namespace optora {

// The trees whose changes reach the suite's settings: the administrator's
// policy of the machine (in its native view, where Group Policy writes it,
// for a 32-bit process too) and of the user, then the user's own settings.
struct SettingsTree {
    HKEY root;
    const char* path;
    REGSAM view;
};
inline constexpr int kPolicyTreeCount = 2;  // the first ones
inline constexpr int kSettingsTreeCount = 3;
extern const SettingsTree kSettingsTrees[kSettingsTreeCount];

// The tree opened for change notification, else (atTree false) its nearest
// existing parent, which sees it appear: watching a missing key would mean
// creating it. Null when not even the hive opens.
UniqueHKey OpenForNotification(const SettingsTree& tree, bool& atTree);

}  // namespace optora
