#pragma once
#include "optora.h"

namespace optora {

// Fills every field from the variant of the current cut application name.
// An incomplete or unnormalised set, or a directory other than the one the
// record held, is written back at once (with the device file, if present).
void LoadCutOptions(CutOptions_tag& options);

// Writes under the cut application name exactly as set, mirrors "Bundles_By"
// for the marker editor, and updates the device file's cut line if it exists.
void SaveCutOptions(CutOptions_tag options);

// The stored variant that a cut application name reads.
const char* CutVariant(const char* appName);

}  // namespace optora
