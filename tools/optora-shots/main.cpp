// Renders every dialog of optora.dll to a bitmap file, for people without
// Windows to look at: each dialog is opened through its exported launcher,
// copied from the screen once painted, and cancelled.
//
//   optora-shots.exe [OUTPUT_DIR]     writes NAME.png files (default: .)
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "file_controls_shots.h"
#include "shot_file.h"

#include "controls/file_choice.h"
#include "store/registry_paths.h"

namespace {

struct Shot {
    const char* file;
    const char* entry;
    int argument;  // the launcher's second argument, where it has one
    bool takesArgument;
};

// One row per dialog view; later dialogs add theirs.
const Shot kShots[] = {
    {"preference", "optora_dopreferences_noarea", 0, false},
    {"grade_options", "optora_dogradeoptions", 0, true},
    {"grade_options_read_only", "optora_dogradeoptions", 1, true},
    {"order_options_metric", "optora_doorderoptions", 1, true},
    {"order_options_imperial", "optora_doorderoptions", 1, true},
    {"order_options_no_layrule_metric", "optora_doorderoptions", 0, true},
    {"order_options_no_layrule_imperial", "optora_doorderoptions", 0, true},
    {"verify_options", "optora_doverifyoptions", 0, false},
};

// The cut and plot dialogs under each application name that changes their
// caption or their enabled controls; the names are set before each shot.
struct OutputShot {
    const char* file;
    const char* entry;
    int astm;  // for the plot launcher
    const char* cutApp;
    const char* plotApp;
    bool locked;  // taken under the administrator's locks of SetShotPolicy
};
const OutputShot kOutputShots[] = {
    {"cut_options_default", "optora_docutoptions", 0, "", "", false},
    {"cut_options_policy", "optora_docutoptions", 0, "", "", true},
    {"cut_options_cutgen", "optora_docutoptions", 0, "CUTGEN_CUT_OPTIONS", "", false},
    {"cut_options_cutplot", "optora_docutoptions", 0, "CUTPLOT_CUT_OPTIONS", "", false},
    {"plot_options_default_astm", "optora_doplotoptions", 1, "", "", false},
    {"plot_options_cutplot", "optora_doplotoptions", 0, "", "CUTPLOT_PLOT_OPTIONS", false},
    {"plot_options_markerplot", "optora_doplotoptions", 1, "", "MARKERPLOT_PLOT_OPTIONS", false},
    {"plot_options_pieceplot", "optora_doplotoptions", 0, "", "PIECEPLOT_PLOT_OPTIONS", false},
};

std::string g_outputDir = ".";
std::string g_currentFile;
DWORD g_firstSeen = 0;
bool g_saved = false;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void SaveShotOf(HWND window) {
    RECT area = {};
    GetWindowRect(window, &area);
    const HDC screen = GetDC(nullptr);
    g_saved = WriteShot(g_outputDir + "\\" + g_currentFile + ".png", screen, area);
    ReleaseDC(nullptr, screen);
}

// Opens what a shot shows with tick running inside its modal loop to take
// the picture and close it; 1 when no picture was written.
template <typename Open>
int TakeShot(const char* file, TIMERPROC tick, Open&& open) {
    g_currentFile = file;
    g_firstSeen = 0;
    g_saved = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, tick);
    open();
    KillTimer(nullptr, timer);
    std::printf("%s %s\n", g_saved ? "wrote" : "FAILED", file);
    return g_saved ? 0 : 1;
}

// Runs inside the dialog's modal loop.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (!g_firstSeen) {
        g_firstSeen = GetTickCount();
        SetWindowPos(dialog, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        // The first window of the process may open inactive; show every caption alike.
        SetForegroundWindow(dialog);
        SendMessageA(dialog, WM_NCACTIVATE, TRUE, 0);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    if (GetTickCount() - g_firstSeen < 400) return;  // let the display catch up
    SaveShotOf(dialog);
    EndDialog(dialog, IDCANCEL);
}

// A shot whose name ends in _metric or _imperial is taken in that notation;
// the others in whatever the region gives.
void SetNotationFor(const std::string& file) {
    const auto endsWith = [&](const std::string& tail) {
        return file.size() >= tail.size() && file.compare(file.size() - tail.size(), tail.size(), tail) == 0;
    };
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, optora::keys::kArbor, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const char* notation = endsWith("_imperial") ? "1" : endsWith("_metric") ? "0" : nullptr;
    if (notation)
        RegSetValueExA(key, "Notation", 0, REG_SZ, reinterpret_cast<const BYTE*>(notation), 2);
    else
        RegDeleteValueA(key, "Notation");
    RegCloseKey(key);
}

// The storage-area chooser of devadod.dll, over a storage tree made for it.
struct ChooserShot {
    const char* file;
    uint32_t kind;
    uint32_t extraFlags;
    const char* title;
};
const ChooserShot kChooserShots[] = {
    {"chooser_models", file_choice::kModels, file_choice::kMultipleChoice, "Models of the Storage Area"},
    {"chooser_rule_table", file_choice::kRuleTables, 0, ""},
    {"chooser_storage_area", file_choice::kStorageAreas, 0, ""},
};

int ShootChoosers() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    for (const char* area : {"DATA70", "SPRING-COLLECTION-2026", "WORK"}) {
        const fs::path root = fs::path("c:\\userroot\\storage") / area;
        fs::create_directories(root / "data", ignored);
        fs::create_directories(root / "param", ignored);
        std::ofstream(root / "data" / "model.ctl") << "BLOUSE-01\nSKIRT-A-LINE\nTROUSERS-WIDE-LEG-20\nJACKET\n";
        std::ofstream(root / "data" / "rutab.ctl") << "RULES-METRIC\nRULES-US\n";
    }
    HMODULE chooser = LoadLibraryA("devadod.dll");
    auto choose = chooser ? reinterpret_cast<int (*)(FileChoice*)>(
                                reinterpret_cast<void*>(GetProcAddress(chooser, "DevaDod_GetFileNameEx")))
                          : nullptr;
    if (!choose) {
        std::fprintf(stderr, "optora-shots: devadod.dll not found\n");
        return 1;
    }
    int failures = 0;
    for (const ChooserShot& shot : kChooserShots) {
        char device[file_choice::kTextSize] = "C:", area[file_choice::kTextSize] = "DATA70";
        char start[file_choice::kTextSize] = "SKIRT-A-LINE", title[file_choice::kShortTextSize] = {};
        lstrcpynA(title, shot.title, sizeof title);
        char result[2048] = {};
        FileChoice record = {};
        record.recordSize = sizeof record;
        record.open.lStructSize = sizeof record.open;
        record.open.lpstrFile = result;
        record.open.nMaxFile = sizeof result;
        record.open.lpstrTitle = title;
        record.open.Flags = shot.kind;
        record.device = device;
        record.area = area;
        record.startText = start;
        record.extraFlags = shot.extraFlags;
        failures += TakeShot(shot.file, &Tick, [&] { choose(&record); });
    }
    FreeLibrary(chooser);
    return failures;
}

// Values of the cut dialog locked by the machine's policy, or no policy at all.
void SetShotPolicy(bool locked) {
    const std::string cut = std::string(optora::keys::kPolicies) + "\\Arbor\\CutOptions";
    const std::string arbor = std::string(optora::keys::kPolicies) + "\\Arbor";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, optora::keys::kPolicies);
    if (!locked) return;
    const struct {
        const std::string& key;
        const char* name;
        const char* text;  // else the number
        DWORD number;
    } values[] = {{cut, "CutFormat", "43format", 0}, {cut, "CutDefaultParamTbl", "P-CUTTER", 0},
                  {cut, "AutoCut", nullptr, 1}, {arbor, "Bundles_By", nullptr, 1}};
    for (const auto& value : values) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, value.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            continue;
        if (value.text)
            RegSetValueExA(key, value.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text),
                           static_cast<DWORD>(std::strlen(value.text) + 1));
        else
            RegSetValueExA(key, value.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.number),
                           sizeof value.number);
        RegCloseKey(key);
    }
}

// A few plot queues from the devqueue.dll stand-in's configuration, plotting
// to a file so the file group shows enabled.
int ShootOutputDialogs(HMODULE library) {
    std::error_code ignored;
    std::filesystem::create_directories("c:\\userroot\\system\\state", ignored);
    std::ofstream("c:\\userroot\\system\\state\\plotqueues.cfg")
        << "DOS FILE\nHP DESIGNJET 750C|Bond 36in|Vellum 42in\nGERBER AP-300|Paper\n";
    auto setCutApp = reinterpret_cast<void (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "optora_setcutapp")));
    auto setPlotApp = reinterpret_cast<void (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(library, "optora_setplotapp")));
    int failures = 0;
    for (const OutputShot& shot : kOutputShots) {
        auto entry = reinterpret_cast<void*>(GetProcAddress(library, shot.entry));
        if (!entry || !setCutApp || !setPlotApp) {
            std::fprintf(stderr, "optora-shots: %s is not exported\n", shot.entry);
            ++failures;
            continue;
        }
        setCutApp(shot.cutApp);
        setPlotApp(shot.plotApp);
        SetShotPolicy(shot.locked);
        failures += TakeShot(shot.file, &Tick, [&] {
            if (std::strcmp(shot.entry, "optora_doplotoptions") == 0)
                reinterpret_cast<void (*)(HWND, int)>(entry)(nullptr, shot.astm);
            else
                reinterpret_cast<void (*)(HWND)>(entry)(nullptr);
        });
    }
    setCutApp("");
    setPlotApp("");
    SetShotPolicy(false);
    return failures;
}

// The storage-area field's context menu as the library loads it (from the
// language library when one was taken up), each popup on its own.
void CALLBACK TickMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    if (!g_firstSeen) g_firstSeen = GetTickCount();
    if (GetTickCount() - g_firstSeen < 400) return;
    SaveShotOf(menu);
    EndMenu();
}

int ShootMenus(HMODULE library) {
    const HMODULE language = GetModuleHandleA("optorares.dll");
    HMENU menu = LoadMenuA(language ? language : library, MAKEINTRESOURCEA(130));
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const struct {
        const char* file;
        HMENU popup;
    } shots[] = {{"storage_area_menu_item", GetSubMenu(menu, 0)},
                 {"storage_area_menu_model", GetSubMenu(menu, 1)},
                 {"storage_area_menu_model_open", GetSubMenu(GetSubMenu(menu, 1), 0)}};
    int failures = 0;
    for (const auto& shot : shots) {
        failures += TakeShot(shot.file, &TickMenu, [&] {
            SetForegroundWindow(owner);
            if (shot.popup) TrackPopupMenu(shot.popup, TPM_LEFTALIGN | TPM_RETURNCMD, 20, 20, 0, owner, nullptr);
        });
    }
    DestroyWindow(owner);
    if (menu) DestroyMenu(menu);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) g_outputDir = argv[1];
    HMODULE library = LoadLibraryA("optora.dll");
    if (!library) {
        std::fprintf(stderr, "optora-shots: optora.dll not found\n");
        return 1;
    }
    // Shots without a notation of their own follow the region: make it the
    // same on every machine.
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, "0");
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::fprintf(stderr, "optora-shots: COM cannot start\n");
        return 1;
    }
    // First: the process's first window opens inactive, as its picture always showed it.
    int failures = ShootFileControls(g_outputDir);
    for (const Shot& shot : kShots) {
        auto entry = reinterpret_cast<void*>(GetProcAddress(library, shot.entry));
        if (!entry) {
            std::fprintf(stderr, "optora-shots: %s is not exported\n", shot.entry);
            ++failures;
            continue;
        }
        SetNotationFor(shot.file);
        failures += TakeShot(shot.file, &Tick, [&] {
            if (shot.takesArgument)
                reinterpret_cast<void (*)(HWND, int)>(entry)(nullptr, shot.argument);
            else
                reinterpret_cast<void (*)(HWND)>(entry)(nullptr);
        });
    }
    failures += ShootOutputDialogs(library);
    failures += ShootChoosers();
    failures += ShootMenus(library);
    FreeLibrary(library);
    CoUninitialize();
    return failures ? 1 : 0;
}
