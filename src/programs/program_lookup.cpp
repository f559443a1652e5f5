#include "programs/program_lookup.h"

#include <cstring>
#include <optional>
#include <string>

#include "programs/program_names.h"
#include "store/unique_resource.h"

namespace optora {
namespace {

char g_programPath[kProgramPathSize];
constexpr char kNoProgram[] = "";

UniqueHKey OpenInstallLocation() {
    HKEY key = nullptr;
    // The older key counts only on machines without the V8 one; a V8 key
    // lacking a program's value means the program is not installed.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrel\\Location\\V8", 0, KEY_READ, &key) == ERROR_SUCCESS ||
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kestrel\\Location", 0, KEY_READ, &key) == ERROR_SUCCESS)
        return UniqueHKey(key);
    return UniqueHKey();
}

std::optional<std::string> InstallDirectory(const char* registryName) {
    char directory[kProgramPathSize] = {};
    DWORD size = sizeof directory;
    if (!QueryInstallLocation(registryName, directory, &size)) return std::nullopt;
    return std::string(directory);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const char* Found(const std::string& path) {
    std::memcpy(g_programPath, path.c_str(), path.size() + 1);
    return g_programPath;
}

}  // namespace

bool QueryInstallLocation(const char* registryName, char* directory, DWORD* size) {
    if (!registryName || !directory || !size || *size == 0) return false;
    const UniqueHKey key = OpenInstallLocation();
    if (!key) return false;
    DWORD read = *size;
    // Any value type is taken as text, as the suite's installers wrote them.
    if (RegQueryValueExA(key.get(), registryName, nullptr, nullptr, reinterpret_cast<BYTE*>(directory), &read) !=
        ERROR_SUCCESS)
        return false;
    // A value stored without its terminator still has to end in one here.
    if (read == 0 || directory[read - 1] != '\0') {
        if (read >= *size) return false;
        directory[read] = '\0';
    }
    *size = read;
    return true;
}

const char* FindProgramPath(const char* name, const char* extension) {
    g_programPath[0] = '\0';
    if (!name || !extension) return kNoProgram;
    const std::optional<ProgramNames> names = ProgramNamesFor(name, extension);
    if (!names) return kNoProgram;

    std::optional<std::string> directory = InstallDirectory(names->registryName.c_str());
    if (!directory && names->askMarlowLocation) directory = InstallDirectory("marlow 2000");
    if (directory) {
        const std::string& file = names->helpName.empty() ? names->fileName : names->helpName;
        if (const auto path = JoinProgramPath(*directory, file); path && IsFile(*path)) return Found(*path);
    }
    for (const char* fallback : kFallbackProgramDirectories) {
        if (const auto path = JoinProgramPath(fallback, names->fileName); path && IsFile(*path)) return Found(*path);
    }
    return kNoProgram;
}

}  // namespace optora
