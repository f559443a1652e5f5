/* Compiled as C: the public header must need nothing from C++. Packed
   tighter than the library, as a caller may be: the records keep their layout. */
#pragma pack(1)
#include "optora.h"

#include <stddef.h>

_Static_assert(sizeof(CutOptions_tag) == 1052, "CutOptions_tag");
_Static_assert(sizeof(PlotOptions_tag) == 1572, "PlotOptions_tag");
_Static_assert(offsetof(OrderOptions_tag, SplitPieceSeam) == 8, "OrderOptions_tag");
_Static_assert(sizeof(UserEnvItems_tag) == 1064, "UserEnvItems_tag");
_Static_assert(sizeof(OptoraText) == sizeof(void*), "OptoraText");
#ifdef _WIN64
_Static_assert(offsetof(VerifyOptions_tag, Model) == 256 && offsetof(VerifyOptions_tag, CategoryChB) == 288 &&
                   offsetof(VerifyOptions_tag, StartingNumber) == 292 && offsetof(VerifyOptions_tag, Type) == 304 &&
                   sizeof(VerifyOptions_tag) == 312,
               "VerifyOptions_tag");
#else
_Static_assert(offsetof(VerifyOptions_tag, Model) == 256 && offsetof(VerifyOptions_tag, CategoryChB) == 272 &&
                   offsetof(VerifyOptions_tag, StartingNumber) == 276 && offsetof(VerifyOptions_tag, Type) == 284 &&
                   sizeof(VerifyOptions_tag) == 288,
               "VerifyOptions_tag");
#endif

/* What a C caller does with the digitize options: read the texts in place. */
size_t optora_header_check_model_length(const VerifyOptions_tag* options) {
    const char* model = options->Model.Text;
    size_t length = 0;
    while (model[length]) ++length;
    return length;
}

typedef int (*optora_header_int_getter)(void);
optora_header_int_getter optora_header_check_binding(HMODULE library) {
    return (optora_header_int_getter)(void (*)(void))GetProcAddress(library, "optora_getnotation");
}
