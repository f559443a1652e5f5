// The storage-area field as an application hosts it: programs it starts
// (the stand-in sibling, installed under their names, records each command
// line), notices sent by another process, its context menu and its chooser
// (the devadod.dll stand-in beside this program).
#include "controls/storage_area_lookup.h"

#include <filesystem>
#include <fstream>

#include "chooser_ids.h"
#include "install_location.h"
#include "kestrel_test.h"
#include "res/storage_area_lookup_ids.h"
#include "sibling_log.h"
#include "ui_driver.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kLog = "c:\\suite\\started.log";
constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kBin = "c:\\suite\\bin\\";
constexpr int kFieldId = 9;

// The application's main window and the field's parent; keeps what the
// field tells it.
struct Host {
    static std::vector<std::string>& Told() {
        static std::vector<std::string> told;
        return told;
    }
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_STORAGE_AREA_CHOSEN) {
            const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            Told().push_back("chosen " + std::string(static_cast<const char*>(block->lpData), block->cbData - 1));
        }
        if (message == WM_LOOKUP_UPDATED) Told().push_back("updated " + std::to_string(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static const char* Class() {
        static const ATOM atom = [] {
            WNDCLASSA type = {};
            type.lpfnWndProc = &Proc;
            type.lpszClassName = "LookupHost";
            return RegisterClassA(&type);
        }();
        return atom ? "LookupHost" : nullptr;
    }

    Host(uint32_t type, const char* text) {
        Told().clear();
        window = CreateWindowA(Class(), "Lookup Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 80, nullptr, nullptr,
                               nullptr, nullptr);
        EXPECT_TRUE(field.Create(CustomBrowse, 0, "", WS_CHILD | WS_VISIBLE, {5, 5, 250, 27}, window, kFieldId));
        field.SetType(type, text);
    }
    ~Host() { DestroyWindow(window); }
    std::string Text() const {
        char text[300] = {};
        GetWindowTextA(field.Handle(), text, sizeof text);
        return text;
    }

    HWND window = nullptr;
    StorageAreaLookup field;
};

class StorageAreaLookupTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ClearInstalledPrograms();
        fs::create_directories("c:\\suite");
        SetEnvironmentVariableA("OPTORA_SIBLING_LOG", kLog);
    }
    void TearDown() override {
        SetEnvironmentVariableA("OPTORA_SIBLING_LOG", nullptr);
        ClearInstalledPrograms();
    }
    static std::string Install(const std::string& registryName, const std::string& file) {
        PutFile(kBin + file, BesideTestProgram("sibling.exe"));
        StoreMachineText(kLocationV8, registryName.c_str(), kBin);
        return kBin + file;
    }
};

// Runs a program to its end while this thread answers what it sends.
DWORD RunPumping(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 0;
    while (MsgWaitForMultipleObjects(1, &started.hProcess, FALSE, 20000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    DWORD code = 0;
    GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return code;
}

// "id" per item, "*" for the default, "~" for a greyed one, "-" a
// separator, "[...]" a sub-menu.
std::string Describe(HMENU menu) {
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        text += i ? "," : "";
        text += item.hSubMenu ? "[" + Describe(item.hSubMenu) + "]"
                : item.fType & MFT_SEPARATOR ? "-"
                                             : std::to_string(item.wID);
        if (item.fState & MFS_DEFAULT) text += "*";
        if ((item.fState & MFS_GRAYED) && !(item.fType & MFT_SEPARATOR)) text += "~";
    }
    return text;
}

}  // namespace

TEST_F(StorageAreaLookupTest, OpensTheItemInItsEditor) {
    const std::string cutgenpt = Install("cutgenpt.exe", "cutgenpt.exe"), velor = Install("velor.exe", "velor.exe");
    const std::string wstdpce = Install("wstdpce.exe", "wstdpce.exe"), marlow = Install("mrl2000.exe", "mrl2000Launcher.exe");
    const char* none = nullptr;
    enum How { F2, DoubleClick, Menu };
    const struct {
        const char *device, *area;  // remembered; none: no key at all
        uint32_t type;
        const char* text;
        How how;
        UINT command;
        std::string program, arguments;  // "#": the field's window handle
    } cases[] = {
        {"C:", "DATA70", 0x1000, "P-CUTTER", F2, 0, cutgenpt, " -DC: -SDATA70 -I\"P-CUTTER\" -W#"},
        {"", "", 0x1000, " 50%s%s%n", F2, 0, cutgenpt, " -DC: -SDATA70 -I\"50%s%s%n\" -W#"},
        {none, none, 0x1000, "P-CUTTER", DoubleClick, 0, cutgenpt, " -D -S -I\"P-CUTTER\" -W#"},
        {"D:", "AREA2", 0x40000, "P 1", F2, 0, wstdpce, " D: AREA2 p-user-environ \"P 1\" NULL"},
        {"D:", "AREA2", 0x100, "MK", F2, 0, velor, " -W# D: AREA2 MK"},
        {"D:", "AREA2", 0x400, "M1", Menu, ID_ITEM_MARLOW_NEW, marlow, " /DD: /AAREA2 /M\"M1\" /N"},
        {"D:", "AREA2", 0x8, "NOTYPE", F2, 0, "", ""},  // a type without a name opens nothing
        {"D:", "AREA2", 0x40, "NOTYPE", DoubleClick, 0, "", ""},
        {"D:", "AREA2", 0x8, "NOTYPE", Menu, ID_ITEM_OPEN, "", ""},
        {"D:", "AREA2", 0x1000, "A\" -Wx \"", F2, 0, "", ""},  // a quote would end the name early
    };
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        if (c.device) StoreText(kArbor, "Device", c.device);
        if (c.area) StoreText(kArbor, "Storage Area", c.area);
        Host host(c.type, c.text);
        if (c.how == F2) SendMessageA(host.field.Handle(), WM_KEYUP, VK_F2, 0);
        if (c.how == DoubleClick) SendMessageA(host.field.Handle(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(3, 3));
        if (c.how == Menu) host.field.RunMenuCommand(c.command);
        if (c.program.empty()) continue;
        std::string arguments = c.arguments;
        if (const std::size_t id = arguments.find('#'); id != std::string::npos)
            arguments.replace(id, 1, std::to_string(reinterpret_cast<intptr_t>(host.field.Handle())));
        expected.push_back(c.program + "\t\"" + c.program + "\"" + arguments);
        ASSERT_EQ(SiblingLog(kLog, expected.size()).size(), expected.size());
    }
    // One more start bounds the wait for any that should not have happened.
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
    Host last(0x1000, "LAST");
    SendMessageA(last.field.Handle(), WM_KEYUP, VK_F2, 0);
    expected.push_back(cutgenpt + "\t\"" + cutgenpt + "\" -D -S -I\"LAST\" -W" +
                       std::to_string(reinterpret_cast<intptr_t>(last.field.Handle())));
    EXPECT_EQ(SiblingLog(kLog, expected.size()), expected);
}

TEST_F(StorageAreaLookupTest, SavedNoticesFromAnotherProcess) {
    const struct {
        const char *tag, *mode, *text;
        DWORD answer;
        const char* shown;
    } cases[] = {
        {"DataItemSaved", "terminated", "C:\\DATA70\\P-CUTTER2", 0, "P-CUTTER2"},
        {"DataItemChanged", "terminated", "C:\\DATA70\\P-CUTTER2", 1, "BEFORE"},
        {"DataItemSaved", "unterminated", "C:\\DATA70\\P-CUTTER2", 1, "BEFORE"},
        {"DataItemSaved", "oversized", "C:\\DATA70\\P-CUTTER2", 1, "BEFORE"},
        {"DataItemSaved", "terminated", "P-CUTTER2", 1, "BEFORE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " " + c.mode);
        Host host(0x1000, "BEFORE");
        const std::string sender = BesideTestProgram("copydata_sender.exe");
        const std::string command = "\"" + sender + "\" " + std::to_string(reinterpret_cast<intptr_t>(host.field.Handle())) +
                                    " " + c.tag + " " + c.mode + " " + c.text;
        EXPECT_EQ(RunPumping(command), 10 + c.answer);
        EXPECT_EQ(host.Text(), c.shown);
        const std::vector<std::string> told = {"chosen C:;DATA70", "updated " + std::to_string(kFieldId)};
        EXPECT_EQ(Host::Told(), c.answer ? std::vector<std::string>{} : told);
        EXPECT_EQ(host.field.Device() + host.field.Area(), "") << "a notice does not move the field";
    }
}

TEST_F(StorageAreaLookupTest, TheContextMenuFitsTheTypeAndTheText) {
    const std::string editing = "57635,57634,57637,-,32776";
    const struct {
        uint32_t type;
        const char* text;
        bool installed;  // Marlow 2000 and the model display
        std::string menu;
    } cases[] = {
        {0x1000, "P-CUTTER", false, "32777*,-," + editing},
        {0x8, "X", false, editing},
        {0x400, "M1", false, "[32777*,40005~,40004~]*," + editing},
        {0x400, "", false, "[32777*,40005~,40004~]*," + editing},
        {0x400, "M1", true, "[32777*,40005,40004]*,40001,-," + editing},
        {0x400, "", true, "[32777*,40005,40004]*," + editing},
        {0x40000, "P1", false, "[32777*,40005~]*,40002,-," + editing},
        {0x40000, "", false, "[32777*,40005~]*," + editing},
        {0x40000, "P1", true, "[32777*,40005]*,40002,40001,-," + editing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " " + c.text);
        ClearInstalledPrograms();
        if (c.installed) {
            Install("mrl2000.exe", "mrl2000Launcher.exe");
            Install("formlook.exe", "formlook.exe");
        }
        Host host(c.type, c.text);
        const StorageAreaLookup::ContextMenu menu = host.field.BuildContextMenu();
        ASSERT_NE(menu.popup, nullptr);
        EXPECT_EQ(Describe(menu.popup), c.menu);
    }
    Host host(0x1000, "GONE");
    host.field.RunMenuCommand(ID_ITEM_CLEAR);
    EXPECT_EQ(host.Text(), "");
}

TEST_F(StorageAreaLookupTest, F4ChoosesFromTheStorageArea) {
    const fs::path root = "c:\\userroot\\storage\\AREA1";
    fs::create_directories(root / "data");
    fs::create_directories(root / "param");
    std::ofstream(root / "param" / "usrpt.ctl", std::ios::binary) << "P-ONE\nP-TWO\n";
    StoreText(kArbor, "Device", "C:");
    StoreText(kArbor, "Storage Area", "AREA1");
    const struct {
        uint32_t type;
        int press;
        const char *shown, *place;
        std::vector<std::string> told;
    } cases[] = {
        {0x1000, IDOK, "P-TWO", "C:AREA1", {"chosen C:;AREA1", "updated 9"}},
        {0x1000, IDCANCEL, "BEFORE", "", {}},
        {0x40000000, IDOK, "C:AREA1", "C:AREA1", {"chosen C:;AREA1", "updated 9"}},
    };
    for (const auto& c : cases) {
        Host host(c.type, "BEFORE");
        UiDriver ui;
        ui.WaitForDialog("Choose from a Storage Area").Then([&](UiDriver& d) {
            SendMessageA(d.Item(IDC_ITEMS), LB_SETSEL, FALSE, -1);
            SendMessageA(d.Item(IDC_ITEMS), LB_SETSEL, TRUE, 1);
            SendMessageA(d.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_ITEMS, LBN_SELCHANGE), 0);
            d.Click(c.press);
        });
        EXPECT_TRUE(ui.Run([&] { SendMessageA(host.field.Handle(), WM_KEYUP, VK_F4, 0); })) << ui.Failure();
        EXPECT_EQ(host.Text(), c.shown);
        EXPECT_EQ(host.field.Device() + host.field.Area(), c.place);
        EXPECT_EQ(Host::Told(), c.told);
    }
}
