#pragma once
#include <windows.h>

namespace optora {

// The directory that the machine-wide install location records for a
// program (its registry name), read into directory (size bytes in, bytes
// read out). False when neither key names it or the value does not fit.
bool QueryInstallLocation(const char* registryName, char* directory, DWORD* size);

// Full path of an existing sibling program, or the empty text. The path lives
// in one process-wide buffer that the next lookup overwrites: copy it before
// looking up another.
const char* FindProgramPath(const char* name, const char* extension);
inline const char* FindProgramPath(const char* name) { return FindProgramPath(name, ".exe"); }

}  // namespace optora
