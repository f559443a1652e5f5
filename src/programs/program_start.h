#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace optora {

// The call a program is started through; each caller keeps the one its
// programs were always started with.
enum class StartCall {
    WinExec,        // inherits no handles of the caller
    CreateProcess,  // inherits the caller's inheritable handles
};

// Starts a command line (see CommandLine) without waiting for it; none
// starts nothing, and a failure leaves no trace. show is the show state of
// the program's first window; SW_SHOWDEFAULT leaves it to the program.
void StartProgram(const std::optional<std::string>& commandLine, StartCall call, int show);

}  // namespace optora
