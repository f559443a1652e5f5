#include "programs/program_start.h"

#include <vector>

#include "store/unique_resource.h"

namespace optora {

void StartProgram(const std::optional<std::string>& commandLine, StartCall call, int show) {
    if (!commandLine) return;
    if (call == StartCall::WinExec) {
        WinExec(commandLine->c_str(), static_cast<UINT>(show));
        return;
    }
    // CreateProcessA may write into the line it is given.
    std::vector<char> line(commandLine->begin(), commandLine->end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (show != SW_SHOWDEFAULT) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(show);
    }
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) return;
    // Not waited for: the handles would only keep the ended process's record.
    const UniqueKernelHandle process(started.hProcess), thread(started.hThread);
}

}  // namespace optora
