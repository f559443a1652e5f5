#include "frame/beside_library.h"

#include <string>

#include "frame/module_state.h"

namespace optora {

HMODULE LoadBesideLibrary(const char* fileName) {
    const std::string directory = ModuleDirectory(LibraryModuleState().instance);
    return directory.empty() ? nullptr : LoadLibraryA((directory + fileName).c_str());
}

}  // namespace optora
