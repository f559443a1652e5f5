#include "programs/launchers.h"

#include <windows.h>

#include "programs/program_lookup.h"
#include "store/storage_database.h"

namespace optora {
namespace {

constexpr char kDefaultUserEnvironment[] = "P-USER-ENVIRON";
// What a process may be started with, terminator included; a longer line
// would reach the program cut short, as other arguments than were asked for.
constexpr std::size_t kCommandLineLimit = 32767;

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

// The editor's path as the first word of a command line. Quoted when it has
// a blank, or "C:\Program Files\..." would start "C:\Program" or nothing.
std::string ProgramWord() {
    const std::string path = FindProgramPath("userenv");
    if (path.find(' ') == std::string::npos) return path;
    return '"' + path + '"';
}

void Start(const std::string& program, const std::string& arguments) {
    // Without a program the command line would begin with its arguments,
    // which is a request to start something else altogether.
    if (program.empty()) return;
    const std::string commandLine = program + arguments;
    if (commandLine.size() >= kCommandLineLimit) return;
    WinExec(commandLine.c_str(), SW_SHOW);
}

std::string DeviceAndArea(const char* device, const char* area) {
    return std::string(" -d") + TextOrEmpty(device) + " -s" + TextOrEmpty(area);
}

}  // namespace

std::string UserEnvironmentTable(const char* device, const char* area, const char* name) {
    device = TextOrEmpty(device);
    name = TextOrEmpty(name);
    if (*device) {
        const std::string controlFile =
            std::string(1, *device) + ":\\userroot\\storage\\" + TextOrEmpty(area) + "\\param\\usrpt.ctl";
        if (ControlFileLists(controlFile.c_str(), name)) return name;
    }
    return kDefaultUserEnvironment;
}

void StartUserEnvironmentEditor() { Start(ProgramWord(), ""); }

void StartUserEnvironmentEditor(const char* device, const char* area) {
    Start(ProgramWord(), DeviceAndArea(device, area));
}

void StartUserEnvironmentEditor(const char* device, const char* area, const char* name) {
    const std::string table = UserEnvironmentTable(device, area, name);
    Start(ProgramWord(), DeviceAndArea(device, area) + " -i" + table);
}

}  // namespace optora
