#include "controls/file_edit_ctrl.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <vector>

#include "controls/shell_files.h"
#include "ui/data_exchange.h"

namespace optora {
namespace {

constexpr UINT_PTR kButtonTool = 1, kTextTool = 2;

RECT WindowRectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

// The client area in window coordinates.
RECT ClientInWindow(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT outer = WindowRectOf(window);
    OffsetRect(&client, -outer.left, -outer.top);
    return client;
}

TOOLINFOA Tool(HWND window, UINT_PTR id) {
    TOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.uId = id;
    return info;
}

COLORREF Grey(COLORREF colour) {
    const int luminance = (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
    return RGB(luminance, luminance, luminance);
}

// The nearest folder of path that exists, with its final "\"; empty when
// none does.
std::string NearestFolder(std::string path) {
    while (!path.empty()) {
        if (IsDirectory(path)) return DirectoryLength(path, AnsiLeadByte) == path.size() ? path : path + '\\';
        const size_t parent = DirectoryLength(path, AnsiLeadByte);
        if (parent == path.size()) path.pop_back();  // a final separator
        else path.resize(parent);
    }
    return path;
}

}  // namespace

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

void FileEditCtrl::ConfigureFileDialog() {
    CFECFileDialog& dialog = *fileDialog_;
    const bool open = flags_ & BrowseOpenFile;
    dialog.SetOpenDialog(open);
    DWORD& options = dialog.Options().Flags;
    options &= ~(OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS);
    options |= open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT;
    if (flags_ & AllowMultiple) options |= OFN_ALLOWMULTISELECT;
    if (flags_ & KeepShortcuts) options |= OFN_NODEREFERENCELINKS;
    dialog.Options().hwndOwner = Handle();
    dialogTitle_ = "Browse for File";
    dialog.SetTitle(dialogTitle_);
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

std::string FileEditCtrl::Text() const {
    const int length = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

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

LRESULT FileEditCtrl::Notify(UINT code, std::string* newText) {
    const HWND parent = GetParent(Handle());
    if (!parent) return 0;
    FileEditNotify notify = {{Handle(), static_cast<UINT_PTR>(Id()), code}, this, newText};
    return SendMessageA(parent, WM_NOTIFY, static_cast<WPARAM>(Id()), reinterpret_cast<LPARAM>(&notify));
}

LRESULT FileEditCtrl::ButtonClicked() {
    if (GetParent(Handle())) {
        if (const LRESULT answer = Notify(BeforeBrowse, nullptr)) return answer;
    }
    if (flags_ & BrowseFolder) return BrowseForFolder();
    if (FileMode()) return BrowseForFile();
    return flags_;
}

int CALLBACK FileEditCtrl::FolderBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM data) {
    if (event != BFFM_INITIALIZED) return 0;
    std::string path = reinterpret_cast<FileEditCtrl*>(data)->FirstPath();
    if (path.compare(0, 2, "\\\\") == 0) return 0;  // the browser cannot start on a network path
    if (path.size() > 3 && DirectoryLength(path, AnsiLeadByte) == path.size()) path.pop_back();
    if (!path.empty()) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    return 0;
}

LRESULT FileEditCtrl::BrowseForFolder() {
    ComScope com;
    BROWSEINFOA settings = *folderSettings_;
    settings.hwndOwner = Handle();
    char displayName[MAX_PATH] = {};
    settings.pszDisplayName = displayName;
    bool set = false;
    if (LPITEMIDLIST item = SHBrowseForFolderA(&settings)) {
        char chosen[MAX_PATH] = {};
        const bool hasPath = SHGetPathFromIDListA(item, chosen);
        CoTaskMemFree(item);
        std::string path = chosen;
        if (hasPath && (flags_ & FolderTrailingSlash) && DirectoryLength(path, AnsiLeadByte) != path.size()) path += '\\';
        if (!Notify(AfterBrowse, hasPath ? &path : nullptr) && hasPath) {
            SetText(path);
            set = true;
        }
    } else {
        Notify(AfterBrowse, nullptr);
    }
    SetFocus(Handle());
    return set;
}

LRESULT FileEditCtrl::BrowseForFile() {
    CFECFileDialog& dialog = *fileDialog_;
    dialog.Options().hwndOwner = Handle();
    const bool presetDirectory = !dialog.InitialDirectory().empty();
    if (!presetDirectory) {
        const std::string path = FirstPath();
        const bool namesFile = IsFile(path) || (!dialog.IsOpenDialog() && !IsDirectory(path));
        dialog.SetInitialName(namesFile ? path.substr(DirectoryLength(path, AnsiLeadByte)) : std::string());
        dialog.SetInitialDirectory(NearestFolder(path));
    }
    const bool chosen = dialog.DoModal() == IDOK;
    if (chosen) {
        std::vector<std::string> paths;
        for (size_t position = dialog.GetStartPosition(); position;) paths.push_back(dialog.GetNextPathName(position));
        std::string text = ChosenFilesText(paths, AnsiLeadByte);
        if (!Notify(AfterBrowse, &text)) SetText(text);
    } else {
        Notify(AfterBrowse, nullptr);
    }
    if (!presetDirectory) dialog.SetInitialDirectory({});
    SetFocus(Handle());
    return chosen;
}

void FileEditCtrl::OnDropFiles(HDROP drop) {
    StopTracking();
    if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
    }
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    if (count > 1 && ((flags_ & BrowseFolder) || (FileMode() && !(flags_ & AllowMultiple)))) count = 1;
    const bool resolve = FileMode() && !(flags_ & KeepShortcuts);
    std::vector<std::string> paths;
    for (UINT i = 0; i < count; ++i) {
        std::vector<char> name(DragQueryFileA(drop, i, nullptr, 0) + 1u);
        DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size()));
        std::string path = name.data();
        if (resolve && IsShortcutName(path)) path = ResolveShortcut(path);
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    std::string text = DroppedFilesText(paths, AnsiLeadByte);
    if (!Notify(AfterDrop, &text)) SetText(text);
}

void FileEditCtrl::OnNcCalcSize(RECT& proposed, const RECT& window) {
    const LONG width = (proposed.bottom - proposed.top) * 4 / 5;
    if (buttonSide_ == ButtonLeft) {
        button_ = {proposed.left, proposed.top, proposed.left + width, proposed.bottom};
        proposed.left += width;
    } else {
        button_ = {proposed.right - width, proposed.top, proposed.right, proposed.bottom};
        proposed.right -= width;
    }
    OffsetRect(&button_, -window.left, -window.top);
}

LRESULT FileEditCtrl::OnNcHitTest(LPARAM lParam) {
    const LRESULT hit = Default(WM_NCHITTEST, 0, lParam);
    if (hit != HTNOWHERE) return hit;
    const RECT window = WindowRectOf(Handle());
    return OverButton({GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top}) ? HTBORDER : hit;
}

void FileEditCtrl::OnNcPaint(WPARAM region) {
    if (buttonState_ & kFlat) {
        const HDC dc = GetWindowDC(Handle());
        RECT outer = WindowRectOf(Handle());
        OffsetRect(&outer, -outer.left, -outer.top);
        const RECT client = ClientInWindow(Handle());
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        ExcludeClipRect(dc, button_.left, button_.top, button_.right, button_.bottom);
        const bool enabled = IsWindowEnabled(Handle()) && !(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY);
        FillRect(dc, &outer, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE));
        FrameRect(dc, &outer, GetSysColorBrush(COLOR_WINDOWFRAME));
        ReleaseDC(Handle(), dc);
    } else {
        Default(WM_NCPAINT, region, 0);
    }
    DrawButton(buttonState_);
}

bool FileEditCtrl::OverButton(POINT window) const { return PtInRect(&button_, window) != FALSE; }

POINT FileEditCtrl::ClientToWindow(LPARAM lParam) const {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &point);
    const RECT window = WindowRectOf(Handle());
    return {point.x - window.left, point.y - window.top};
}

void FileEditCtrl::Press() {
    SetFocus(Handle());
    tracking_ = false;
    SetCapture(Handle());
    pressed_ = true;
    DrawButton(kPressed);
}

void FileEditCtrl::OnMouseMove(LPARAM lParam) {
    const POINT at = ClientToWindow(lParam);
    if (pressed_) {
        DrawButton(OverButton(at) ? kPressed : kUp);
        return;
    }
    if (!(flags_ & FlatButton) || GetFocus() == Handle()) return;
    const RECT window = WindowRectOf(Handle());
    const bool inside = at.x >= 0 && at.y >= 0 && at.x < window.right - window.left && at.y < window.bottom - window.top;
    if (inside && !tracking_) {
        tracking_ = true;
        SetCapture(Handle());
    } else if (!inside && tracking_) {
        StopTracking();
    }
    if (inside) SetCursor(LoadCursor(nullptr, OverButton(at) ? IDC_ARROW : IDC_IBEAM));
    UpdateFlatState();
}

void FileEditCtrl::StopTracking() {
    if (!tracking_) return;
    tracking_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    UpdateFlatState();
}

void FileEditCtrl::OnButtonRelease(LPARAM lParam) {
    pressed_ = false;
    ReleaseCapture();
    DrawButton(kUp);
    if (OverButton(ClientToWindow(lParam))) ButtonClicked();
}

void FileEditCtrl::UpdateFlatState() {
    int state = buttonState_ & ~kFlat;
    if (flags_ & FlatButton) {
        const bool usable = IsWindowEnabled(Handle()) && !(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY);
        if (!(usable && (tracking_ || GetFocus() == Handle()))) state |= kFlat;
    }
    if (state == buttonState_) return;
    buttonState_ = state;
    if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void FileEditCtrl::DrawButton(int state) {
    if (!Handle()) return;
    if (!IsWindowEnabled(Handle())) state = kDisabled | (state & kFlat);
    buttonState_ = state;
    const int width = button_.right - button_.left, height = button_.bottom - button_.top;
    if (width < 3 || height < 3) return;
    const HDC window = GetWindowDC(Handle());
    const HDC memory = CreateCompatibleDC(window);
    const HBITMAP bitmap = CreateCompatibleBitmap(window, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    RECT face = {0, 0, width, height};
    FillRect(memory, &face, GetSysColorBrush(COLOR_3DFACE));
    if (state & kPressed)
        FrameRect(memory, &face, GetSysColorBrush(COLOR_3DSHADOW));
    else if (state & kFlat)
        FrameRect(memory, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
    else
        DrawEdge(memory, &face, EDGE_RAISED, BF_RECT);
    DrawDots(memory, width, height, state);
    BitBlt(window, button_.left, button_.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(Handle(), window);
}

void FileEditCtrl::DrawDots(HDC dc, int width, int height, int state) const {
    const int diameter = width / 10, spacing = width / 4, shift = (state & kPressed) ? 1 : 0;
    const auto draw = [&](COLORREF colour, int offset) {
        const HBRUSH brush = CreateSolidBrush(colour);
        const HPEN pen = CreatePen(PS_SOLID, 1, colour);
        const HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
        const int y = height / 2 + shift + offset;
        for (int i = -1; i <= 1; ++i) {
            const int x = width / 2 + i * spacing + shift + offset;
            if (diameter < 2)
                SetPixel(dc, x, y, colour);
            else
                Ellipse(dc, x - diameter / 2, y - diameter / 2, x - diameter / 2 + diameter, y - diameter / 2 + diameter);
        }
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(brush);
        DeleteObject(pen);
    };
    if (state & kDisabled) {
        draw(GetSysColor(COLOR_3DHILIGHT), 1);
        draw(GetSysColor(COLOR_3DSHADOW), 0);
        return;
    }
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    draw((state & kFlat) && (flags_ & GreyDots) ? Grey(text) : text, 0);
}

void FileEditCtrl::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!(flags_ & (ButtonTip | TextTip))) return;
    if (!tooltip_) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&classes);
        tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, nullptr, nullptr);
        if (!tooltip_) return;
        SendMessageA(tooltip_, WM_SETFONT, static_cast<WPARAM>(Send(WM_GETFONT)), FALSE);
        for (UINT_PTR tool : {kButtonTool, kTextTool}) {
            TOOLINFOA info = Tool(Handle(), tool);
            info.lpszText = LPSTR_TEXTCALLBACKA;
            SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        }
        SendMessageA(tooltip_, TTM_ACTIVATE, TRUE, 0);
    }
    // Tool rectangles are in client coordinates; the button lies outside.
    RECT client = {};
    GetClientRect(Handle(), &client);
    RECT button = button_;
    const RECT inWindow = ClientInWindow(Handle());
    OffsetRect(&button, -inWindow.left, -inWindow.top);
    for (const auto& [tool, rect] : {std::pair{kButtonTool, button}, std::pair{kTextTool, client}}) {
        TOOLINFOA info = Tool(Handle(), tool);
        info.rect = rect;
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    }
    MSG relayed = {Handle(), message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    if (message == WM_NCMOUSEMOVE) {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(Handle(), &point);
        relayed.message = WM_MOUSEMOVE;
        relayed.lParam = MAKELPARAM(point.x, point.y);
    }
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool FileEditCtrl::OnTooltipText(NMHDR* header) {
    if (header->hwndFrom != tooltip_ || header->code != TTN_GETDISPINFOA) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->lpszText = info->szText;
    info->szText[0] = '\0';
    if (header->idFrom == kButtonTool && (flags_ & ButtonTip))
        lstrcpynA(info->szText, "Browse", sizeof info->szText);
    else if (header->idFrom == kTextTool && (flags_ & TextTip))
        info->lpszText = const_cast<char*>(textTip_.c_str());
    return true;
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
