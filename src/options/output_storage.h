#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "options/field_copy.h"
#include "options/policy.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

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

// The stored variant an application name selects: a known one named
// exactly, else the default.
template <std::size_t N>
const char* KnownVariant(const char* appName, const char* const (&known)[N], const char* fallback) {
    for (const char* variant : known)
        if (std::strcmp(appName, variant) == 0) return variant;
    return fallback;
}

// A name without a variant of its own (the empty one too) saves under its own
// key but loads the shared variant, whose next load would hand back, or
// repair over, what was saved: write(key) puts what a user confirmed there as
// well. Does nothing for a name with its own variant.
template <typename Write>
void SaveWhereRead(const char* parent, const char* appName, const char* variant, Write&& write) {
    if (std::strcmp(appName, variant) == 0) return;
    const StoreLock hold;
    RegistryKey key(HKEY_CURRENT_USER, std::string(parent) + '\\' + variant);
    key.SetOverlay(PolicyOverlay(parent, appName));
    write(key);
}

// Key names ignore case: a name that differs from a known variant in case
// only reads the default variant, and a save under it would overwrite the
// known one. Such a name writes nothing to its own key.
template <std::size_t N>
bool ShadowsVariant(const char* appName, const char* const (&known)[N]) {
    for (const char* variant : known)
        if (_stricmp(appName, variant) == 0 && std::strcmp(appName, variant) != 0) return true;
    return false;
}

// Writes a set under the application's own key, through the key the load
// read when it is that one, unless the name only shadows a known variant.
template <std::size_t N, typename Write>
void SaveUnderApplication(const char* parent, const char* appName, const char* const (&known)[N],
                          RegistryKey* loaded, Write&& write) {
    if (ShadowsVariant(appName, known)) return;
    RegistryKey fresh(HKEY_CURRENT_USER, VariantKeyPath(parent, appName));
    fresh.SetOverlay(PolicyOverlay(parent, appName));
    write(SameKeyOr(loaded, fresh));
}

// "Bundles_By" belongs to both output sets; the marker editor reads its own
// copy. A load that repairs writes through the keys it read, so a copy is
// written only when the load found it missing or different, never over a
// value that another program stored after the load read it.
class SharedBundles {
public:
    SharedBundles() { arbor_.SetOverlay(PolicyOverlay(keys::kArbor)); }
    // The library's copy, else (with the fallback) the marker editor's; a
    // key that cannot be opened keeps the field. Both are remembered.
    bool Read(int& field, bool fallBackToMirror) {
        bool found = false;
        if (arbor_.OpenForReading()) found = ReadInteger(arbor_, "Bundles_By", field);
        if (velor_.OpenForReading()) {
            int32_t mirror = 0;
            if (!found && fallBackToMirror)
                found = ReadInteger(velor_, "Bundles_By", field);
            else
                velor_.ReadInt32("Bundles_By", mirror);
        }
        arbor_.Close();
        velor_.Close();
        return found;
    }
    void Update(int32_t bundlesBy) {
        arbor_.UpdateInt32("Bundles_By", bundlesBy);
        velor_.UpdateInt32("Bundles_By", bundlesBy);
    }

private:
    RegistryKey arbor_{HKEY_CURRENT_USER, keys::kArbor};
    RegistryKey velor_{HKEY_CURRENT_USER, keys::kVelorSettings};
};

}  // namespace optora
