// The user-environment aggregate. The strings its plot fallback needs come
// from the library's own resources, like every other entry point's.
#include "optora.h"

#include "frame/call_frame.h"
#include "frame/record_lock.h"
#include "options/kept_record.h"
#include "options/user_env_items.h"

using namespace optora;

extern "C" {

UserEnvItems_tag* optora_getoptionsettings(void) {
    UserEnvItems_tag& record = LibraryUserEnvItems();
    return Shielded(&record, [&record] {
        const auto hold = LockRecord(record);
        static KeptRecord<UserEnvItems_tag> kept;
        kept.Refresh(record, [](UserEnvItems_tag& loaded, DeviceFileSeen& seen) { LoadUserEnvItems(loaded, &seen); });
        return &record;
    });
}

UserEnvItems_tag* _optora_getoptionsettings(void) { return optora_getoptionsettings(); }

}  // extern "C"
