// A caller of optora.dll in a process of its own, for the start-up that runs
// once per process. Usage: startup_probe DIR
// Loads DIR\optora.dll, asks for every message identifier, leaves
// DIR\identified.mark, makes calls that start the library up, and writes to
// DIR\probe.txt which language libraries of DIR the process then holds and
// the plot destination texts the library hands out (from its strings, given
// a device file and no stored plot set).
#include <windows.h>

#include <fstream>
#include <string>

#include "optora.h"

namespace {

const char* Held(const std::string& path) { return GetModuleHandleA(path.c_str()) ? "loaded" : "absent"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = std::string(argv[1]) + "\\";
    HMODULE library = LoadLibraryA((dir + "optora.dll").c_str());
    if (!library) return 3;

    // Neither the load nor the identifiers start the library up.
    using IntFn = int (*)();
    const auto entry = [library](const std::string& name) {
        return reinterpret_cast<IntFn>(reinterpret_cast<void*>(GetProcAddress(library, name.c_str())));
    };
    for (const char* id : {"getbroadcastid", "getbroadcastid_gradeopt", "getbroadcastalt", "getbroadcastid_cutopt",
                           "getbroadcastid_plotopt", "getbroadcastid_orderopt", "getbroadcastid_verifyopt"}) {
        for (const char* prefix : {"optora_", "_optora_"}) {
            const IntFn fn = entry(prefix + std::string(id));
            if (!fn || fn() == 0) return 4;
        }
    }
    std::ofstream(dir + "identified.mark") << "identified\n";
    const IntFn notation = entry("optora_getnotation");
    if (!notation) return 4;
    notation();

    std::ofstream result(dir + "probe.txt", std::ios::binary);
    result << "optorares.dll " << Held(dir + "optorares.dll") << "\n";
    result << "Lexicon.dll " << Held(dir + "Lexicon.dll") << "\n";
    using PlotFn = PlotOptions_tag* (*)();
    if (auto plot = reinterpret_cast<PlotFn>(reinterpret_cast<void*>(GetProcAddress(library, "optora_getplotoptions")))) {
        const PlotOptions_tag* options = plot();
        result << "queue " << options->DefaultPlotQueue << ", media " << options->DefaultPlotMedia << "\n";
    }
    return result ? 0 : 5;
}
