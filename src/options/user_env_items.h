#pragma once
#include "optora.h"

namespace optora {

class DeviceFileSeen;

// The handful of settings some applications want in one call: bundling, the
// order options, the plot file type and directory, the cut directory,
// extension, format and destinations.
enum EnvironmentGroup { kGeneralGroup = 0, kCutGroup = 1, kPlotGroup = 2, kOrderGroup = 3 };

// Reads one group straight from its key; false (record untouched) when the
// key is missing. The cut and plot values are read from the "CutOptions" and
// "PlotOptions" keys themselves, not from a per-application variant.
bool ReadEnvironmentGroup(int group, UserEnvItems_tag& record);

// Refreshes the record. A group whose key is missing comes from that set's
// full loader (which may write its defaults back), unless no key exists at
// all: then nothing is read and nothing is created.
void LoadUserEnvItems(UserEnvItems_tag& record, DeviceFileSeen* seen = nullptr);

}  // namespace optora
