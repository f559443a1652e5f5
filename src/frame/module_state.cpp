#include "frame/module_state.h"

// The image base of whichever module this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace optora {
ModuleState& LibraryModuleState() {
    static ModuleState state{reinterpret_cast<HINSTANCE>(&__ImageBase), reinterpret_cast<HINSTANCE>(&__ImageBase)};
    return state;
}

std::string ModuleDirectory(HINSTANCE module, std::string* modulePath) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    const std::string full(path, length);
    const std::size_t separator = full.find_last_of("\\/");
    if (separator == std::string::npos) return {};
    if (modulePath) *modulePath = full;
    return full.substr(0, separator + 1);
}

}  // namespace optora
