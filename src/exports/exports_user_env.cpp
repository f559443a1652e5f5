// The user-environment aggregate. The strings its plot fallback needs come
// from the library's own resources, like every other entry point's.
#include "optora.h"

#include "exports/kept_getter.h"
#include "options/user_env_items.h"

using namespace optora;

extern "C" {

UserEnvItems_tag* optora_getoptionsettings(void) {
    return KeptGetter(LibraryUserEnvItems(),
                      [](UserEnvItems_tag& loaded, DeviceFileSeen& seen) { LoadUserEnvItems(loaded, &seen); });
}

UserEnvItems_tag* _optora_getoptionsettings(void) { return optora_getoptionsettings(); }

}  // extern "C"
