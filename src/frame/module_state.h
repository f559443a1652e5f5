#pragma once
#include <windows.h>

#include <string>

namespace optora {

// Where the library's own dialog templates and strings are looked up: the
// library's module, or a language library installed at start-up.
struct ModuleState {
    HINSTANCE instance;
    HINSTANCE resources;
};

// The library's own, whatever the caller's: every template and string the
// library shows is looked up here, so no entry point has a state to switch.
ModuleState& LibraryModuleState();

inline HINSTANCE LibraryResources() { return LibraryModuleState().resources; }

// The directory of a module, with its trailing backslash, where the library
// looks for the files that belong beside it; empty when the module's path
// does not fit a path buffer. modulePath, when given, receives the full path.
std::string ModuleDirectory(HINSTANCE module, std::string* modulePath = nullptr);

}  // namespace optora
