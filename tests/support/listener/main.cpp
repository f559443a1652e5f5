// A stand-in suite application for notification tests: one top-level window
// that appends every registered option message it receives to a record file,
// one line each: name, identifier, wParam, lParam.
//
//   listener.exe RECORD_FILE READY_EVENT
#include <windows.h>

#include <cstdio>

namespace {

const char* const kNames[] = {
    "PreferencesChanged",  "GradeOptionsChanged", "AlterationPreferenceChanged", "CutOptionsChanged",
    "PlotOptionsChanged",  "OrderOptionsChanged", "VerifyStorageAreaChanged",    "DataItemSaved",
};
UINT g_ids[sizeof kNames / sizeof kNames[0]];
const char* g_record = nullptr;

void Record(const char* name, UINT id, WPARAM wParam, LPARAM lParam) {
    FILE* file = std::fopen(g_record, "ab");
    if (!file) return;
    std::fprintf(file, "%s %u %llu %lld\n", name, id, static_cast<unsigned long long>(wParam),
                 static_cast<long long>(lParam));
    std::fclose(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) {
        if (message == g_ids[i]) {
            Record(kNames[i], message, wParam, lParam);
            return 0;
        }
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    g_record = argv[1];
    for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i) g_ids[i] = RegisterWindowMessageA(kNames[i]);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OptoraTestListener";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("OptoraTestListener", "optora listener", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 3;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    if (ready) {
        SetEvent(ready);
        CloseHandle(ready);
    }
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
