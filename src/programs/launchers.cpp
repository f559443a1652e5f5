#include "programs/launchers.h"

#include "programs/command_line.h"
#include "programs/program_lookup.h"
#include "programs/program_start.h"
#include "store/storage_database.h"

namespace optora {
namespace {

constexpr char kDefaultUserEnvironment[] = "P-USER-ENVIRON";

const char* TextOrEmpty(const char* text) { return text ? text : ""; }

// Quoted only when the path has a blank, or "C:\Program Files\..." would
// start "C:\Program" or nothing; the arguments go as typed.
void Start(const std::string& arguments) {
    CommandLine line(FindProgramPath("userenv"), CommandLine::ProgramWord::QuotedWhenBlank);
    StartProgram(line.Add(arguments).Text(), StartCall::WinExec, SW_SHOW);
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

void StartUserEnvironmentEditor() { Start(""); }

void StartUserEnvironmentEditor(const char* device, const char* area) { Start(DeviceAndArea(device, area)); }

void StartUserEnvironmentEditor(const char* device, const char* area, const char* name) {
    const std::string table = UserEnvironmentTable(device, area, name);
    Start(DeviceAndArea(device, area) + " -i" + table);
}

}  // namespace optora
