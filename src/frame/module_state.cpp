#include "frame/module_state.h"

// The image base of whichever module this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace optora {
namespace {
thread_local const ModuleState* t_active = nullptr;
}

ModuleState& LibraryModuleState() {
    static ModuleState state{reinterpret_cast<HINSTANCE>(&__ImageBase), reinterpret_cast<HINSTANCE>(&__ImageBase)};
    return state;
}

const ModuleState* ActiveModuleState() { return t_active; }

ModuleStateGuard::ModuleStateGuard() : previous_(t_active) { t_active = &LibraryModuleState(); }

ModuleStateGuard::~ModuleStateGuard() { t_active = previous_; }

}  // namespace optora
