#include "programs/program_names.h"

#include <algorithm>
#include <cctype>

namespace optora {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Every spelling under which callers ask for the Marlow 2000 application.
constexpr std::string_view kMarlowNames[] = {"mrl2000.exe",     "mrl2000", "mrlw2000", "mrlw2000.exe",
                                             "marlow 2000.exe", "marlow 2000"};

bool Fits(const std::string& text) { return text.size() < kProgramPathSize; }

}  // namespace

std::optional<ProgramNames> ProgramNamesFor(std::string_view name, std::string_view extension) {
    if (name.size() >= kProgramPathSize) return std::nullopt;
    ProgramNames names;
    names.registryName = std::string(name);
    names.fileName = std::string(name);

    const bool marlow = std::any_of(std::begin(kMarlowNames), std::end(kMarlowNames),
                                    [name](std::string_view m) { return SameIgnoringCase(name, m); });
    if (marlow) {
        // The application is registered under its program but started
        // through its launcher.
        names.registryName = "mrl2000.exe";
        names.fileName = "mrl2000Launcher.exe";
        return names;
    }

    // Case-sensitive on purpose: "X.EXE" gets ".exe" appended, as it always has.
    const std::size_t extensionAt = name.find(extension);
    if (extensionAt == std::string_view::npos || name.size() < extension.size()) {
        names.registryName += extension;
        names.fileName += extension;
    } else {
        const std::string_view baseName = name.substr(0, extensionAt);
        const std::size_t underscore = name.rfind('_');
        // "program.exe_QZ" asks for the help of program.exe.
        if (underscore != std::string_view::npos && name.find('.', underscore) == std::string_view::npos) {
            const std::string_view suffix = name.substr(underscore);
            names.helpName = std::string(baseName);
            if (SameIgnoringCase(suffix, "_QZ")) names.helpName += suffix;
            names.helpName += ".chm";
            names.fileName = std::string(name.substr(0, underscore));
            names.askMarlowLocation = SameIgnoringCase(names.fileName, "mrl2000.exe");
            // Only the Marlow 2000 application ships its help beside it.
            if (!SameIgnoringCase(baseName, "mrl2000")) names.helpName.clear();
        }
    }
    if (!Fits(names.registryName) || !Fits(names.fileName) || !Fits(names.helpName)) return std::nullopt;
    return names;
}

std::optional<std::string> JoinProgramPath(std::string_view directory, std::string_view fileName) {
    std::string path(directory);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += fileName;
    if (!Fits(path)) return std::nullopt;
    return path;
}

}  // namespace optora
