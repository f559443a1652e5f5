#include "options/alteration.h"

#include <cstdint>

#include "frame/notifications.h"
#include "options/kept_value.h"
#include "options/policy.h"
#include "optora_messages.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {
constexpr const char* kValue = "Alteration";
constexpr const char* kMessage = OPTORA_MSG_ALTERATION;
}  // namespace

// Reading opens for writing on purpose: older programs find the key created
// by the first read.
int ReadAlteration() {
    static KeptValue kept;
    return kept.Get([](bool&) {
        RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
        key.SetOverlay(PolicyOverlay(keys::kArbor));
        if (!key.OpenForWriting()) return 1;
        int32_t value = 1;  // a shorter stored value overwrites only its own bytes
        return key.ReadInt32(kValue, value) ? value : 0;
    });
}

void WriteAlteration(int value) {
    {
        const StoreLock hold;
        RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
        key.SetOverlay(PolicyOverlay(keys::kArbor));
        if (!key.OpenForWriting()) return;
        int32_t old = 0;
        if (!key.ReadInt32(kValue, old)) old = 0;
        if (old == value || !key.WriteInt32(kValue, value)) return;
    }
    Broadcast(kMessage, 0, 0, kBroadcastOthers);
}

}  // namespace optora
