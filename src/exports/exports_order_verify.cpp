// Getters of the order options and the digitize options. They always return
// their record, whatever fails inside. The digitize options judge storage
// areas on disk, which no registry watch sees, so they load on every call.
#include "optora.h"

#include "exports/kept_getter.h"
#include "frame/call_frame.h"
#include "frame/record_lock.h"
#include "options/order_options.h"
#include "options/verify_options.h"

using namespace optora;

extern "C" {

OrderOptions_tag* optora_getorderoptions(void) {
    return KeptGetter(LibraryOrderOptions(),
                      [](OrderOptions_tag& loaded, DeviceFileSeen&) { LoadOrderOptions(loaded); });
}

VerifyOptions_tag* optora_getverifyoptions(void) {
    VerifyOptions& record = LibraryVerifyOptions();
    VerifyOptions_tag* const address = &record;
    return Shielded(address, [&record, address] {
        const auto hold = LockRecord(record);
        RefreshVerifyOptions(record);
        return address;
    });
}

OrderOptions_tag* _optora_getorderoptions(void) { return optora_getorderoptions(); }
VerifyOptions_tag* _optora_getverifyoptions(void) { return optora_getverifyoptions(); }

}  // extern "C"
