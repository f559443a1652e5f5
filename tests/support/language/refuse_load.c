/* A language library of the right version that cannot be loaded: its
   initialisation fails. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reserved;
    return reason != DLL_PROCESS_ATTACH;
}
