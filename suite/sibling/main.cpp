// Stand-in for the suite's sibling programs (the user-environment editor and
// the others), which this machine does not have. It shows nothing: it appends
// one line to the file named by the environment variable OPTORA_SIBLING_LOG
// and exits. The line is the program's own full path, a tab, and its full
// command line: which copy was started, and how. Without that variable it
// does nothing.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char logPath[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("OPTORA_SIBLING_LOG", logPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 1;

    // Several copies may start at once: retry while another holds the file.
    HANDLE log = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 200 && log == INVALID_HANDLE_VALUE; ++attempt) {
        log = CreateFileA(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log == INVALID_HANDLE_VALUE) Sleep(10);
    }
    if (log == INVALID_HANDLE_VALUE) return 2;

    char self[MAX_PATH] = {};
    const DWORD selfLength = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const char* commandLine = GetCommandLineA();
    DWORD written = 0;
    const BOOL ok = WriteFile(log, self, selfLength, &written, nullptr) && WriteFile(log, "\t", 1, &written, nullptr) &&
                    WriteFile(log, commandLine, static_cast<DWORD>(std::strlen(commandLine)), &written, nullptr) &&
                    WriteFile(log, "\r\n", 2, &written, nullptr);
    CloseHandle(log);
    return ok ? 0 : 3;
}
