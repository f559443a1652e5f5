// optora-demo: a stand-in suite application. It binds optora.dll by name,
// offers every dialog the library exports from its menu, shows what the
// getters return, and lists the registered messages it receives as they
// arrive. Start two to watch one application's change reach the other.
#include <windows.h>

#include <cstdio>
#include <string>

#include "optora.h"

namespace {

enum class Launch { Window, WindowInt, WindowUnsigned };

struct DialogEntry {
    const char* label;
    const char* entry;
    Launch kind;
    int argument;
};

// Every dialog of the suite's library; those not exported are shown greyed.
const DialogEntry kDialogs[] = {
    {"&Preference...", "optora_dopreferences_noarea", Launch::Window, 0},
    {"&Grade Options...", "optora_dogradeoptions", Launch::WindowInt, 0},
    {"Grade Options (&read only)...", "optora_dogradeoptions", Launch::WindowInt, 1},
    {"&Cut Options...", "optora_docutoptions", Launch::Window, 0},
    {"P&lot Options...", "optora_doplotoptions", Launch::WindowInt, 0},
    {"Plot Options (with AST&M)...", "optora_doplotoptions", Launch::WindowInt, 1},
    {"&Order Options...", "optora_doorderoptions", Launch::WindowUnsigned, 1},
    {"Order Options (&without layrule)...", "optora_doorderoptions", Launch::WindowUnsigned, 0},
    {"&Digitize Processing Options...", "optora_doverifyoptions", Launch::Window, 0},
};
constexpr int kDialogCount = sizeof kDialogs / sizeof kDialogs[0];

const char* const kMessages[] = {
    OPTORA_MSG_PREFERENCES, OPTORA_MSG_GRADEOPTIONS, OPTORA_MSG_ALTERATION,     OPTORA_MSG_CUTOPTIONS,
    OPTORA_MSG_PLOTOPTIONS, OPTORA_MSG_ORDEROPTIONS, OPTORA_MSG_VERIFYOPTIONS, OPTORA_MSG_DATAITEMSAVED,
};
constexpr int kMessageCount = sizeof kMessages / sizeof kMessages[0];

constexpr int kDialogBase = 100;
constexpr int kSetGradeBase = 200;
constexpr int kAlterationUp = 300;
constexpr int kRefresh = 301;
constexpr int kClearLog = 302;
constexpr int kExit = 303;
constexpr int kVerifyClosedByOwner = 304;
constexpr UINT_PTR kCloseVerifyTimer = 1;
constexpr UINT kCloseVerifyAfterMs = 10000;
constexpr int kCutAppBase = 400;
constexpr int kPlotAppBase = 420;

// The application names that choose a variant of the cut and plot options
// (and the dialogs' captions); the empty one and any other read the default.
const char* const kCutApps[] = {"", "CUTGEN_CUT_OPTIONS", "CUTPLOT_CUT_OPTIONS", "OTHER_CUT_APP"};
const char* const kPlotApps[] = {"",        "CUTPLOT_PLOT_OPTIONS", "MARKERPLOT_PLOT_OPTIONS", "PIECEPLOT_PLOT_OPTIONS",
                                 "ZID_PLOT_OPTIONS", "OTHER_PLOT_APP"};

HMODULE g_library = nullptr;
UINT g_ids[kMessageCount];
HWND g_values = nullptr;
HWND g_log = nullptr;

void* Entry(const char* name) { return g_library ? reinterpret_cast<void*>(GetProcAddress(g_library, name)) : nullptr; }

template <typename Fn>
Fn Bind(const char* name) {
    return reinterpret_cast<Fn>(Entry(name));
}

std::string IntValue(const char* getter) {
    auto fn = Bind<int (*)()>(getter);
    return fn ? std::to_string(fn()) : std::string("(not exported)");
}

void ShowValues() {
    SendMessageA(g_values, LB_RESETCONTENT, 0, 0);
    auto line = [](const std::string& text) { SendMessageA(g_values, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); };
    line("notation       " + IntValue("optora_getnotation") + "   (0 metric, 1 imperial)");
    line("precision      " + IntValue("optora_getprecision"));
    line("grade method   " + IntValue("optora_getgradeoption"));
    line("alteration     " + IntValue("optora_getalteration"));
    auto cutApp = Bind<char* (*)()>("optora_getcutapp");
    auto plotApp = Bind<char* (*)()>("optora_getplotapp");
    line(std::string("cut app        \"") + (cutApp ? cutApp() : "") + "\"");
    line(std::string("plot app       \"") + (plotApp ? plotApp() : "") + "\"");
    // The records, read in place as the suite's applications read them.
    char text[512];
    if (auto get = Bind<CutOptions_tag* (*)()>("optora_getcutoptions")) {
        const CutOptions_tag* cut = get();
        std::snprintf(text, sizeof text, "cut options    %s  %s  export %d  storage area %d  bundles by %d",
                      cut->DosCutPath, cut->CutFormat, cut->Export, cut->SaveToStorageArea, cut->Bundles_By);
        line(text);
    }
    if (auto get = Bind<PlotOptions_tag* (*)()>("optora_getplotoptions")) {
        const PlotOptions_tag* plot = get();
        std::snprintf(text, sizeof text, "plot options   %s  type %d  queue \"%s\"  media \"%s\"  image %s %s",
                      plot->DosPlotPath, plot->DosPlotType, plot->DefaultPlotQueue, plot->DefaultPlotMedia,
                      plot->ImagePath, plot->ImageType);
        line(text);
    }
    if (auto get = Bind<OrderOptions_tag* (*)()>("optora_getorderoptions")) {
        const OrderOptions_tag* order = get();
        std::snprintf(text, sizeof text, "order options  overwrite %d  seam %g in  layrule %d", order->OverwriteMarker,
                      order->SplitPieceSeam, order->LayruleMethod);
        line(text);
    }
    if (auto get = Bind<VerifyOptions_tag* (*)()>("optora_getverifyoptions")) {
        const VerifyOptions_tag* verify = get();
        std::snprintf(text, sizeof text, "digitize       area %s  model \"%s\"  rule \"%s\"  prefix \"%s\"  from %u",
                      verify->VerifyStorageArea, verify->Model.Text, verify->GradeRule.Text, verify->Prefix.Text,
                      verify->StartingNumber);
        line(text);
    }
    if (auto get = Bind<UserEnvItems_tag* (*)()>("optora_getoptionsettings")) {
        const UserEnvItems_tag* items = get();
        std::snprintf(text, sizeof text, "environment    cut %s .%s  plot %s  bundles by %d  seam %g",
                      items->DosCutPath, items->DosCutExtension, items->DosPlotPath, items->Bundles_By,
                      items->SplitPieceSeam);
        line(text);
    }
}

void LogMessage(const char* name, WPARAM wParam, LPARAM lParam) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[256];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u  %-28s wParam=0x%llx  lParam=%lld", now.wHour, now.wMinute,
                  now.wSecond, name, static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
    const LRESULT index = SendMessageA(g_log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(g_log, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void OpenDialog(HWND window, const DialogEntry& dialog) {
    void* fn = Entry(dialog.entry);
    if (!fn) return;
    switch (dialog.kind) {
    case Launch::Window: reinterpret_cast<void (*)(HWND)>(fn)(window); break;
    case Launch::WindowInt: reinterpret_cast<void (*)(HWND, int)>(fn)(window, dialog.argument); break;
    case Launch::WindowUnsigned:
        reinterpret_cast<void (*)(HWND, unsigned)>(fn)(window, static_cast<unsigned>(dialog.argument));
        break;
    }
    ShowValues();
}

HMENU BuildMenu() {
    HMENU dialogs = CreatePopupMenu();
    for (int i = 0; i < kDialogCount; ++i)
        AppendMenuA(dialogs, MF_STRING | (Entry(kDialogs[i].entry) ? 0 : MF_GRAYED), kDialogBase + i, kDialogs[i].label);
    // The owner ends the dialog from its own window procedure, as an
    // application does when the digitizer session it belongs to ends.
    AppendMenuA(dialogs, MF_STRING | (Entry("optora_closeverifyoptions") ? 0 : MF_GRAYED), kVerifyClosedByOwner,
                "Digitize Processing Options, closed by this &window after 10 s...");
    AppendMenuA(dialogs, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(dialogs, MF_STRING, kExit, "E&xit");

    HMENU grade = CreatePopupMenu();
    const char* const methods[] = {"&0 Small-Large Incremental", "&1 Base Up-Down Cumulative",
                                   "&2 Base Up-Down Incremental"};
    const UINT gradeFlags = Entry("optora_setgradeoption") ? 0 : MF_GRAYED;
    for (int i = 0; i < 3; ++i) AppendMenuA(grade, MF_STRING | gradeFlags, kSetGradeBase + i, methods[i]);

    HMENU cutApps = CreatePopupMenu(), plotApps = CreatePopupMenu();
    for (int i = 0; i < static_cast<int>(sizeof kCutApps / sizeof kCutApps[0]); ++i)
        AppendMenuA(cutApps, MF_STRING, kCutAppBase + i, *kCutApps[i] ? kCutApps[i] : "(none)");
    for (int i = 0; i < static_cast<int>(sizeof kPlotApps / sizeof kPlotApps[0]); ++i)
        AppendMenuA(plotApps, MF_STRING, kPlotAppBase + i, *kPlotApps[i] ? kPlotApps[i] : "(none)");

    HMENU settings = CreatePopupMenu();
    AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(cutApps), "&Cut application name");
    AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(plotApps), "&Plot application name");
    AppendMenuA(settings, MF_POPUP, reinterpret_cast<UINT_PTR>(grade), "Set &grade method");
    AppendMenuA(settings, MF_STRING | (Entry("optora_setalteration") ? 0 : MF_GRAYED), kAlterationUp,
                "&Alteration + 1");
    AppendMenuA(settings, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(settings, MF_STRING, kRefresh, "&Refresh values\tF5");
    AppendMenuA(settings, MF_STRING, kClearLog, "&Clear message list");

    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(dialogs), "&Dialogs");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(settings), "&Settings");
    return bar;
}

void Layout(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const int valuesHeight = 170;
    MoveWindow(g_values, 4, 4, client.right - 8, valuesHeight, TRUE);
    MoveWindow(g_log, 4, valuesHeight + 8, client.right - 8, client.bottom - valuesHeight - 12, TRUE);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    for (int i = 0; i < kMessageCount; ++i) {
        if (g_ids[i] && message == g_ids[i]) {
            LogMessage(kMessages[i], wParam, lParam);
            ShowValues();  // what an application does: read the set again
            return 0;
        }
    }
    switch (message) {
    case WM_CREATE: {
        const HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL;
        g_values = CreateWindowA("LISTBOX", "", style | WS_HSCROLL, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
        g_log = CreateWindowA("LISTBOX", "", style | WS_HSCROLL, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
        SendMessageA(g_values, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(g_log, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageA(g_log, LB_SETHORIZONTALEXTENT, 900, 0);
        SendMessageA(g_values, LB_SETHORIZONTALEXTENT, 1200, 0);
        ShowValues();
        return 0;
    }
    case WM_SIZE:
        Layout(window);
        return 0;
    case WM_TIMER:
        if (wParam == kCloseVerifyTimer) {
            KillTimer(window, kCloseVerifyTimer);
            if (auto close = Bind<void (*)(HWND)>("optora_closeverifyoptions")) close(window);
        }
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= kDialogBase && id < kDialogBase + kDialogCount) OpenDialog(window, kDialogs[id - kDialogBase]);
        if (id >= kSetGradeBase && id < kSetGradeBase + 3) {
            if (auto set = Bind<void (*)(int)>("optora_setgradeoption")) set(id - kSetGradeBase);
            ShowValues();
        }
        if (id == kAlterationUp) {
            auto get = Bind<int (*)()>("optora_getalteration");
            auto set = Bind<void (*)(int)>("optora_setalteration");
            if (get && set) set(get() + 1);
            ShowValues();
        }
        if (id == kVerifyClosedByOwner) {
            SetTimer(window, kCloseVerifyTimer, kCloseVerifyAfterMs, nullptr);
            if (auto open = Bind<void (*)(HWND)>("optora_doverifyoptions")) open(window);
            KillTimer(window, kCloseVerifyTimer);
            ShowValues();
        }
        if (id >= kCutAppBase && id < kCutAppBase + static_cast<int>(sizeof kCutApps / sizeof kCutApps[0]))
            if (auto set = Bind<void (*)(const char*)>("optora_setcutapp")) set(kCutApps[id - kCutAppBase]);
        if (id >= kPlotAppBase && id < kPlotAppBase + static_cast<int>(sizeof kPlotApps / sizeof kPlotApps[0]))
            if (auto set = Bind<void (*)(const char*)>("optora_setplotapp")) set(kPlotApps[id - kPlotAppBase]);
        if (id >= kCutAppBase && id < kPlotAppBase + 20) ShowValues();
        if (id == kRefresh) ShowValues();
        if (id == kClearLog) SendMessageA(g_log, LB_RESETCONTENT, 0, 0);
        if (id == kExit) DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    g_library = LoadLibraryA("optora.dll");
    if (!g_library) {
        MessageBoxA(nullptr, "optora.dll was not found beside optora-demo.exe or on the path.", "optora demo",
                    MB_OK | MB_ICONSTOP);
        return 1;
    }
    for (int i = 0; i < kMessageCount; ++i) g_ids[i] = RegisterWindowMessageA(kMessages[i]);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "OptoraDemo";
    RegisterClassA(&windowClass);

    char title[64];
    std::snprintf(title, sizeof title, "optora demo (process %lu)", GetCurrentProcessId());
    // A second copy opens beside the first, so a change in one shows in the other.
    int x = 20, y = 20;
    if (HWND first = FindWindowA("OptoraDemo", nullptr)) {
        RECT where;
        GetWindowRect(first, &where);
        x = where.left + 60;
        y = where.bottom - 120;
    }
    HWND window = CreateWindowA("OptoraDemo", title, WS_OVERLAPPEDWINDOW, x, y, 760, 460, nullptr, BuildMenu(),
                                instance, nullptr);
    if (!window) return 2;
    ShowWindow(window, show);
    UpdateWindow(window);

    ACCEL refresh = {FVIRTKEY, VK_F5, kRefresh};
    HACCEL accelerators = CreateAcceleratorTableA(&refresh, 1);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!TranslateAcceleratorA(window, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    DestroyAcceleratorTable(accelerators);
    FreeLibrary(g_library);
    return static_cast<int>(msg.wParam);
}
