#include "controls/file_edit_ctrl.h"

#include <windowsx.h>

#include "controls/shell_files.h"
#include "controls/window_rects.h"
#include "ui/data_exchange.h"
#include "ui/window_text.h"

namespace optora {

FileEditCtrl::FileEditCtrl(bool autoDelete) : autoDelete_(autoDelete) {}

FileEditCtrl::~FileEditCtrl() {
    if (tooltip_ && IsWindow(tooltip_)) DestroyWindow(tooltip_);
}

bool FileEditCtrl::Create(uint32_t flags, DWORD exStyle, const char* windowName, DWORD style, const RECT& rect,
                          HWND parent, int id) {
    const HWND window = CreateWindowExA(exStyle, "EDIT", windowName, style, rect.left, rect.top,
                                        rect.right - rect.left, rect.bottom - rect.top, parent,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!window || !Attach(window)) {
        if (window) DestroyWindow(window);
        return false;
    }
    if (!SetFlags(flags)) {
        DestroyWindow(window);  // detaches, and with auto delete deletes
        return false;
    }
    if (parent) Send(WM_SETFONT, static_cast<WPARAM>(SendMessageA(parent, WM_GETFONT, 0, 0)), FALSE);
    return true;
}

uint32_t FileEditCtrl::GetFlags() const {
    if (!fileDialog_) return flags_;
    const DWORD options = fileDialog_->Options().Flags;
    uint32_t flags = flags_ & ~(AllowMultiple | KeepShortcuts);
    if (options & OFN_ALLOWMULTISELECT) flags |= AllowMultiple;
    if (options & OFN_NODEREFERENCELINKS) flags |= KeepShortcuts;
    return flags;
}

bool FileEditCtrl::SetFlags(uint32_t flags) {
    textChanged_ = true;
    const bool open = flags & BrowseOpenFile, save = flags & BrowseSaveFile;
    const int modes = (flags & BrowseFolder ? 1 : 0) + (open ? 1 : 0) + (save ? 1 : 0) + (flags & CustomBrowse ? 1 : 0);
    if (modes != 1) return false;

    const uint32_t previous = flags_;
    flags_ = flags;
    if (flags & BrowseFolder) {
        fileDialog_.reset();
        if (!folderSettings_) {
            folderSettings_ = std::make_unique<BROWSEINFOA>();
            folderSettings_->ulFlags = BIF_RETURNONLYFSDIRS;
            folderSettings_->lpfn = &FileEditCtrl::FolderBrowserEvent;
            folderSettings_->lParam = reinterpret_cast<LPARAM>(this);
        }
        folderSettings_->hwndOwner = Handle();
    } else if (open || save) {
        folderSettings_.reset();
        if (!fileDialog_) fileDialog_ = std::make_unique<CFECFileDialog>(open, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, Handle());
        ConfigureFileDialog();
    } else {
        folderSettings_.reset();
        fileDialog_.reset();
    }

    const int side = static_cast<int>(flags & ButtonLeft);
    if (side != buttonSide_) {
        buttonSide_ = side;
        RecalculateFrame();
    }
    if ((previous ^ flags) & FlatButton) UpdateFlatState();
    return true;
}

void FileEditCtrl::RecalculateFrame() {
    if (!Handle()) return;
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (flags_ & FlatButton) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

FileListRules FileEditCtrl::Rules() const {
    const uint32_t flags = GetFlags();
    FileListRules rules;
    rules.folder = flags & BrowseFolder;
    rules.allowMultiple = flags & AllowMultiple;
    rules.folderTrailingSlash = flags & FolderTrailingSlash;
    rules.expandWildcards = flags & ExpandWildcards;
    rules.resolveShortcuts = FileMode() && !(flags & KeepShortcuts);
    return rules;
}

std::string FileEditCtrl::Text() const { return ui::WindowText(Handle()); }

void FileEditCtrl::SetText(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

size_t FileEditCtrl::GetStartPosition() {
    if (Handle()) {
        // Typing, pasting and undo change the text without telling anyone but
        // the parent, so the text itself says whether the list is stale.
        std::string text = Text();
        if (textChanged_ || text != parsedText_) {
            list_ = ParseFileList(text, Rules(), WindowsFileSystem());
            parsedText_ = std::move(text);
            textChanged_ = false;
        }
    }
    return list_.entries.empty() ? 0 : 1;
}

std::string FileEditCtrl::GetNextPathName(size_t& position) {
    if (position == 0 || position > list_.entries.size()) {
        position = 0;
        return {};
    }
    const std::string& entry = list_.entries[position - 1];
    position = position < list_.entries.size() ? position + 1 : 0;
    return EntryPath(list_, entry, Rules(), WindowsFileSystem());
}

std::string FileEditCtrl::FirstPath() {
    size_t position = GetStartPosition();
    return GetNextPathName(position);
}

LRESULT FileEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_NCMOUSEMOVE)
        RelayToTooltip(message, wParam, lParam);
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT& proposed = *reinterpret_cast<RECT*>(lParam);  // first of the parameters either way
        const RECT window = proposed;
        const LRESULT result = Default(message, wParam, lParam);
        OnNcCalcSize(proposed, window);
        return result;
    }
    case WM_NCHITTEST:
        return OnNcHitTest(lParam);
    case WM_NCPAINT:
        OnNcPaint(wParam);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        const RECT window = WindowRectOf(Handle());
        if (IsWindowEnabled(Handle()) && OverButton({GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top})) {
            Press();
            return 0;
        }
        break;
    }
    case WM_LBUTTONDOWN:
        if (tracking_) {
            if (OverButton(ClientToWindow(lParam))) {
                Press();
                return 0;
            }
            StopTracking();
        }
        break;
    case WM_LBUTTONUP:
        if (pressed_) {
            OnButtonRelease(lParam);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam);
        if (pressed_ || tracking_) return 0;
        break;
    case WM_NCMOUSEMOVE:
        if ((flags_ & FlatButton) && !tracking_ && GetFocus() != Handle()) {
            POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(Handle(), &point);
            OnMouseMove(MAKELPARAM(point.x, point.y));
        }
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != Handle() && (pressed_ || tracking_)) {
            if (pressed_) DrawButton(kUp);
            pressed_ = tracking_ = false;
            UpdateFlatState();
        }
        break;
    case WM_KEYDOWN:
        if ((wParam == VK_OEM_PERIOD || wParam == VK_DECIMAL) && GetKeyState(VK_CONTROL) < 0) {
            ButtonClicked();
            return 0;
        }
        break;
    case WM_SETFOCUS: {
        StopTracking();
        const LRESULT result = Default(message, wParam, lParam);
        Send(EM_SETSEL, 0, -1);
        Send(EM_SCROLLCARET);
        UpdateFlatState();
        return result;
    }
    case WM_KILLFOCUS: {
        if (pressed_) {
            pressed_ = false;
            ReleaseCapture();
            DrawButton(kUp);
        }
        const LRESULT result = Default(message, wParam, lParam);
        UpdateFlatState();
        return result;
    }
    case WM_ENABLE:
    case EM_SETREADONLY: {
        const LRESULT result = Default(message, wParam, lParam);
        UpdateFlatState();
        DrawButton(buttonState_ & kFlat ? kUp | kFlat : kUp);
        return result;
    }
    case WM_SETTEXT:
        textChanged_ = true;
        break;
    case WM_SIZE: {
        const LRESULT result = Default(message, wParam, lParam);
        RecalculateFrame();
        return result;
    }
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_NOTIFY:
        if (OnTooltipText(reinterpret_cast<NMHDR*>(lParam))) return 0;
        break;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void FileEditCtrl::OnWindowGone() {
    if (autoDelete_) delete this;
}

void DDX_FileEditCtrl(ui::DataExchange& exchange, int id, FileEditCtrl& control, uint32_t flags) {
    if (exchange.Failed()) return;
    if (!control.Handle()) {
        exchange.Control(id, control);
        if (!control.Handle() || !control.SetFlags(flags)) throw FileEditFlagsRefused();
        return;
    }
    if (exchange.Saving()) control.GetStartPosition();
}

}  // namespace optora
