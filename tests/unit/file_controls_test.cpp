// The file edit control and the directory lookup in a test dialog of this
// program's resources, driven as a user would.
#include <objbase.h>
#include <commctrl.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "controls/browse_key.h"
#include "controls/shell_files.h"
#include "file_controls_dialog.h"
#include "kestrel_test.h"
#include "ui_driver.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr int kFiles = FileControlsDialog::kFiles, kFlatFolder = FileControlsDialog::kFlatFolder,
              kLookup = FileControlsDialog::kLookup, kInvalidLookup = FileControlsDialog::kInvalidLookup;
constexpr const char* kCaption = FileControlsDialog::kCaption;

// Records what the fields tell it and answers as told.
class ControlsDialog : public FileControlsDialog {
public:
    struct Told { UINT code; int id; std::string text; };  // text "-" when none came
    std::vector<Told> told;
    std::map<UINT, LRESULT> answers;

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message != WM_NOTIFY) return FileControlsDialog::OnMessage(message, wParam, lParam, result);
        const auto* notify = reinterpret_cast<const FileEditNotify*>(lParam);
        told.push_back({notify->hdr.code, static_cast<int>(notify->hdr.idFrom), notify->newText ? *notify->newText : "-"});
        result = answers[notify->hdr.code];
        return true;
    }
};

void Drive(ControlsDialog& dialog, UiDriver& ui) { EXPECT_TRUE(ui.Run([&] { dialog.DoModal(); })) << ui.Failure(); }

void Drive(ControlsDialog& dialog, UiDriver::Action script) {
    UiDriver ui;
    ui.WaitForDialog(kCaption).Then(std::move(script));
    Drive(dialog, ui);
}

// What the shell hands a window when files are dropped on it.
HDROP DropOf(const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& file : files) names += file + '\0';
    names += '\0';
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The name of the folder the browser has selected.
std::string BrowserSelection(HWND browser) {
    const HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
    char name[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = name;
    item.cchTextMax = sizeof name;
    return item.hItem && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? name : "";
}

// Waits for the folder browser to select a folder, presses one of its
// buttons and waits until it has gone.
UiDriver& AnswerBrowser(UiDriver& ui, UINT press, const std::string& path, UiDriver::Action check = {},
                        bool warm = false) {
    auto browser = std::make_shared<HWND>();
    const std::string selected = path.substr(path.find_last_of('\\') + 1);
    return ui.WaitForDialog("Browse for Folder")
        .WaitUntil("the folder " + selected,
                   [=, since = std::make_shared<DWORD>(0)](UiDriver& d) {
                       // On its first run in a process Wine's browser may fill its tree only after it
                       // started, missing the start folder; the check then waits for a warm browser.
                       const std::string now = BrowserSelection(d.Dialog());
                       if (!*since) *since = GetTickCount();
                       if (!warm && now.empty() && GetTickCount() - *since > 1500) {
                           SendMessageA(d.Dialog(), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
                           *since = GetTickCount();
                       }
                       return now == selected;
                   })
        .Then([=](UiDriver& d) {
            *browser = d.Dialog();
            if (check) check(d);
            PostMessageA(d.Dialog(), WM_COMMAND, press, 0);
        })
        .WaitUntil("the browser to close", [browser](UiDriver&) { return !IsWindow(*browser); })
        .WaitForDialog(kCaption);
}

BOOL CALLBACK FindTooltip(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0) *reinterpret_cast<HWND*>(found) = window;
    return TRUE;
}

HWND Parent() {
    static const HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    return parent;
}

class FileControlsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        for (const char* folder : {"c:\\userroot\\pick", "c:\\userroot\\plots"}) fs::create_directories(folder);
    }
};

}  // namespace

TEST(FileEditCtrl, RefusesConflictingFlagsAndSizesItsButton) {
    for (const auto& [flags, accepted] :
         {std::pair<uint32_t, bool>{BrowseFolder | BrowseOpenFile, false}, {BrowseOpenFile | BrowseSaveFile, false},
          {AllowMultiple, false}, {CustomBrowse | BrowseFolder, false}, {BrowseFolder, true}, {BrowseSaveFile, true},
          {CustomBrowse, true}}) {
        FileEditCtrl edit;
        EXPECT_EQ(edit.Create(flags, 0, "", WS_CHILD, {0, 0, 100, 20}, Parent(), 5), accepted) << flags;
        EXPECT_EQ(IsWindow(edit.Handle()) != FALSE, accepted) << "a refused field leaves no window";
    }
    FileEditCtrl edit;
    ASSERT_TRUE(edit.Create(BrowseOpenFile | KeepShortcuts, 0, "", WS_CHILD, {0, 0, 100, 20}, Parent(), 5));
    EXPECT_FALSE(edit.SetFlags(BrowseFolder | BrowseSaveFile));
    edit.FileDialog()->Options().Flags |= OFN_ALLOWMULTISELECT;
    EXPECT_EQ(edit.GetFlags(), BrowseOpenFile | KeepShortcuts | AllowMultiple) << "the dialog's own options show";

    for (const int height : {20, 21}) {
        for (const uint32_t side : {0u, static_cast<uint32_t>(ButtonLeft)}) {
            FileEditCtrl field;
            ASSERT_TRUE(field.Create(CustomBrowse | side, 0, "", WS_CHILD, {0, 0, 200, height}, Parent(), 6));
            RECT client = {};
            GetClientRect(field.Handle(), &client);
            const RECT& button = field.ButtonRect();
            EXPECT_EQ(button.right - button.left, 16) << "four fifths of " << height << ", rounded down";
            EXPECT_EQ(client.right, 200 - 16);
            EXPECT_EQ(button.left, side ? 0 : 200 - 16);
        }
    }
}

TEST(FileEditCtrl, AFlatFieldLooksUpWhileTheMouseIsOverIt) {
    FileEditCtrl flat;
    ASSERT_TRUE(flat.Create(CustomBrowse | FlatButton | ButtonTip | TextTip, 0, "", WS_CHILD | WS_VISIBLE, {0, 0, 200, 20},
                            Parent(), 7));
    flat.SetTextTip("where the files go");
    EXPECT_EQ(flat.ButtonState(), FileEditCtrl::kUp | FileEditCtrl::kFlat);
    for (const auto& [x, y, hot] : {std::tuple{5, 5, true}, {190, 5, true}, {-5, 5, false}, {5, 5, true}, {5, 25, false}}) {
        SendMessageA(flat.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        EXPECT_EQ(GetCapture() == flat.Handle(), hot) << x << "," << y;
        EXPECT_EQ(flat.ButtonState(), hot ? FileEditCtrl::kUp : FileEditCtrl::kUp | FileEditCtrl::kFlat);
    }
    EnableWindow(flat.Handle(), FALSE);
    EXPECT_EQ(flat.ButtonState(), FileEditCtrl::kDisabled | FileEditCtrl::kFlat);

    // The tooltip came with the first mouse message; it asks the field for its texts.
    HWND tooltip = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
    ASSERT_NE(tooltip, nullptr);
    for (const auto& [tool, text] : {std::pair<UINT_PTR, std::string>{1, "Browse"}, {2, "where the files go"}}) {
        char shown[80] = {};
        TOOLINFOA info = {sizeof info, 0, flat.Handle(), tool, {}, nullptr, shown, 0, nullptr};
        SendMessageA(tooltip, TTM_GETTEXTA, sizeof shown, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(std::string(shown), text);
    }
}

TEST_F(FileControlsTest, CtrlPeriodAndParentsThatTakeOverTheBrowse) {
    ControlsDialog dialog;
    dialog.answers[BeforeBrowse] = 7;
    Drive(dialog, [&](UiDriver& d) {
        const HWND files = d.Item(kFiles);
        HoldKey(VK_CONTROL, true);
        SendMessageA(files, WM_KEYDOWN, VK_OEM_PERIOD, 0);
        SendMessageA(files, WM_KEYDOWN, VK_DECIMAL, 0);
        HoldKey(VK_CONTROL, false);
        SendMessageA(files, WM_KEYDOWN, VK_OEM_PERIOD, 0);
        EXPECT_EQ(dialog.edits[0].ButtonClicked(), 7) << "the parent's answer, and no file dialog";
        d.Click(IDCANCEL);
    });
    ASSERT_EQ(dialog.told.size(), 3u) << "Ctrl with period or the keypad point browses, a bare period does not";
    for (const auto& told : dialog.told) EXPECT_TRUE(told.code == BeforeBrowse && told.id == kFiles && told.text == "-");

    for (const LRESULT answer : {0, 1}) {
        ControlsDialog browsed;
        browsed.answers[AfterBrowse] = answer;
        UiDriver ui;
        ui.WaitForDialog(kCaption)
            .Then([&](UiDriver& d) {
                const HWND field = d.Item(kFlatFolder);
                SetWindowTextA(field, "C:\\userroot\\pick");
                RECT window = {};
                GetWindowRect(field, &window);
                const RECT& button = browsed.edits[1].ButtonRect();
                POINT at = {window.left + (button.left + button.right) / 2, window.top + (button.top + button.bottom) / 2};
                SendMessageA(field, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(at.x, at.y));
                EXPECT_EQ(GetCapture(), field);
                EXPECT_EQ(browsed.edits[1].ButtonState(), FileEditCtrl::kPressed);
                ScreenToClient(field, &at);
                SendMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            });
        AnswerBrowser(ui, IDOK, "C:\\userroot\\pick")
            .Then([&](UiDriver& d) {
                EXPECT_EQ(d.Text(kFlatFolder), answer ? "C:\\userroot\\pick" : "C:\\userroot\\pick\\");
                EXPECT_EQ(GetCapture(), nullptr);
                d.Click(IDCANCEL);
            });
        Drive(browsed, ui);
        ASSERT_EQ(browsed.told.size(), 2u);
        EXPECT_EQ(browsed.told[1].text, "C:\\userroot\\pick\\") << "the browser starts at the field's folder";
    }
}

TEST_F(FileControlsTest, DroppedFilesFillTheFieldUnlessTheParentTakesThem) {
    const std::vector<std::string> three = {"C:\\d\\a.txt", "C:\\d\\b.txt", "C:\\d\\c.txt"};
    for (const auto& [id, answer, text] :
         {std::tuple<int, LRESULT, std::string>{kFiles, 0, "C:\\d\\a.txt; b.txt; c.txt"}, {703, 0, "C:\\d\\a.txt"},
          {kFlatFolder, 0, "C:\\d\\a.txt"}, {kFiles, 1, "C:\\data\\a.txt; b.txt"}}) {
        ControlsDialog dialog;
        dialog.answers[AfterDrop] = answer;
        Drive(dialog, [&, id = id, text = text](UiDriver& d) {
            SendMessageA(d.Item(id), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(three)), 0);
            EXPECT_EQ(d.Text(id), text);
            d.Click(IDCANCEL);
        });
        ASSERT_EQ(dialog.told.size(), 1u);
        EXPECT_EQ(dialog.told[0].code, AfterDrop);
        EXPECT_EQ(dialog.told[0].text, answer ? "C:\\d\\a.txt; b.txt; c.txt" : text);
    }
}

TEST_F(FileControlsTest, ShortcutsResolveWithoutChangingTheCallersApartment) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IShellLinkA* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
    link->SetPath("C:\\userroot\\pick\\target.txt");
    IPersistFile* file = nullptr;
    link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    EXPECT_TRUE(SUCCEEDED(file->Save(L"C:\\userroot\\go.lnk", TRUE)));
    file->Release();
    link->Release();
    CoUninitialize();

    for (const DWORD model : {DWORD(-1), DWORD(COINIT_APARTMENTTHREADED), DWORD(COINIT_MULTITHREADED)}) {
        std::thread([model] {
            if (model != DWORD(-1)) {
                ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, model)));
            }
            APTTYPE before = APTTYPE_CURRENT, after = APTTYPE_CURRENT;
            APTTYPEQUALIFIER qualifier;
            const HRESULT known = CoGetApartmentType(&before, &qualifier);
            EXPECT_EQ(ResolveShortcut("C:\\userroot\\go.lnk"), "C:\\userroot\\pick\\target.txt") << model;
            EXPECT_EQ(CoGetApartmentType(&after, &qualifier), known) << model;
            EXPECT_EQ(after, before) << model;
            if (model != DWORD(-1)) CoUninitialize();
            EXPECT_EQ(CoGetApartmentType(&after, &qualifier), CO_E_NOTINITIALIZED) << "nothing of ours is left open";
        }).join();
    }
    EXPECT_EQ(ResolveShortcut("C:\\userroot\\missing.lnk"), "C:\\userroot\\missing.lnk");

    for (const uint32_t keep : {0u, static_cast<uint32_t>(KeepShortcuts)}) {
        FileEditCtrl field;
        ASSERT_TRUE(field.Create(BrowseOpenFile | keep, 0, "C:\\userroot\\go.lnk", WS_CHILD, {0, 0, 200, 20}, Parent(), 5));
        size_t position = field.GetStartPosition();
        EXPECT_EQ(field.GetNextPathName(position), keep ? "C:\\userroot\\go.lnk" : "C:\\userroot\\pick\\target.txt");
        EXPECT_EQ(position, 0u);
    }
}

TEST_F(FileControlsTest, CheckDirectoryNormalisesProvesAndMarks) {
    std::ofstream("c:\\userroot\\file.txt") << "x";
    const std::string tooLong = "C:\\userroot\\" + std::string(250, 'x');
    // device null: none stored
    const struct { const char* device; std::string typed; bool valid; std::string shown; } cases[] = {
        {nullptr, "\\\\userroot\\\\made", false, "\\\\userroot\\\\made"},  // missing: the check creates it
        {"", "userroot\\made", true, "C:\\userroot\\made"},
        {"Z:", "tmp", true, "Z:\\tmp"},
        {"Z:", "proc", false, "proc"},  // nothing can be written there
        {nullptr, "C:\\userroot\\file.txt", false, "C:\\userroot\\file.txt"},
        {nullptr, tooLong, false, tooLong},
    };
    DosPathLookup lookup;
    ASSERT_TRUE(lookup.Create(CustomBrowse, 0, "", WS_CHILD, {0, 0, 200, 20}, Parent(), 5));
    for (const auto& c : cases) {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Software\\Kestrel\\Arbor", "Device");
        if (c.device) StoreText("Software\\Kestrel\\Arbor", "Device", c.device);
        lookup.SetMode(DosPathLookup::kCutDirectory, c.typed);
        EXPECT_EQ(lookup.CheckDirectory(), c.valid) << c.typed;
        EXPECT_EQ(lookup.IsValid(), c.valid);
        EXPECT_EQ(WindowText(lookup.Handle()), c.shown);
    }
    EXPECT_FALSE(fs::exists(tooLong)) << "a path too long to store is refused before anything is made";
    for (const char* directory : {"c:\\userroot\\made", "z:\\tmp", "z:\\proc", "c:\\userroot", "c:\\"})
        EXPECT_FALSE(fs::exists(fs::path(directory) / "tmpplot.$$$")) << directory;
}

TEST_F(FileControlsTest, F4BrowsesFromTheFieldAndShiftF4DoesNot) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    ControlsDialog dialog;
    const auto browse = [](int id) {
        return [id](UiDriver& d) {
            SetFocus(d.Item(id));
            SendMessageA(d.Item(id), WM_KEYUP, VK_F4, 0);
        };
    };
    const auto inBrowser = [&](const char* title) {
        return [&, title](UiDriver& d) {
            char during[MAX_PATH] = {};
            GetCurrentDirectoryA(MAX_PATH, during);
            EXPECT_STREQ(during, current) << "the process's current directory is not the browser's";
            EXPECT_NE(FindWindowExA(d.Dialog(), nullptr, "Static", title), nullptr) << title;
        };
    };
    UiDriver ui;
    ui.WaitForDialog(kCaption).Then(browse(kLookup));
    AnswerBrowser(ui, IDOK, "C:\\userroot\\plots", inBrowser("Select the directory for plot files."))
        .Then([&](UiDriver& d) {
            EXPECT_EQ(d.Text(kLookup), "C:\\USERROOT\\PLOTS") << "the chosen folder, in upper case";
            EXPECT_FALSE(dialog.lookups[3].IsValid());
        })
        .Then([&](UiDriver& d) {
            SetDlgItemTextA(d.Dialog(), kInvalidLookup, "USERROOT\\PLOTS");  // on the drive the check would take
            browse(kInvalidLookup)(d);
        });
    AnswerBrowser(ui, IDCANCEL, "C:\\userroot\\plots", inBrowser("Select the directory for cut files."), true)
        .Then([&](UiDriver& d) {
            EXPECT_TRUE(dialog.lookups[3].IsValid()) << "a browse clears the mark, cancelled or not";
            EXPECT_EQ(d.Text(kInvalidLookup), "USERROOT\\PLOTS");
            HoldKey(VK_SHIFT, true);
            SendMessageA(d.Item(kLookup), WM_KEYUP, VK_F4, 0);  // a browser would hold this step until the timeout
            HoldKey(VK_SHIFT, false);
            d.Click(IDCANCEL);
        });
    Drive(dialog, ui);
}

TEST(BrowseKey, F4PressesTheButtonOnlyWhileItIsEnabled) {
    struct Parent : ui::SubclassedControl {
        int presses = 0;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_COMMAND && wParam == MAKEWPARAM(9, BN_CLICKED)) ++presses;
            return Default(message, wParam, lParam);
        }
    } parent;
    ASSERT_TRUE(parent.Attach(CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr)));
    const auto child = [&](const char* type, int id) {
        return CreateWindowA(type, "", WS_CHILD, 0, 0, 20, 20, parent.Handle(), HMENU(INT_PTR(id)), nullptr, nullptr);
    };
    BrowseKey key(9);
    ASSERT_TRUE(key.Attach(child("EDIT", 8)));
    const HWND button = child("BUTTON", 9);
    for (const auto& [enabled, shift, presses] : {std::tuple{true, false, 1}, {false, false, 1}, {true, true, 1}}) {
        EnableWindow(button, enabled);
        HoldKey(VK_SHIFT, shift);
        SendMessageA(key.Handle(), WM_KEYUP, VK_F4, 0);
        HoldKey(VK_SHIFT, false);
        EXPECT_EQ(parent.presses, presses) << enabled << shift;
    }
    DestroyWindow(parent.Handle());
}

TEST_F(FileControlsTest, TheFileDialogKeepsALargeSelection) {
    for (int i = 0; i < 12; ++i)
        std::ofstream("c:\\userroot\\pick\\a rather long file name number " + std::to_string(i) + ".txt") << i;
    for (const bool all : {false, true}) {
        ControlsDialog dialog;
        auto fileDialog = std::make_shared<HWND>();
        UiDriver ui;
        ui.WaitForDialog(kCaption)
            .Then([](UiDriver& d) {
                SetWindowTextA(d.Item(kFiles), "C:\\userroot\\pick\\a rather long file name number 3.txt");
                SendMessageA(d.Item(kFiles), WM_NCLBUTTONDOWN, HTBORDER, 0);  // off the button: nothing
                HoldKey(VK_CONTROL, true);
                SendMessageA(d.Item(kFiles), WM_KEYDOWN, VK_OEM_PERIOD, 0);
            })
            .WaitForDialog("Browse for File")
            .Then([&](UiDriver& d) {
                HoldKey(VK_CONTROL, false);
                *fileDialog = d.Dialog();
                EXPECT_EQ(WindowText(GetDlgItem(d.Dialog(), IDOK)), "OK");
                const HWND list = FindWindowExA(FindWindowExA(d.Dialog(), nullptr, "SHELLDLL_DefView", nullptr), nullptr,
                                                "SysListView32", nullptr);
                LVITEMA selected = {};
                selected.stateMask = selected.state = LVIS_SELECTED;
                if (all) SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&selected));
                PostMessageA(d.Dialog(), WM_COMMAND, IDOK, 0);
            })
            .WaitUntil("the file dialog to close", [=](UiDriver&) { return !IsWindow(*fileDialog); })
            .WaitForDialog(kCaption)
            .Then([&](UiDriver& d) {
                ASSERT_EQ(dialog.told.size(), 2u);
                const std::string chosen = dialog.told[1].text;
                EXPECT_EQ(d.Text(kFiles), chosen);
                if (all) {
                    EXPECT_EQ(std::count(chosen.begin(), chosen.end(), ';'), 11) << "more than the name buffer holds";
                    EXPECT_EQ(chosen.rfind("C:\\userroot\\pick\\a rather long file name number 0.txt; a rather", 0), 0u);
                } else {
                    EXPECT_EQ(chosen, "C:\\userroot\\pick\\a rather long file name number 3.txt") << "the field's file first";
                }
                d.Click(IDCANCEL);
            });
        Drive(dialog, ui);
    }
}
