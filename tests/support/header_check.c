/* Compiled as C: the public header must need nothing from C++. */
#include "optora.h"

#include <stddef.h>

_Static_assert(sizeof(CutOptions_tag) == 1052, "CutOptions_tag");
_Static_assert(sizeof(PlotOptions_tag) == 1572, "PlotOptions_tag");
_Static_assert(offsetof(OrderOptions_tag, SplitPieceSeam) == 8, "OrderOptions_tag");
_Static_assert(sizeof(UserEnvItems_tag) == 1064, "UserEnvItems_tag");

typedef int (*optora_header_int_getter)(void);
optora_header_int_getter optora_header_check_binding(HMODULE library) {
    return (optora_header_int_getter)(void (*)(void))GetProcAddress(library, "optora_getnotation");
}
