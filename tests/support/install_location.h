#pragma once
#include <windows.h>

#include <string>

namespace optora::test {

// The machine-wide install location of the suite's programs.
constexpr const char* kLocationV8 = "SOFTWARE\\Kestrel\\Location\\V8";
constexpr const char* kLocation = "SOFTWARE\\Kestrel\\Location";

void StoreMachineValue(const char* path, const char* name, DWORD type, const void* data, DWORD size);
void StoreMachineText(const char* path, const char* name, const std::string& text);

// No install location and nothing in c:\ads or c:\suite (where the tests
// install programs); c:\userroot is the fixture's.
void ClearInstalledPrograms();

// Creates the file (and its directories) holding a copy of source, or a
// few bytes without one.
void PutFile(const std::string& path, const std::string& source = {});

}  // namespace optora::test
