// The storage-area field as an application hosts it: the programs it starts
// (the stand-in sibling, installed under their names, records each command
// line), notices from another process, its context menu and its chooser
// (the devadod.dll stand-in beside this program).
#include "controls/storage_area_lookup.h"

#include "chooser_ids.h"
#include "install_location.h"
#include "kestrel_test.h"
#include "other_process.h"
#include "res/storage_area_lookup_ids.h"
#include "sibling_log.h"
#include "ui_driver.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kLog = "c:\\suite\\started.log";
std::vector<std::string> g_told;  // what the field told the application

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STORAGE_AREA_CHOSEN)
        g_told.push_back(static_cast<const char*>(reinterpret_cast<const COPYDATASTRUCT*>(lParam)->lpData));
    if (message == WM_LOOKUP_UPDATED) g_told.push_back("updated " + std::to_string(wParam));
    return DefWindowProcA(window, message, wParam, lParam);
}

// The application's main window with the field (id 9) in it.
struct Host {
    Host(uint32_t type, const char* text) {
        g_told.clear();
        window = CreateWindowA("STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 80, nullptr, nullptr, nullptr,
                               nullptr);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostProc));
        EXPECT_TRUE(field.Create(CustomBrowse, 0, "", WS_CHILD | WS_VISIBLE, {5, 5, 250, 27}, window, 9));
        field.SetType(type, text);
    }
    ~Host() { DestroyWindow(window); }
    std::string Text() const { return WindowText(field.Handle()); }
    std::string Id() const { return std::to_string(reinterpret_cast<intptr_t>(field.Handle())); }

    HWND window = nullptr;
    StorageAreaLookup field;
};

class StorageAreaLookupTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ClearInstalledPrograms();
        SetEnvironmentVariableA("OPTORA_SIBLING_LOG", kLog);
    }
    void TearDown() override { ClearInstalledPrograms(); }
    static std::string Install(const std::string& registryName, const std::string& file) {
        PutFile("c:\\suite\\bin\\" + file, BesideTestProgram("sibling.exe"));
        StoreMachineText(kLocationV8, registryName.c_str(), "c:\\suite\\bin");
        return "c:\\suite\\bin\\" + file;
    }
};

// Item ids; "*" default, "~" greyed, "-" separator, "[...]" a sub-menu.
std::string Describe(HMENU menu) {
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        const bool separator = item.fType & MFT_SEPARATOR;
        text += (i ? "," : "") + (item.hSubMenu ? "[" + Describe(item.hSubMenu) + "]" : separator ? "-" : std::to_string(item.wID));
        text += std::string(item.fState & MFS_DEFAULT ? "*" : "") + (item.fState & MFS_GRAYED && !separator ? "~" : "");
    }
    return text;
}

}  // namespace

TEST_F(StorageAreaLookupTest, OpensTheItemInItsEditor) {
    const std::string cutgenpt = Install("cutgenpt.exe", "cutgenpt.exe"), velor = Install("velor.exe", "velor.exe");
    const std::string wstdpce = Install("wstdpce.exe", "wstdpce.exe"), marlow = Install("mrl2000.exe", "mrl2000Launcher.exe");
    enum How { F2, DoubleClick, Menu };
    const struct {
        const char *device, *area;  // remembered; null: no key at all
        uint32_t type; const char* text; How how;
        std::string program, arguments;  // "#": the field's window handle
    } cases[] = {
        {"C:", "DATA70", 0x1000, "P-CUTTER", F2, cutgenpt, " -DC: -SDATA70 -I\"P-CUTTER\" -W#"},
        {"", "", 0x1000, " 50%s%s%n", F2, cutgenpt, " -DC: -SDATA70 -I\"50%s%s%n\" -W#"},
        {nullptr, nullptr, 0x1000, "P-CUTTER", DoubleClick, cutgenpt, " -D -S -I\"P-CUTTER\" -W#"},
        {"D:", "AREA2", 0x40000, "P 1", F2, wstdpce, " D: AREA2 p-user-environ \"P 1\" NULL"},
        {"D:", "AREA2", 0x100, "MK", F2, velor, " -W# D: AREA2 MK"},
        {"D:", "AREA2", 0x400, "M1", Menu, marlow, " /DD: /AAREA2 /M\"M1\" /N"},  // ID_ITEM_MARLOW_NEW
        {"D:", "AREA2", 0x40, "NOTYPE", DoubleClick, "", ""},  // a type without a name opens nothing
        {"D:", "AREA2", 0x1000, "A\" -Wx \"", F2, "", ""},  // a quote would end the name early
        {nullptr, nullptr, 0x1000, "LAST", F2, cutgenpt, " -D -S -I\"LAST\" -W#"},  // bounds the wait for strays
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
        if (c.how == Menu) host.field.RunMenuCommand(c.type == 0x8 ? ID_ITEM_OPEN : ID_ITEM_MARLOW_NEW);
        if (c.program.empty()) continue;
        std::string arguments = c.arguments;
        if (const std::size_t id = arguments.find('#'); id != std::string::npos) arguments.replace(id, 1, host.Id());
        expected.push_back(c.program + "\t\"" + c.program + "\"" + arguments);
        ASSERT_EQ(SiblingLog(kLog, expected.size()).size(), expected.size());
    }
    EXPECT_EQ(SiblingLog(kLog), expected);
}

TEST_F(StorageAreaLookupTest, SavedNoticesFromAnotherProcess) {
    const struct { const char *tag, *mode, *text; DWORD answer; } cases[] = {
        {"DataItemSaved", "terminated", "C:\\DATA70\\P-CUTTER2", 0}, {"DataItemChanged", "terminated", "C:\\DATA70\\X", 1},
        {"DataItemSaved", "oversized", "C:\\DATA70\\X", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tag) + " " + c.mode);
        Host host(0x1000, "BEFORE");
        const Process sender(Beside("copydata_sender.exe", host.Id() + " " + c.tag + " " + c.mode + " " + c.text));
        EXPECT_EQ(sender.Wait(20000, true), 10 + c.answer);
        EXPECT_EQ(host.Text(), c.answer ? "BEFORE" : "P-CUTTER2");
        EXPECT_EQ(g_told, c.answer ? std::vector<std::string>() : std::vector<std::string>({"C:;DATA70", "updated 9"}));
        EXPECT_EQ(host.field.Device() + host.field.Area(), "") << "a notice does not move the field";
    }
}

TEST_F(StorageAreaLookupTest, TheContextMenuFitsTheTypeAndTheText) {
    const std::string editing = "57635,57634,57637,-,32776";
    // installed: Marlow 2000 and the model display
    const struct { uint32_t type; const char* text; bool installed; std::string menu; } cases[] = {
        {0x1000, "P-CUTTER", false, "32777*,-," + editing},
        {0x8, "X", false, editing},
        {0x400, "M1", false, "[32777*,40005~,40004~,40007~,40006~]*,40003,-," + editing},
        {0x400, "", true, "[32777*,40005,40004,40007,40006]*,40003,-," + editing},
        {0x400, "M1", true, "[32777*,40005,40004,40007,40006]*,40001,40003,-," + editing},
        {0x40000, "P1", false, "[32777*,40005~,40007~]*,40002,-," + editing},
        {0x40000, "", false, "[32777*,40005~,40007~]*," + editing},
        {0x40000, "P1", true, "[32777*,40005,40007]*,40002,40001,-," + editing},
    };
    for (const auto& c : cases) {
        ClearInstalledPrograms();
        if (c.installed) Install("mrl2000.exe", "mrl2000Launcher.exe"), Install("formlook.exe", "formlook.exe");
        Host host(c.type, c.text);
        EXPECT_EQ(Describe(host.field.BuildContextMenu().popup), c.menu) << c.type << " " << c.text;
    }
    Host host(0x1000, "GONE");
    host.field.RunMenuCommand(ID_ITEM_CLEAR);
    EXPECT_EQ(host.Text(), "");
}

TEST_F(StorageAreaLookupTest, F4ChoosesFromTheStorageArea) {
    MakeStorageArea("AREA1", {{"param\\usrpt.ctl", "P-ONE\nP-TWO\n"}});
    StoreText(kArbor, "Device", "C:");
    StoreText(kArbor, "Storage Area", "AREA1");
    const std::vector<std::string> told = {"C:;AREA1", "updated 9"};
    const struct { uint32_t type; int press; const char *shown, *place; bool tells; } cases[] = {
        {0x1000, IDOK, "P-TWO", "C:AREA1", true}, {0x1000, IDCANCEL, "BEFORE", "", false},
        {0x40000000, IDOK, "C:AREA1", "C:AREA1", true}};
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
        EXPECT_EQ(host.Text() + "|" + host.field.Device() + host.field.Area(), c.shown + std::string("|") + c.place);
        EXPECT_EQ(g_told, c.tells ? told : std::vector<std::string>{});
    }
}
