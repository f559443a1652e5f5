#pragma once
#include "optora.h"

namespace optora {

class DeviceFileSeen;

// Fills every field from the variant of the current cut application name.
// An incomplete or unnormalised set, or a directory other than the one the
// record held, is written back at once (with the device file, if present).
void LoadCutOptions(CutOptions_tag& options, DeviceFileSeen* seen = nullptr);

// Writes under the cut application name exactly as set, mirrors "Bundles_By"
// for the marker editor, and updates the device file's cut line if it exists.
void SaveCutOptions(CutOptions_tag options);

// The stored variant that a cut application name reads.
const char* CutVariant(const char* appName);

// A name without a variant of its own (the empty one too) saves under its own
// key but loads the shared default variant, whose next load would hand back,
// or repair over, what was saved. What a user confirmed in the dialog is
// written there as well; the own key keeps what the user-environment items
// read. Does nothing for a name with its own variant.
void SaveCutOptionsWhereRead(const CutOptions_tag& options);

}  // namespace optora
