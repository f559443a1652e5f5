#pragma once
#include <string>

#include "options/field_copy.h"
#include "options/registry_paths.h"
#include "store/registry_key.h"

namespace optora {

// The key a save writes for an application name. With no name the set lives
// in the parent key itself, where the user-environment items read it.
inline std::string VariantKeyPath(const char* parent, const char* appName) {
    std::string path = parent;
    if (appName && *appName) {
        path += '\\';
        path += appName;
    }
    return path;
}

// "Bundles_By" belongs to both output sets; the marker editor reads its own copy.
// The load's key of "Arbor", when given, saves querying it again.
inline void UpdateSharedBundles(int32_t bundlesBy, RegistryKey* loadedArbor = nullptr) {
    RegistryKey arbor(HKEY_CURRENT_USER, keys::kArbor), velor(HKEY_CURRENT_USER, keys::kVelorSettings);
    (loadedArbor ? *loadedArbor : arbor).UpdateInt32("Bundles_By", bundlesBy);
    velor.UpdateInt32("Bundles_By", bundlesBy);
}

// The key a load read, when a save of the same operation writes the same key.
inline RegistryKey& SameKeyOr(RegistryKey* loaded, RegistryKey& fresh) {
    return loaded && loaded->Path() == fresh.Path() ? *loaded : fresh;
}

// The read forms shared by the cut and plot sets.
// A flag is set when its first stored byte is non-zero (so 256 reads as 0).
inline bool ReadFlag(const RegistryKey& key, const char* name, int& field) {
    std::string text;
    const bool found = key.ReadText(name, text);
    field = found && !text.empty() ? 1 : 0;
    return found;
}

// Four raw bytes; a shorter stored value counts from zero, not from whatever
// the field held.
inline bool ReadInteger(const RegistryKey& key, const char* name, int& field) {
    int32_t value = 0;
    const bool found = key.ReadInt32(name, value);
    field = found ? value : 0;
    return found;
}

template <std::size_t N>
bool ReadTextField(const RegistryKey& key, const char* name, char (&field)[N]) {
    std::string text;
    if (!key.ReadText(name, text)) return false;
    CopyField(field, text);
    return true;
}

}  // namespace optora
