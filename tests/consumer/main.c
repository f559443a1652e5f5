/* A suite program as the README shows it: bound through the import library,
   it reads a record and reloads when a set changes. It sets the grade method
   to another value, as a second program would, and stores the alteration it
   is given. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include <optora.h>

static UINT gradeChanged;

static LRESULT CALLBACK MainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == gradeChanged) {
        printf("told: grade method %d\n", optora_getgradeoption());
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int main(int argc, char** argv) {
    WNDCLASSA type = {0};
    const CutOptions_tag* cut;
    int method;
    if (argc != 2) return 2;

    type.lpfnWndProc = MainWindow;
    type.lpszClassName = "consumer";
    RegisterClassA(&type);
    /* Change messages are broadcast to top-level windows; a hidden one will do. */
    if (!CreateWindowA("consumer", "", WS_OVERLAPPED, 0, 0, 0, 0, NULL, NULL, NULL, NULL)) return 1;
    gradeChanged = (UINT)optora_getbroadcastid_gradeopt();

    cut = optora_getcutoptions();
    printf("cut files go to %s\n", cut->DosCutPath);

    method = optora_getgradeoption() == 1 ? 2 : 1;
    printf("set: grade method %d\n", method);
    optora_setgradeoption(method);

    optora_setalteration(atoi(argv[1]));
    printf("alteration %d\n", optora_getalteration());
    return 0;
}
