#include "options/remembered_area.h"

#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {

std::optional<RememberedArea> ReadRememberedArea() {
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    if (!key.OpenForReading()) return std::nullopt;
    RememberedArea remembered;
    key.ReadText("Device", remembered.device);
    key.ReadText("Storage Area", remembered.area);
    return remembered;
}

void RememberArea(const std::string& device, const std::string& area) {
    const StoreLock hold;  // both names of one choice
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    if (!key.OpenForWriting()) return;
    key.WriteText("Device", device);
    key.WriteText("Storage Area", area);
}

}  // namespace optora
