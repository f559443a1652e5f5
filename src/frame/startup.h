#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "frame/module_state.h"

namespace optora {

// The product version of a file's fixed version information.
struct ProductVersion {
    DWORD mostSignificant = 0;
    DWORD leastSignificant = 0;
    bool operator==(const ProductVersion& other) const {
        return mostSignificant == other.mostSignificant && leastSignificant == other.leastSignificant;
    }
};

std::optional<ProductVersion> ReadProductVersion(const char* path);

// True only when both versions could be read and are equal.
bool SameProductVersion(const char* pathA, const char* pathB);

// Loads the named language library from the directory of ownModule when it
// carries ownModule's product version, and the suite-wide "Lexicon.dll" from
// there once per process. Problems are kept for TellStartupProblems, never
// shown here nor returned.
HINSTANCE LoadResourceLibrary(HINSTANCE ownModule, const char* name);

// The suite-wide language library once loaded, else null; never released.
HINSTANCE SharedLanguageLibrary();

// The texts of the problems kept so far, in order; taking them forgets them.
std::vector<std::string> TakeStartupProblems();

// Shows each kept problem in a message box over owner (null: none) and
// forgets it, so the user is told once. Called before a dialog is shown.
void TellStartupProblems(HWND owner) noexcept;

// The library's application object: its initialisation installs a matching
// language library as the source of every template and string of the module
// state it serves (the library's own; another one only in tests).
class COptoraApp {
public:
    explicit COptoraApp(ModuleState& state) : state_(state) {}
    BOOL InitInstance();

private:
    ModuleState& state_;
};

// Runs the library's start-up once per process. Called by every entry point
// before it touches a resource; not from DllMain, where loading libraries and
// showing messages under the loader lock can deadlock.
void EnsureStarted() noexcept;

}  // namespace optora
