// optora-bench: what each entry point of optora.dll costs against the floor,
// a raw client that makes the fewest registry and file reads giving the same
// answer. Both run alternately in this process, batch by batch; the table
// shows the median time per call of each and their ratio. Each getter is
// timed with its settings unchanged, and changed before every call by
// another process (a value under the set's key that no load reads, so the
// load's own work stays the same), which the library must notice.
//
// It rewrites HKCU\Software\Kestrel and c:\userroot of the prefix it runs in,
// so it runs only when told it may: optora-bench --scratch-prefix
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "optora.h"

namespace {

HMODULE g_library = nullptr;

template <typename Fn>
Fn Bind(const char* name) {
    Fn entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(g_library, name)));
    if (!entry) {
        std::fprintf(stderr, "optora-bench: optora.dll lacks %s\n", name);
        std::exit(1);
    }
    return entry;
}

constexpr const char* kKestrel = "Software\\Kestrel";
constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kGradeKey = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
constexpr const char* kCutKey = "Software\\Kestrel\\Arbor\\CutOptions\\";
constexpr const char* kPlotKey = "Software\\Kestrel\\Arbor\\PlotOptions\\";
constexpr const char* kDeviceFile = "c:\\userroot\\system\\state\\dosfile.cfg";

// The least a client does to read stored values: one open, one query each.
class RawKey {
public:
    explicit RawKey(const std::string& path) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RawKey() {
        if (key_) RegCloseKey(key_);
    }
    RawKey(const RawKey&) = delete;
    RawKey& operator=(const RawKey&) = delete;

    void Read(std::initializer_list<const char*> names) const {
        if (!key_) return;
        for (const char* name : names) {
            BYTE buffer[256];
            DWORD size = sizeof buffer;
            RegQueryValueExA(key_, name, nullptr, nullptr, buffer, &size);
        }
    }

private:
    HKEY key_ = nullptr;
};

void RawDeviceFile() {
    HANDLE file = CreateFileA(kDeviceFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char buffer[1040];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
}

void RawCut(const char* variant, bool deviceFile) {
    RawKey(std::string(kCutKey) + variant)
        .Read({"DosCutPath", "SaveToStorageArea", "Export", "CutFormat", "AutoCut", "DosNameFormat",
               "CutDefaultParamTbl", "DosExtType", "FilenameAppendCnt", "DosCutExtension"});
    RawKey(kArbor).Read({"Bundles_By"});
    if (deviceFile) RawDeviceFile();
}

void RawPlot(const char* variant, bool deviceFile) {
    RawKey(std::string(kPlotKey) + variant)
        .Read({"DosPlotType", "DosPlotPath", "DefaultPlotQueue", "DefaultPlotMedia", "DefaultPlotOutput", "AutoPlot",
               "ImagePath", "ImageType", "WastePercentage", "DecimalYards", "PlotDosNameFormat", "PlotDosExtType",
               "PlotFilenameAppendCnt", "PlotDosExt"});
    RawKey(kArbor).Read({"Bundles_By"});
    if (deviceFile) RawDeviceFile();
}

void RawVerify() {
    RawKey(kArbor).Read({"VerifyStorageArea"});
    RawKey("Software\\Kestrel\\Quillon")
        .Read({"Category", "Type", "Model", "Prefix", "GradeRule", "CategoryChB", "StartingNumber", "Size"});
}

void StoreText(const char* path, const char* name, const char* text) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(std::strlen(text) + 1));
    RegCloseKey(key);
}

// A fresh user, optionally with the device file and a storage area. The file
// is dated an hour back, as a user's file is older than the session that reads it.
// With OPTORA_BENCH_POLICY=1, a machine and a user policy on one value of
// every set, as an administrator's workstation has them.
void SetPolicies() {
    static const bool wanted = GetEnvironmentVariableA("OPTORA_BENCH_POLICY", nullptr, 0) > 0;
    for (const auto& [root, view] : {std::pair{HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY}, std::pair{HKEY_CURRENT_USER, 0}}) {
        HKEY policies = nullptr;
        if (RegCreateKeyExA(root, "Software\\Policies", 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &policies,
                            nullptr))
            continue;
        RegDeleteTreeA(policies, "Kestrel");
        for (const auto& [path, name, value] :
             {std::tuple{"Kestrel\\Arbor", "Notation", 1}, {"Kestrel\\Arbor", "Alteration", 3},
              {"Kestrel\\Arbor\\CutOptions", "AutoCut", 1}, {"Kestrel\\Arbor\\PlotOptions", "AutoPlot", 1},
              {"Kestrel\\Arbor\\OrderOptions", "OverwriteMarker", 2}, {"Kestrel\\Quillon", "StartingNumber", 7}}) {
            HKEY key = nullptr;
            if (!wanted || RegCreateKeyExA(policies, path, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr))
                continue;
            const DWORD dword = DWORD(value);
            RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
            RegCloseKey(key);
        }
        HKEY grade = nullptr;
        if (wanted && !RegCreateKeyExA(policies, "Kestrel\\Marlow 2000\\RuleTable\\GradeOptions", 0, nullptr, 0,
                                       KEY_ALL_ACCESS | view, nullptr, &grade, nullptr)) {
            const char method[] = "Base Up-Down Cumulative";
            RegSetValueExA(grade, "Grade Method", 0, REG_SZ, reinterpret_cast<const BYTE*>(method), sizeof method);
            RegCloseKey(grade);
        }
        RegCloseKey(policies);
    }
}

void FreshUser(bool deviceFile) {
    SetPolicies();
    RegDeleteTreeA(HKEY_CURRENT_USER, kKestrel);
    DeleteFileA(kDeviceFile);
    for (const char* directory : {"c:\\userroot", "c:\\userroot\\system", "c:\\userroot\\system\\state",
                                  "c:\\userroot\\storage", "c:\\userroot\\storage\\DATA70",
                                  "c:\\userroot\\storage\\DATA70\\data", "c:\\userroot\\storage\\DATA70\\param"})
        CreateDirectoryA(directory, nullptr);
    if (!deviceFile) return;
    HANDLE file = CreateFileA(kDeviceFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char text[] = "plot_type=1\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= 3600ull * 10000000ull;
    const FILETIME hourAgo = {time.LowPart, time.HighPart};
    SetFileTime(file, &hourAgo, &hourAgo, &hourAgo);
    CloseHandle(file);
}

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Comparison {
    const char* what;
    std::function<void()> arrange;  // after it, the library has repaired what it repairs
    std::function<void()> library;
    std::function<void()> floor;
    int batch;
    int rounds;
    const char* setKey = nullptr;  // for the changed state: a key this set reads and writes
};

// Another process that changes a value under a key whenever told, and says
// when it is done: the change is made before the next call starts.
class Changer {
public:
    Changer() = default;
    Changer(const Changer&) = delete;
    Changer& operator=(const Changer&) = delete;
    ~Changer() { Stop(); }

    void Start(const char* key) {
        Stop();
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, sizeof self);
        std::string command = "\"" + std::string(self) + "\" --change \"" + key + "\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        go_ = CreateEventA(nullptr, FALSE, FALSE, "optora-bench-change");
        done_ = CreateEventA(nullptr, FALSE, FALSE, "optora-bench-changed");
        if (!CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
            process_ = {};
        Change();  // it is up and the key exists
    }
    void Change() const {
        if (process_.hProcess) SignalObjectAndWait(go_, done_, 20000, FALSE);
    }
    void Stop() {
        if (!process_.hProcess) return;
        TerminateProcess(process_.hProcess, 0);
        WaitForSingleObject(process_.hProcess, 5000);
        for (HANDLE handle : {process_.hProcess, process_.hThread, go_, done_}) CloseHandle(handle);
        process_ = {};
    }

private:
    PROCESS_INFORMATION process_ = {};
    HANDLE go_ = nullptr;
    HANDLE done_ = nullptr;
};

int ChangeWhenTold(const char* key) {
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, "optora-bench-change");
    HANDLE done = OpenEventA(EVENT_MODIFY_STATE, FALSE, "optora-bench-changed");
    if (!go || !done) return 3;
    for (DWORD value = 0; WaitForSingleObject(go, INFINITE) == WAIT_OBJECT_0; ++value) {
        HKEY opened = nullptr;
        if (!RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr)) {
            RegSetValueExA(opened, "BenchChange", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
            RegCloseKey(opened);
        }
        SetEvent(done);
    }
    return 0;
}

Changer g_changer;

// Without a changer, calls are timed by the batch; with one, each call alone,
// after the other process changed the key.
void Run(const Comparison& c, const char* changedKey = nullptr, const char* state = "") {
    c.arrange();
    if (changedKey) g_changer.Start(changedKey);
    std::vector<double> library, floor;
    const auto time = [&c, changedKey](const std::function<void()>& work) {
        if (!changedKey) {
            const double start = Seconds();
            for (int i = 0; i < c.batch; ++i) work();
            return (Seconds() - start) / c.batch * 1e6;
        }
        double spent = 0;
        for (int i = 0; i < c.batch; ++i) {
            g_changer.Change();
            const double start = Seconds();
            work();
            spent += Seconds() - start;
        }
        return spent / c.batch * 1e6;
    };
    for (int round = 0; round < c.rounds; ++round) {
        if (round % 2) {  // neither side always runs first
            library.push_back(time(c.library));
            floor.push_back(time(c.floor));
        } else {
            floor.push_back(time(c.floor));
            library.push_back(time(c.library));
        }
    }
    g_changer.Stop();
    const double l = Median(library), f = Median(floor);
    const std::string what = std::string(c.what) + state;
    std::printf("| %-56s | %10.1f | %10.1f | %5.2f |\n", what.c_str(), l, f, l / f);
    std::fflush(stdout);
}

// Other suite applications: one top-level window each, pumping messages.
int Listen(const char* readyEvent) {
    HWND window = CreateWindowA("STATIC", "optora-bench listener", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr,
                                nullptr, nullptr);
    if (!window) return 3;
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    if (ready) SetEvent(ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

std::vector<PROCESS_INFORMATION> StartListeners(int count) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < count; ++i) {
        const std::string event = "optora-bench-ready-" + std::to_string(i);
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
        std::string command = "\"" + std::string(self) + "\" --listen " + event;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(ready, 20000);
            started.push_back(process);
        }
        CloseHandle(ready);
    }
    return started;
}

HWND g_owner = nullptr;

// The first idle moment of a modal dialog: it is up and painted.
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX) EndDialog(reinterpret_cast<HWND>(lParam), IDCANCEL);
    return DefWindowProcA(window, message, wParam, lParam);
}

INT_PTR CALLBACK BareDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--listen") == 0) return Listen(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--change") == 0) return ChangeWhenTold(argv[2]);
    if (argc < 2 || argc > 3 || std::strcmp(argv[1], "--scratch-prefix") != 0) {
        std::fprintf(stderr, "usage: optora-bench --scratch-prefix [PART]   (rewrites this prefix's Kestrel settings;\n"
                             "       with PART, only the rows whose entry point and state hold it)\n");
        return 2;
    }
    g_library = LoadLibraryA("optora.dll");
    if (!g_library) {
        std::fprintf(stderr, "optora-bench: cannot load optora.dll\n");
        return 1;
    }
    const auto getCut = Bind<CutOptions_tag* (*)()>("optora_getcutoptions");
    const auto getPlot = Bind<PlotOptions_tag* (*)()>("optora_getplotoptions");
    const auto getOrder = Bind<OrderOptions_tag* (*)()>("optora_getorderoptions");
    const auto getVerify = Bind<VerifyOptions_tag* (*)()>("optora_getverifyoptions");
    const auto getEnvironment = Bind<UserEnvItems_tag* (*)()>("optora_getoptionsettings");
    const auto getAlteration = Bind<int (*)()>("optora_getalteration");
    const auto getNotation = Bind<int (*)()>("optora_getnotation");
    const auto getPrecision = Bind<int (*)()>("optora_getprecision");
    const auto getGrade = Bind<int (*)()>("optora_getgradeoption");
    const auto setAlteration = Bind<void (*)(int)>("optora_setalteration");
    const auto setCutApp = Bind<void (*)(char*)>("optora_setcutapp");
    const auto setPlotApp = Bind<void (*)(char*)>("optora_setplotapp");
    const auto preferences = Bind<void (*)(HWND)>("optora_dopreferences_noarea");

    const auto names = [&](const char* cut, const char* plot) {
        setCutApp(const_cast<char*>(cut));
        setPlotApp(const_cast<char*>(plot));
    };
    const auto arrange = [&](const char* cut, const char* plot, bool deviceFile) {
        return [=] {
            FreshUser(deviceFile);
            names(cut, plot);
            getCut();
            getPlot();
            getOrder();
            getVerify();
            getEnvironment();
        };
    };
    // As the Plot Options dialog leaves it: a queue and a medium chosen.
    const auto plotComplete = [&] {
        arrange("", "MARKERPLOT_PLOT_OPTIONS", false)();
        StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "DefaultPlotQueue", "Q1");
        StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "DefaultPlotMedia", "PAPER");
        getPlot();
    };
    const auto emptyQueue = [&](bool deviceFile) {
        return [=] {
            arrange("", "MARKERPLOT_PLOT_OPTIONS", deviceFile)();
            StoreText("Software\\Kestrel\\Arbor\\PlotOptions\\MARKERPLOT_PLOT_OPTIONS", "DefaultPlotQueue", "");
            getPlot();
        };
    };
    const int kBatch = 200, kChangedBatch = 50, kRounds = 15;

    std::printf("| %-56s | %10s | %10s | %5s |\n", "entry point, state", "library us", "floor us", "ratio");
    std::printf("|%s|%s|%s|%s|\n", std::string(58, '-').c_str(), std::string(12, '-').c_str(),
                std::string(12, '-').c_str(), std::string(7, '-').c_str());
    const std::string cutNamed = std::string(kCutKey) + "CUTGEN_CUT_OPTIONS";
    const std::string plotNamed = std::string(kPlotKey) + "MARKERPLOT_PLOT_OPTIONS";
    // Without a name the set is read from a variant key that does not exist
    // and saved to the parent key, which is changed instead.
    const char* cutParent = "Software\\Kestrel\\Arbor\\CutOptions";
    const char* plotParent = "Software\\Kestrel\\Arbor\\PlotOptions";
    const char* orderKey = "Software\\Kestrel\\Arbor\\OrderOptions";
    const Comparison comparisons[] = {
        {"getcutoptions, named, complete", arrange("CUTGEN_CUT_OPTIONS", "", false), [&] { getCut(); },
         [] { RawCut("CUTGEN_CUT_OPTIONS", false); }, kBatch, kRounds, cutNamed.c_str()},
        {"getcutoptions, no name", arrange("", "", false), [&] { getCut(); },
         [] { RawCut("DEFAULT_CUT_OPTIONS", false); }, kBatch, kRounds, cutParent},
        {"getcutoptions, no name, device file", arrange("", "", true), [&] { getCut(); },
         [] { RawCut("DEFAULT_CUT_OPTIONS", true); }, kBatch, kRounds, cutParent},
        {"getplotoptions, named, complete", plotComplete, [&] { getPlot(); },
         [] { RawPlot("MARKERPLOT_PLOT_OPTIONS", false); }, kBatch, kRounds, plotNamed.c_str()},
        {"getplotoptions, no name", arrange("", "", false), [&] { getPlot(); },
         [] { RawPlot("DEFAULT_PLOT_OPTIONS", false); }, kBatch, kRounds, plotParent},
        {"getplotoptions, no name, device file", arrange("", "", true), [&] { getPlot(); },
         [] { RawPlot("DEFAULT_PLOT_OPTIONS", true); }, kBatch, kRounds, plotParent},
        {"getplotoptions, named, empty queue", emptyQueue(false), [&] { getPlot(); },
         [] { RawPlot("MARKERPLOT_PLOT_OPTIONS", false); }, kBatch, kRounds, plotNamed.c_str()},
        {"getplotoptions, named, empty queue, device", emptyQueue(true), [&] { getPlot(); },
         [] { RawPlot("MARKERPLOT_PLOT_OPTIONS", false); }, kBatch, kRounds, plotNamed.c_str()},
        {"getorderoptions", arrange("", "", false), [&] { getOrder(); },
         [=] { RawKey(orderKey).Read({"OverwriteMarker", "SplitPieceSeam", "LayruleMethod"}); }, kBatch, kRounds,
         orderKey},
        {"getoptionsettings", arrange("", "", false), [&] { getEnvironment(); },
         [=] {
             RawKey(cutParent).Read({"CutFormat", "DosCutPath", "DosCutExtension", "SaveToStorageArea", "Export"});
             RawKey(plotParent).Read({"DosPlotType", "DosPlotPath"});
             RawKey(orderKey).Read({"OverwriteMarker", "SplitPieceSeam", "LayruleMethod"});
             RawKey(kArbor).Read({"Bundles_By"});
         },
         kBatch, kRounds, kArbor},
        {"getverifyoptions, stored area exists", arrange("", "", false), [&] { getVerify(); }, RawVerify, kBatch,
         kRounds, "Software\\Kestrel\\Quillon"},
        {"getalteration", arrange("", "", false), [&] { getAlteration(); }, [] { RawKey(kArbor).Read({"Alteration"}); },
         kBatch, kRounds, kArbor},
        {"getnotation", arrange("", "", false), [&] { getNotation(); }, [] { RawKey(kArbor).Read({"Notation"}); },
         kBatch, kRounds, kArbor},
        {"getprecision", arrange("", "", false), [&] { getPrecision(); }, [] { RawKey(kArbor).Read({"Precision"}); },
         kBatch, kRounds, kArbor},
        {"getgradeoption", arrange("", "", false), [&] { getGrade(); }, [] { RawKey(kGradeKey).Read({"Grade Method"}); },
         kBatch, kRounds, kGradeKey},
    };
    const auto chosen = [&](const char* what) { return argc < 3 || std::strstr(what, argv[2]) != nullptr; };
    for (const Comparison& c : comparisons) {
        if (!chosen(c.what)) continue;
        Run(c, nullptr, ", unchanged");
        Run({c.what, c.arrange, c.library, c.floor, kChangedBatch, kRounds}, c.setKey, ", changed");
    }

    if (argc == 3) return 0;
    // A change told to ten other applications, against the bare write and broadcast.
    std::vector<PROCESS_INFORMATION> listeners = StartListeners(10);
    int value = 0;
    const UINT alterationMessage = RegisterWindowMessageA("AlterationPreferenceChanged");
    Run({"setalteration, 10 listening processes", [] { FreshUser(false); }, [&] { setAlteration(value ^= 1); },
         [&] {
             HKEY key = nullptr;
             RegCreateKeyExA(HKEY_CURRENT_USER, kArbor, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
             value ^= 1;
             RegSetValueExA(key, "Alteration", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&value), sizeof value);
             RegCloseKey(key);
             DWORD recipients = BSM_APPLICATIONS;
             BroadcastSystemMessageA(BSF_FORCEIFHUNG | BSF_IGNORECURRENTTASK, &recipients, alterationMessage, 0, 0);
         },
         20, 9});
    for (PROCESS_INFORMATION& p : listeners) {
        TerminateProcess(p.hProcess, 0);
        CloseHandle(p.hProcess);
        CloseHandle(p.hThread);
    }

    // A dialog from its call until it first idles, against a bare one of the same template.
    WNDCLASSA ownerClass = {};
    ownerClass.lpfnWndProc = OwnerProc;
    ownerClass.hInstance = GetModuleHandleA(nullptr);
    ownerClass.lpszClassName = "OptoraBenchOwner";
    RegisterClassA(&ownerClass);
    g_owner = CreateWindowA("OptoraBenchOwner", "optora-bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                            ownerClass.hInstance, nullptr);
    Run({"dopreferences_noarea, open to idle", [] { FreshUser(false); }, [&] { preferences(g_owner); },
         [] { DialogBoxParamA(g_library, MAKEINTRESOURCEA(102), g_owner, BareDialog, 0); }, 5, 9});
    DestroyWindow(g_owner);
    return 0;
}
