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

ModuleState& LibraryModuleState();

// The module state current on this thread: the library's inside a guard,
// otherwise null (the calling application's own).
const ModuleState* ActiveModuleState();

// Resources of the library, whichever state is active: library code never
// wants the caller's resources.
inline HINSTANCE LibraryResources() { return LibraryModuleState().resources; }

// The directory of a module, with its trailing backslash, where the library
// looks for the files that belong beside it; empty when the module's path
// does not fit a path buffer. modulePath, when given, receives the full path.
std::string ModuleDirectory(HINSTANCE module, std::string* modulePath = nullptr);

// Makes the library's module state current for the calling thread for the
// guard's lifetime; restores the caller's on every way out.
class ModuleStateGuard {
public:
    ModuleStateGuard();
    ~ModuleStateGuard();
    ModuleStateGuard(const ModuleStateGuard&) = delete;
    ModuleStateGuard& operator=(const ModuleStateGuard&) = delete;

private:
    const ModuleState* previous_;
};

}  // namespace optora
