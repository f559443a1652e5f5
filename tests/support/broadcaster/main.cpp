// Another application telling every application of a change, as the suite's
// programs do: broadcasts the registered message NAME and exits.
//
//   broadcaster.exe NAME
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    DWORD recipients = BSM_APPLICATIONS;
    return BroadcastSystemMessageA(BSF_FORCEIFHUNG, &recipients, RegisterWindowMessageA(argv[1]), 0, 0) > 0 ? 0 : 1;
}
