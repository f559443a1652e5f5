#pragma once
#include <string>

namespace optora {

// The user-environment editor's table for a device and storage area: the
// name asked for when the area's "usrpt.ctl" lists it, else the default table.
std::string UserEnvironmentTable(const char* device, const char* area, const char* name);

// Starts the user-environment editor, if one is installed, without waiting
// for it; null texts count as empty.
void StartUserEnvironmentEditor();
void StartUserEnvironmentEditor(const char* device, const char* area);
void StartUserEnvironmentEditor(const char* device, const char* area, const char* name);

}  // namespace optora
