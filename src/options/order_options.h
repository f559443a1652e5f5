#pragma once
#include "optora.h"

namespace optora {

// The order options: overwrite marker (0 no, 1 yes, 2 ask), the seam of split
// pieces in inches, the layrule method.
inline constexpr double kDefaultSplitPieceSeam = 0.375;

// Fills every field of any record (the library's, a dialog's, a temporary
// one); a set with a value missing or unreadable (a seam that is no finite
// number too) gets its defaults and is written back whole.
void LoadOrderOptions(OrderOptions_tag& record);
void SaveOrderOptions(OrderOptions_tag record);

}  // namespace optora
