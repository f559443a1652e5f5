#pragma once
#include <windows.h>

// optora.dll as the suite binds it: by name, each entry point looked up by name.
HMODULE OptoraLibrary();

template <typename Fn>
Fn Bind(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(OptoraLibrary(), name)));
}
