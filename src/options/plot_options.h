#pragma once
#include "optora.h"

namespace optora {

class DeviceFileSeen;

// Fills every field from the variant of the current plot application name.
// An incomplete or unnormalised set is written back at once, with the
// device file's values when the set needed them.
void LoadPlotOptions(PlotOptions_tag& options, DeviceFileSeen* seen = nullptr);

// Writes under the plot application name exactly as set, mirrors
// "Bundles_By" for the marker editor, and updates the device file's plot
// lines if it exists.
void SavePlotOptions(PlotOptions_tag options);

// The stored variant that a plot application name reads.
const char* PlotVariant(const char* appName);

// For the ZID application only: plots go to "lotprint" under its own
// directory. Changes the record handed out, never the stored set.
void ApplyZidPlotPath(PlotOptions_tag& options);

// What a user confirmed in the dialog, written also to the shared default
// variant that a name without a variant of its own loads (SaveWhereRead); the
// own key keeps what the user-environment items read.
void SavePlotOptionsWhereRead(const PlotOptions_tag& options);

}  // namespace optora
