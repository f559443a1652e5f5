// A caller of optora.dll in a process of its own, for the start-up that runs
// once per process. Usage: startup_probe DIR [dialogs]
// Loads DIR\optora.dll, asks for every message identifier, calls every getter
// and setter, and writes to DIR\probe.txt which language libraries of DIR the
// process holds after the identifiers and after the rest, and the plot
// destination texts the library hands out (from its strings, given a device
// file and no stored plot set). With "dialogs" it then opens the Grade
// Options dialog twice over a window of its own, leaving DIR\first.mark and
// DIR\second.mark before each.
#include <windows.h>

#include <fstream>
#include <string>

#include "optora.h"

namespace {

HMODULE g_library = nullptr;
bool g_missing = false;

template <typename Fn>
Fn Entry(const std::string& name) {
    const auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(g_library, name.c_str())));
    g_missing = g_missing || !fn;
    return fn;
}

// Calls NAME and _NAME (when exported) with args; what the first returned.
template <typename R, typename... Args>
R Both(const char* name, bool underscored, Args... args) {
    using Fn = R (*)(Args...);
    if (underscored) {
        if (const Fn fn = Entry<Fn>(std::string("_optora_") + name)) fn(args...);
    }
    const Fn fn = Entry<Fn>(std::string("optora_") + name);
    return fn ? fn(args...) : R();
}

const char* Held(const std::string& path) { return GetModuleHandleA(path.c_str()) ? "loaded" : "absent"; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string dir = std::string(argv[1]) + "\\";
    g_library = LoadLibraryA((dir + "optora.dll").c_str());
    if (!g_library) return 3;

    for (const char* id : {"getbroadcastid", "getbroadcastid_gradeopt", "getbroadcastalt", "getbroadcastid_cutopt",
                           "getbroadcastid_plotopt", "getbroadcastid_orderopt", "getbroadcastid_verifyopt"}) {
        if (Both<int>(id, true) == 0) return 4;
    }
    std::ofstream result(dir + "probe.txt", std::ios::binary);
    result << "identified: optorares.dll " << Held(dir + "optorares.dll") << "\n";

    Both<int>("setgradeoption", true, Both<int>("getgradeoption", true));
    Both<void>("setalteration", false, Both<int>("getalteration", false));
    Both<int>("getnotation", true);
    Both<int>("getprecision", true);
    Both<void>("setcutapp", false, Both<char*>("getcutapp", false));
    Both<void>("setplotapp", false, Both<char*>("getplotapp", false));
    Both<CutOptions_tag*>("getcutoptions", true);
    Both<OrderOptions_tag*>("getorderoptions", true);
    Both<UserEnvItems_tag*>("getoptionsettings", true);
    Both<VerifyOptions_tag*>("getverifyoptions", true);
    const PlotOptions_tag* plot = Both<PlotOptions_tag*>("getplotoptions", true);
    if (g_missing || !plot) return 4;
    result << "optorares.dll " << Held(dir + "optorares.dll") << "\n";
    result << "Lexicon.dll " << Held(dir + "Lexicon.dll") << "\n";
    result << "queue " << plot->DefaultPlotQueue << ", media " << plot->DefaultPlotMedia << "\n";
    result.close();

    if (argc > 2 && std::string(argv[2]) == "dialogs") {
        const HWND owner = CreateWindowA("STATIC", "probe", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                                         nullptr);
        for (const char* mark : {"first.mark", "second.mark"}) {
            std::ofstream(dir + mark) << "opening\n";
            Both<void>("dogradeoptions", false, owner, 0);
        }
    }
    return result ? 0 : 5;
}
