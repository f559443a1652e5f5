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

// What a user confirmed in the dialog, written also to the shared default
// variant that a name without a variant of its own loads (SaveWhereRead); the
// own key keeps what the user-environment items read.
void SaveCutOptionsWhereRead(const CutOptions_tag& options);

}  // namespace optora
