#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace optora {

// The longest name or path the program lookup handles; its buffers hold
// this many characters and a terminator.
constexpr std::size_t kProgramPathSize = 260;

// What one lookup of a sibling program asks for.
struct ProgramNames {
    std::string registryName;  // value name in the install location key
    std::string fileName;      // the file that must exist in a directory
    std::string helpName;      // compiled help file of the Marlow 2000 application, else empty
    // A help request for the Marlow 2000 application: when its own value is
    // missing the install location is asked under "marlow 2000" too.
    bool askMarlowLocation = false;
};

// The names behind a requested program name and extension (".exe" for every
// caller). Empty when a name does not fit the lookup's buffers.
std::optional<ProgramNames> ProgramNamesFor(std::string_view name, std::string_view extension);

// directory + file name, with a backslash between them unless the directory
// is empty or already ends with one; empty when the path would not fit.
std::optional<std::string> JoinProgramPath(std::string_view directory, std::string_view fileName);

// Where the suite's programs lie when the install location names none.
constexpr std::array<const char*, 5> kFallbackProgramDirectories = {
    "c:\\userroot\\prog\\pro\\", "c:\\userroot\\prog\\appl\\", "c:\\userroot\\prog\\util\\",
    "c:\\userroot\\system\\text\\", "c:\\ads\\",
};

}  // namespace optora
