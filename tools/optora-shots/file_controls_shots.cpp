#include "file_controls_shots.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "file_controls_dialog.h"
#include "shot_file.h"

namespace {

using optora::FileControlsDialog;

struct Run {
    std::string directory;
    HWND dialog = nullptr, menu = nullptr, chooser = nullptr;
    size_t step = 0;
    DWORD started = 0, since = 0;
    int failures = 0;
} g_run;

struct Found {
    const char* caption;
    HWND window;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    auto* wanted = reinterpret_cast<Found*>(found);
    char className[16] = {}, caption[64] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(className, "#32770") || lstrcmpA(caption, wanted->caption) || !IsWindowVisible(window)) return TRUE;
    wanted->window = window;
    return FALSE;
}

// Finds the dialog and brings it to the corner, painted anew.
bool Presented(HWND& dialog, const char* caption) {
    Found found = {caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    if (!(dialog = found.window)) return false;
    SetWindowPos(dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    g_run.since = GetTickCount();
    return true;
}

bool Settled() { return GetTickCount() - g_run.since > 400; }  // the display has caught up

// The window with whatever shows above it.
void Shoot(const char* name, HWND window, HWND over) {
    RECT area = {}, above = {};
    GetWindowRect(window, &area);
    if (over && GetWindowRect(over, &above)) UnionRect(&area, &area, &above);
    const HDC screen = GetDC(nullptr);
    const bool written = WriteShot(g_run.directory + "\\" + name + ".png", screen, area);
    ReleaseDC(nullptr, screen);
    std::printf("%s %s\n", written ? "wrote" : "FAILED", name);
    if (!written) ++g_run.failures;
}

void ToField(UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageA(GetDlgItem(g_run.dialog, FileControlsDialog::kStorageItem), message, wParam, lParam);
}

struct Step {
    bool (*ready)();
    void (*action)();
};
const Step kSteps[] = {
    {[] { return Presented(g_run.dialog, FileControlsDialog::kCaption); }, [] {}},
    {Settled,
     [] {
         Shoot("file_controls", g_run.dialog, nullptr);
         ToField(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 6));
     }},
    {[] {
         g_run.menu = FindWindowA("#32768", nullptr);
         return g_run.menu && IsWindowVisible(g_run.menu);
     },
     [] { g_run.since = GetTickCount(); }},
    {Settled,
     [] {
         Shoot("storage_area_menu", g_run.dialog, g_run.menu);
         EndMenu();
     }},
    {[] { return !IsWindowVisible(g_run.menu); }, [] { ToField(WM_KEYUP, VK_F4, 0); }},
    {[] { return Presented(g_run.chooser, "Choose from a Storage Area"); }, [] {}},
    {Settled,
     [] {
         Shoot("storage_area_chooser", g_run.chooser, nullptr);
         PostMessageA(g_run.chooser, WM_COMMAND, IDCANCEL, 0);
     }},
    {[] { return !IsWindow(g_run.chooser); }, [] { PostMessageA(g_run.dialog, WM_COMMAND, IDCANCEL, 0); }},
};
constexpr size_t kStepCount = sizeof kSteps / sizeof kSteps[0];

// Runs inside whichever modal loop is open: the dialog's, the menu's or the chooser's.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_run.step < kStepCount && kSteps[g_run.step].ready()) {
        kSteps[g_run.step].action();
        ++g_run.step;
    } else if (g_run.step < kStepCount && GetTickCount() - g_run.started > 20000) {
        std::fprintf(stderr, "optora-shots: the file controls stopped at step %zu\n", g_run.step);
        g_run.step = kStepCount;
        ++g_run.failures;
        EndMenu();
        for (HWND dialog : {g_run.chooser, g_run.dialog})
            if (IsWindow(dialog)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

}  // namespace

int ShootFileControls(const std::string& directory) {
    // The chooser lists the models of the default storage area.
    const std::filesystem::path area = "c:\\userroot\\storage\\DATA70";
    std::error_code ignored;
    std::filesystem::create_directories(area / "data", ignored);
    std::filesystem::create_directories(area / "param", ignored);
    std::ofstream(area / "data" / "model.ctl", std::ios::binary) << "BLOUSE-01\nSKIRT-A-LINE\nJACKET\n";
    g_run = Run{directory};
    g_run.started = GetTickCount();
    FileControlsDialog dialog;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &Tick);
    dialog.DoModal();
    KillTimer(nullptr, timer);
    return g_run.failures + (g_run.step < kStepCount ? 1 : 0);
}
