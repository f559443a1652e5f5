#pragma once
#include <set>
#include <string>
#include <vector>

#include "settings_check.h"

namespace optora::cli {

// Every value under a name the library owns, as stored now (whatever its
// type), key by key in table order, each variant subkey after its parent;
// with the device file when `withDevice` and it can be read.
SettingsFile ReadStoredSettings(bool withDevice);

// Marks what the library could not have written itself, and each key whose
// name no key line can carry (import would refuse them; the file carries them
// as comments); each such key or value is named in `skipped` (with why).
SettingsFile ExportableSettings(const SettingsFile& stored, std::vector<std::string>& skipped);

struct Changes {
    std::set<OptionSet> sets;
    bool storageAreaChanged = false;  // "VerifyStorageArea" now holds other bytes
    std::vector<std::string> failures;
};

// Writes each value whose stored type or bytes differ, and the device file
// when it exists and its lines differ. `file` must have passed the checks.
Changes ApplySettings(const SettingsFile& file);

// Deletes the stored values of the sets; each key a value was deleted from
// is returned in `emptied` (the variants a repairing load must write again).
Changes DeleteSettings(const std::set<OptionSet>& sets, std::vector<std::string>& emptied);

// Tells running applications: one message per changed set, the two output
// messages together (each can change what the other's dialog shows).
void AnnounceChanges(const Changes& changes);

}  // namespace optora::cli
