// Getters of the order options and the digitize options. They always return
// their record, whatever fails inside.
#include "optora.h"

#include "frame/call_frame.h"
#include "options/library_records.h"
#include "options/verify_options.h"

using namespace optora;

extern "C" {

OrderOptions_tag* optora_getorderoptions(void) {
    return Shielded(&HeldRecord<OrderOptions_tag>(), [] { return &LibraryOrderOptions(); });
}

VerifyOptions_tag* optora_getverifyoptions(void) {
    return Shielded(&HeldRecord<VerifyOptions>(), [] { return &LibraryVerifyOptions(); });
}

OrderOptions_tag* _optora_getorderoptions(void) { return optora_getorderoptions(); }
VerifyOptions_tag* _optora_getverifyoptions(void) { return optora_getverifyoptions(); }

}  // extern "C"
