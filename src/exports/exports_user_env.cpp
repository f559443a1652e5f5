// The user-environment aggregate. The strings its plot fallback needs come
// from the library's own resources, like every other entry point's.
#include "optora.h"

#include "frame/call_frame.h"
#include "options/library_records.h"

using namespace optora;

extern "C" {

UserEnvItems_tag* optora_getoptionsettings(void) {
    return Shielded(&HeldRecord<UserEnvItems_tag>(), [] { return &LibraryUserEnvItems(); });
}

UserEnvItems_tag* _optora_getoptionsettings(void) { return optora_getoptionsettings(); }

}  // extern "C"
