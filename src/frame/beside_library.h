#pragma once
#include <windows.h>

namespace optora {

// One of the suite's libraries that lie beside this one (stordb.dll,
// devadod.dll), loaded by full path so no other copy is taken; null when it
// is missing. Callers load once, on first use rather than at library load
// (no loading under the loader lock), and keep it for the process.
HMODULE LoadBesideLibrary(const char* fileName);

template <typename Fn>
Fn ResolveExport(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A table of a beside library's exports, bound on first use and kept for the
// process; bind(module) fills it (module is null when the library is missing).
// Each call site passes a lambda of its own type, so each keeps its own table.
template <typename Table, typename Bind>
const Table& BoundOnce(const char* fileName, Bind bind) {
    static const Table table = bind(LoadBesideLibrary(fileName));
    return table;
}

}  // namespace optora
