#include "settings_registry.h"

#include <windows.h>

#include <cstring>

#include "frame/notifications.h"
#include "options/device_file.h"
#include "store/registry_paths.h"
#include "store/unique_resource.h"

namespace optora::cli {
namespace {

UniqueHKey OpenKey(const std::string& path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
    return UniqueHKey(key);
}

std::vector<std::string> Subkeys(HKEY key) {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        const LONG result = RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS) names.emplace_back(name, length);
    }
    return names;
}

// The values of one key that carry a name the library owns there.
FileKey OwnedValuesOf(HKEY key, const std::string& path) {
    FileKey found{path, {}, 0};
    std::vector<char> name(16384);
    std::vector<BYTE> data(1024);
    for (DWORD i = 0;;) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result = RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_MORE_DATA) {
            data.resize(size + 1);
            continue;  // the same index again, with room
        }
        ++i;
        if (result != ERROR_SUCCESS || !FindOwned(path, std::string_view(name.data(), nameLength))) continue;
        found.values.push_back({std::string(name.data(), nameLength), type,
                                std::string(reinterpret_cast<const char*>(data.data()), size), 0, {}});
    }
    return found;
}

std::vector<std::string> OwnedKeyPaths() {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kOwnedValueCount; ++i) {
        const OwnedValue& owned = kOwnedValues[i];
        bool listed = false;
        for (const std::string& path : paths) listed = listed || path == owned.key;
        if (listed) continue;
        paths.push_back(owned.key);
        if (!owned.variants) continue;
        if (UniqueHKey parent = OpenKey(owned.key, KEY_READ))
            for (const std::string& application : Subkeys(parent.get()))
                if (OwnedKey(std::string(owned.key) + '\\' + application))
                    paths.push_back(std::string(owned.key) + '\\' + application);
    }
    return paths;
}

std::optional<FileValue> Stored(HKEY key, const std::string& name) {
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return FileValue{name, type, data, 0, {}};
}

std::string Describe(const std::string& path, const std::string& name) { return path + "\\" + name; }

}  // namespace

SettingsFile ReadStoredSettings(bool withDevice) {
    SettingsFile file;
    for (const std::string& path : OwnedKeyPaths())
        if (UniqueHKey key = OpenKey(path, KEY_READ)) file.keys.push_back(OwnedValuesOf(key.get(), path));
    if (withDevice)
        if (std::optional<DeviceFileRecord> device = ReadDeviceFile()) file.device = DeviceDestinations(*device);
    return file;
}

SettingsFile ExportableSettings(const SettingsFile& stored, std::vector<std::string>& skipped) {
    SettingsFile file = stored;
    for (FileKey& key : file.keys) {
        const std::string keyFault = KeyNameFault(key.path);
        if (!keyFault.empty() && !key.values.empty()) skipped.push_back(ShownKeyName(key.path) + ": " + keyFault);
        for (FileValue& value : key.values) {
            value.refused = Refusal(key.path, value);
            if (!value.refused.empty())
                skipped.push_back(Describe(ShownKeyName(key.path), value.name) + ": " + value.refused);
        }
    }
    return file;
}

Changes ApplySettings(const SettingsFile& file) {
    Changes changes;
    for (const FileKey& fileKey : file.keys) {
        if (fileKey.values.empty()) continue;  // a bare key line creates nothing
        HKEY created = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, fileKey.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS) {
            changes.failures.push_back("cannot open or create " + fileKey.path);
            continue;
        }
        const UniqueHKey key(created);
        for (const FileValue& value : fileKey.values) {
            const std::optional<FileValue> now = Stored(key.get(), value.name);
            if (now && now->type == value.type && now->data == value.data) continue;
            if (RegSetValueExA(key.get(), value.name.c_str(), 0, value.type,
                               reinterpret_cast<const BYTE*>(value.data.data()),
                               static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS) {
                changes.failures.push_back("cannot write " + Describe(fileKey.path, value.name));
                continue;
            }
            const OwnedValue* owned = FindOwned(fileKey.path, value.name);
            changes.sets.insert(owned->set);
            if (std::strcmp(owned->name, "VerifyStorageArea") == 0) changes.storageAreaChanged = true;
        }
    }
    if (file.device) {
        std::optional<DeviceFileRecord> device = ReadDeviceFile();
        if (!device) {
            changes.failures.push_back(std::string("no device file at ") + kDeviceFilePath +
                                       "; its lines were not applied (the suite never creates it)");
        } else if (FormatDeviceFile(*file.device) != device->stored) {
            static_cast<DeviceDestinations&>(*device) = *file.device;
            WriteDeviceFile(std::move(device));
            const std::optional<DeviceFileRecord> written = ReadDeviceFile();
            if (!written || written->stored != FormatDeviceFile(*file.device))
                changes.failures.push_back(std::string("cannot write ") + kDeviceFilePath);
            changes.sets.insert(OptionSet::Cut);
        }
    }
    return changes;
}

Changes DeleteSettings(const std::set<OptionSet>& sets, std::vector<std::string>& emptied) {
    Changes changes;
    for (const FileKey& stored : ReadStoredSettings(false).keys) {
        UniqueHKey key = OpenKey(stored.path, KEY_READ | KEY_SET_VALUE);
        bool deleted = false;
        for (const FileValue& value : stored.values) {
            const OwnedValue* owned = FindOwned(stored.path, value.name);
            if (!sets.count(owned->set)) continue;
            if (!key || RegDeleteValueA(key.get(), value.name.c_str()) != ERROR_SUCCESS) {
                changes.failures.push_back("cannot delete " + Describe(stored.path, value.name));
                continue;
            }
            deleted = true;
            changes.sets.insert(owned->set);
            if (std::strcmp(owned->name, "VerifyStorageArea") == 0) changes.storageAreaChanged = true;
        }
        if (deleted) emptied.push_back(stored.path);
    }
    return changes;
}

void AnnounceChanges(const Changes& changes) {
    const auto changed = [&](OptionSet set) { return changes.sets.count(set) != 0; };
    const bool output = changed(OptionSet::Cut) || changed(OptionSet::Plot);
    for (const OptionSetInfo& info : kOptionSets) {
        if (!info.message) continue;
        const bool isOutput = info.set == OptionSet::Cut || info.set == OptionSet::Plot;
        if (isOutput ? !output : !changed(info.set)) continue;
        WPARAM wParam = 0;
        // The digitize dialog's flags: 2 the options were written, 1 the storage area too.
        if (info.set == OptionSet::Verify) wParam = 2 | (changes.storageAreaChanged ? 1 : 0);
        const DWORD flags = info.set == OptionSet::Alteration ? kBroadcastOthers : kBroadcastDefault;
        Broadcast(info.message, wParam, 0, flags);
    }
}

}  // namespace optora::cli
