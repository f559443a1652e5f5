#include "controls/storage_area_lookup.h"

#include <windowsx.h>

#include <vector>

#include "controls/devadod_dialog.h"
#include "controls/file_choice.h"
#include "controls/storage_item.h"
#include "frame/library_text.h"
#include "frame/module_state.h"
#include "optora.h"
#include "programs/program_lookup.h"
#include "programs/program_start.h"
#include "res/storage_area_lookup_ids.h"
#include "ui/main_window.h"

namespace optora {
namespace {

bool KeyHeld(int key) { return GetKeyState(key) < 0; }

// Separators left at the edge of a menu by the items removed around them.
void DropSeparatorAt(HMENU menu, int position) {
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    if (GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_SEPARATOR))
        DeleteMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

std::string ProgramPath(std::string_view name) { return FindProgramPath(std::string(name).c_str()); }

// The field's programs were always started inheriting its handles.
void Launch(const std::optional<std::string>& commandLine) {
    StartProgram(commandLine, StartCall::CreateProcess, SW_SHOWDEFAULT);
}

}  // namespace

StorageAreaLookup::StorageAreaLookup()
    : FileEditCtrl(false), marlow_(FindProgramPath("Marlow 2000.exe")),
      savedNoticeId_(RegisterWindowMessageA(OPTORA_MSG_DATAITEMSAVED)) {}

void StorageAreaLookup::SetType(uint32_t typeFlags, const std::string& text) {
    SetText(text);
    typeFlags_ = typeFlags;
    browserTitle_ = LibraryText(IDS_CHOOSE_STORAGE_ITEM);
    if (const std::optional<StorageItemType> type = StorageItemTypeOf(typeFlags)) {
        typeIndex_ = type->index;
        if (type->name) typeName_ = type->name;
    }
}

LRESULT StorageAreaLookup::ButtonClicked() {
    const std::string device = device_, area = area_;
    const bool areas = typeFlags_ & file_choice::kStorageAreas;
    const uint32_t mode = typeFlags_ | (!device_.empty() && !area_.empty() && !areas ? file_choice::kStayInArea : 0);
    CDevaDodDialog chooser(Handle(), true, CDevaDodDialog::kBufferSize);
    uint32_t index = static_cast<uint32_t>(typeIndex_);
    std::vector<std::string> names;
    const int chosen = chooser.ChooseItems(browserTitle_, mode, index, device_, area_, Text(), names, "", 0);
    typeIndex_ = static_cast<int>(index);
    if (!chosen || (!areas && names.empty())) {
        device_ = device;
        area_ = area;
        return 0;
    }
    SetText(areas ? device_ + area_ : names.front());
    TellChosen(device_, area_);
    return 1;
}

void StorageAreaLookup::OpenItem(const std::string& name, bool viaMarlow, bool letterM, bool addNew, bool addOptions) {
    ItemPlace place{device_, area_};
    if (place.device.empty() || place.area.empty()) ReadDefaultStorageArea(place.device, place.area);
    const std::string_view item = WithoutLeadingBlanks(name);
    if (typeName_.empty()) return;
    if (viaMarlow) {
        if (!marlow_.empty()) Launch(MarlowCommand(marlow_, place, item, letterM, addNew, addOptions));
        return;
    }
    const std::string program = ProgramPath(ItemEditorName(typeName_));
    Launch(EditItemCommand(typeName_, program, place, item, reinterpret_cast<intptr_t>(Handle())));
}

StorageAreaLookup::ContextMenu StorageAreaLookup::BuildContextMenu() const {
    ContextMenu shown;
    const HINSTANCE own = LibraryModuleState().instance;
    shown.menu.reset(LoadMenuA(LibraryResources(), MAKEINTRESOURCEA(IDM_STORAGE_AREA_LOOKUP)));
    if (!shown.menu && LibraryResources() != own) shown.menu.reset(LoadMenuA(own, MAKEINTRESOURCEA(IDM_STORAGE_AREA_LOOKUP)));
    if (!shown.menu) return shown;
    const bool model = typeFlags_ & file_choice::kModels;
    const bool modelOrPieces = typeFlags_ & (file_choice::kModels | file_choice::kPieces);
    const HMENU popup = GetSubMenu(shown.menu.get(), modelOrPieces ? 1 : 0);
    if (!popup) return shown;
    if (modelOrPieces) {
        if (Text().empty())
            for (int i = 0; i < (model ? 2 : 3); ++i) DeleteMenu(popup, 1, MF_BYPOSITION);
        DeleteMenu(popup, model ? ID_ITEM_PLOT_VIEWER : ID_ITEM_OPEN_EDITOR, MF_BYCOMMAND);
        // The library itself has no model display; it is offered where one is installed.
        if (ProgramPath("formlook").empty()) DeleteMenu(popup, ID_ITEM_MODEL_DISPLAY, MF_BYCOMMAND);
        DropSeparatorAt(popup, 1);
        const HMENU open = GetSubMenu(popup, 0);
        SetMenuDefaultItem(open, 0, TRUE);
        if (!model) {  // pieces open in no new window
            DeleteMenu(open, 2, MF_BYPOSITION);
            DeleteMenu(open, ID_ITEM_MARLOW_NEW_OPTIONS, MF_BYCOMMAND);
        }
        if (marlow_.empty())
            for (UINT command : {ID_ITEM_MARLOW, ID_ITEM_MARLOW_NEW, ID_ITEM_MARLOW_OPTIONS, ID_ITEM_MARLOW_NEW_OPTIONS})
                EnableMenuItem(open, command, MF_BYCOMMAND | MF_GRAYED);
    }
    SetMenuDefaultItem(popup, 0, TRUE);
    if (typeName_.empty() && DeleteMenu(popup, ID_ITEM_OPEN, MF_BYCOMMAND)) DropSeparatorAt(popup, 0);
    shown.popup = popup;
    return shown;
}

void StorageAreaLookup::RunMenuCommand(UINT command) {
    const std::string text = Text();
    const bool model = typeName_ == "Model";
    switch (command) {
    case ID_ITEM_CLEAR:
        SetText("");
        break;
    case ID_ITEM_OPEN:
    case ID_ITEM_OPEN_EDITOR:
        OpenItem(text, false, model, false, false);
        break;
    case ID_ITEM_MARLOW_NEW:
    case ID_ITEM_MARLOW:
    case ID_ITEM_MARLOW_NEW_OPTIONS:
    case ID_ITEM_MARLOW_OPTIONS:
        OpenItem(text, true, model, command == ID_ITEM_MARLOW_NEW || command == ID_ITEM_MARLOW_NEW_OPTIONS,
                 command == ID_ITEM_MARLOW_NEW_OPTIONS || command == ID_ITEM_MARLOW_OPTIONS);
        break;
    case ID_ITEM_MODEL_DISPLAY:
        Launch(ModelDisplayCommand(ProgramPath("formlook"), {device_, area_}, text, typeName_ == "wstdpce"));
        break;
    case ID_ITEM_PLOT_VIEWER:
        Launch(PlotViewerCommand(ProgramPath("glance"), {device_, area_}, text));
        break;
    case ID_ITEM_CUT:
        Send(WM_CUT);
        break;
    case ID_ITEM_COPY:
        Send(WM_COPY);
        break;
    case ID_ITEM_PASTE:
        Send(WM_PASTE);
        break;
    default:
        break;
    }
}

void StorageAreaLookup::ShowContextMenu(POINT screen) {
    const ContextMenu shown = BuildContextMenu();
    if (!shown.popup) return;
    const UINT command = static_cast<UINT>(TrackPopupMenu(shown.popup, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                          screen.x, screen.y, 0, Handle(), nullptr));
    if (command) RunMenuCommand(command);
}

LRESULT StorageAreaLookup::OnCopyData(const COPYDATASTRUCT* block) {
    if (!block || block->dwData != savedNoticeId_) return 1;
    const std::optional<SavedItem> saved = ReadSavedNotice(block->lpData, block->cbData);
    if (!saved) return 1;
    SetText(saved->name);
    TellChosen(saved->place.device, saved->place.area);
    return 0;
}

void StorageAreaLookup::TellChosen(const std::string& device, const std::string& area) {
    std::string chosen = device + ";" + area;
    if (const HWND main = ui::ThreadMainWindow()) {
        COPYDATASTRUCT block = {0, static_cast<DWORD>(chosen.size() + 1), chosen.data()};
        SendMessageA(main, WM_STORAGE_AREA_CHOSEN, 0, reinterpret_cast<LPARAM>(&block));
    }
    if (const HWND parent = GetParent(Handle())) SendMessageA(parent, WM_LOOKUP_UPDATED, static_cast<WPARAM>(Id()), 0);
}

LRESULT StorageAreaLookup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_RBUTTONDOWN: {
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(Handle(), &at);
        ShowContextMenu(at);
        return 0;
    }
    case WM_CONTEXTMENU:
        // The edit's own menu would follow ours; from the keyboard ours shows under the field.
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
            RECT field = {};
            GetWindowRect(Handle(), &field);
            ShowContextMenu({field.left, field.bottom});
        }
        return 0;
    case WM_LBUTTONDBLCLK:
        OpenItem(Text(), false, false, false, false);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_F2) {
            OpenItem(Text(), false, false, false, false);
            return 0;
        }
        if (wParam == VK_F4 && !KeyHeld(VK_CONTROL) && !KeyHeld(VK_SHIFT) && !KeyHeld(VK_MENU)) {
            ButtonClicked();
            return 0;
        }
        break;
    case WM_COPYDATA:
        return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    default:
        break;
    }
    return FileEditCtrl::WindowProc(message, wParam, lParam);
}

}  // namespace optora
