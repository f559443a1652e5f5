#include "chooser_window.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "chooser_ids.h"
#include "control_file.h"
#include "controls/file_choice.h"
#include "storage_tree.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace devadod {
namespace {

using namespace file_choice;

struct Kind {
    uint32_t bit;             // 0: any other kind
    const char* controlFile;  // below the area's directory; none for storage areas
    const char* caption;
};
const Kind kKinds[] = {
    {kStorageAreas, nullptr, "Choose Storage Area"},   {kModels, "data\\model.ctl", "Choose Model"},
    {kPieces, "data\\piece.ctl", "Choose Piece"},      {kRuleTables, "data\\rutab.ctl", "Choose Rule Table"},
    {0, "param\\usrpt.ctl", "Choose Parameter Table"},
};

const Kind& KindOf(uint32_t flags) {
    for (const Kind& kind : kKinds)
        if (kind.bit == 0 || (flags & kind.bit)) return kind;
    return kKinds[std::size(kKinds) - 1];
}

void WriteBounded(char* buffer, std::size_t size, const std::string& text) {
    if (!buffer || size == 0) return;
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

std::string ItemText(HWND control, UINT getLength, UINT getText, WPARAM index) {
    const LRESULT length = SendMessageA(control, getLength, index, 0);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        std::max<LRESULT>(0, SendMessageA(control, getText, index, reinterpret_cast<LPARAM>(text.data())))));
    return text;
}

std::string ComboSelection(HWND combo) {
    const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return selected < 0 ? std::string() : ItemText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, static_cast<WPARAM>(selected));
}

// Selects the entry equal to text regardless of case, else the first; false when there is none.
bool SelectEntry(HWND control, UINT findExact, UINT select, const std::string& text) {
    LRESULT found = text.empty() ? -1
                                 : SendMessageA(control, findExact, static_cast<WPARAM>(-1),
                                                reinterpret_cast<LPARAM>(text.c_str()));
    if (found < 0) found = 0;
    return SendMessageA(control, select, static_cast<WPARAM>(found), 0) >= 0;
}

class ChooserWindow {
public:
    explicit ChooserWindow(FileChoice& record)
        : record_(record),
          kind_(KindOf(record.open.Flags)),
          multiple_(kind_.controlFile && (record.extraFlags & kMultipleChoice)),
          device_(BoundedText(record.device, kTextSize)),
          area_(BoundedText(record.area, kTextSize)),
          start_(BoundedText(record.startText, kTextSize)) {}

    int Run() {
        HWND owner = IsWindow(record_.open.hwndOwner) ? record_.open.hwndOwner : nullptr;
        const INT_PTR result = DialogBoxParamA(reinterpret_cast<HINSTANCE>(&__ImageBase), MAKEINTRESOURCEA(IDD_CHOOSER),
                                               owner, &Procedure, reinterpret_cast<LPARAM>(this));
        return result == IDOK ? 1 : 0;
    }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<ChooserWindow*>(GetWindowLongPtrA(window, DWLP_USER));
        if (!self) return FALSE;
        switch (message) {
            case WM_INITDIALOG:
                self->window_ = window;
                self->Init();
                return TRUE;
            case WM_COMMAND:
                self->OnCommand(LOWORD(wParam), HIWORD(wParam));
                return TRUE;
            default:
                return FALSE;
        }
    }

    HWND Item(int id) const { return GetDlgItem(window_, id); }

    void Init() {
        const std::string title = BoundedText(record_.open.lpstrTitle, kShortTextSize);
        SetWindowTextA(window_, title.empty() ? kind_.caption : title.c_str());
        if (multiple_) MakeListMultiple();
        if (!kind_.controlFile) HideItems();

        const DWORD drives = GetLogicalDrives();
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            if (drives & (1u << (letter - 'A'))) {
                const char drive[3] = {letter, ':', '\0'};
                SendMessageA(Item(IDC_DEVICE), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive));
            }
        }
        const std::string drive = storage::StorageRoot(device_).empty() ? "C:" : device_.substr(0, 1) + ":";
        SelectEntry(Item(IDC_DEVICE), CB_FINDSTRINGEXACT, CB_SETCURSEL, drive);
        const bool known = FillAreas(area_);
        if (known && (record_.open.Flags & kStayInArea)) {
            EnableWindow(Item(IDC_DEVICE), FALSE);
            EnableWindow(Item(IDC_AREA), FALSE);
        }
        SelectEntry(Item(IDC_ITEMS), LB_FINDSTRINGEXACT, multiple_ ? LB_SETCARETINDEX : LB_SETCURSEL, start_);
        if (multiple_) {
            const LRESULT caret = SendMessageA(Item(IDC_ITEMS), LB_GETCARETINDEX, 0, 0);
            if (caret >= 0 && !start_.empty()) SendMessageA(Item(IDC_ITEMS), LB_SETSEL, TRUE, caret);
        }
        UpdateOk();
    }

    // The template's list takes one item; several need the style at creation.
    void MakeListMultiple() {
        HWND single = Item(IDC_ITEMS);
        RECT area;
        GetWindowRect(single, &area);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&area), 2);
        const LONG_PTR style = GetWindowLongPtrA(single, GWL_STYLE);
        const LONG_PTR exStyle = GetWindowLongPtrA(single, GWL_EXSTYLE);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(single, WM_GETFONT, 0, 0));
        DestroyWindow(single);
        HWND multiple =
            CreateWindowExA(static_cast<DWORD>(exStyle), "LISTBOX", "", static_cast<DWORD>(style) | LBS_EXTENDEDSEL,
                            area.left, area.top, area.right - area.left, area.bottom - area.top, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_ITEMS)),
                            reinterpret_cast<HINSTANCE>(&__ImageBase), nullptr);
        SendMessageA(multiple, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowPos(multiple, Item(IDC_ITEMS_LABEL), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    // A storage area is chosen by the two lists alone: drop the items and the space they take.
    void HideItems() {
        ShowWindow(Item(IDC_ITEMS_LABEL), SW_HIDE);
        ShowWindow(Item(IDC_ITEMS), SW_HIDE);
        RECT below = {0, 0, 0, 44};  // the area list's bottom and a margin, in dialog units
        MapDialogRect(window_, &below);
        RECT client, frame;
        GetClientRect(window_, &client);
        GetWindowRect(window_, &frame);
        const int height = (frame.bottom - frame.top) - (client.bottom - below.bottom);
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, height, SWP_NOMOVE | SWP_NOZORDER);
    }

    std::string Device() const { return ComboSelection(Item(IDC_DEVICE)); }

    bool FillAreas(const std::string& wanted) {
        HWND areas = Item(IDC_AREA);
        SendMessageA(areas, CB_RESETCONTENT, 0, 0);
        for (const std::string& name : storage::StorageAreas(Device()))
            SendMessageA(areas, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        const LRESULT found = wanted.empty() ? -1
                                             : SendMessageA(areas, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                            reinterpret_cast<LPARAM>(wanted.c_str()));
        SendMessageA(areas, CB_SETCURSEL, static_cast<WPARAM>(found < 0 ? 0 : found), 0);
        FillItems();
        return found >= 0;
    }

    void FillItems() {
        HWND items = Item(IDC_ITEMS);
        SendMessageA(items, LB_RESETCONTENT, 0, 0);
        const std::string area = ComboSelection(Item(IDC_AREA));
        std::string content;
        if (kind_.controlFile && !area.empty() &&
            storage::ReadControlFile(storage::StorageRoot(Device()) + area + "\\" + kind_.controlFile, content)) {
            for (std::string_view name : storage::ListItems(content))
                SendMessageA(items, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(name).c_str()));
        }
        UpdateOk();
    }

    std::vector<std::string> ChosenItems() const {
        HWND items = Item(IDC_ITEMS);
        std::vector<std::string> chosen;
        if (multiple_) {
            const LRESULT count = SendMessageA(items, LB_GETSELCOUNT, 0, 0);
            std::vector<int> indexes(static_cast<std::size_t>(std::max<LRESULT>(0, count)));
            if (!indexes.empty())
                SendMessageA(items, LB_GETSELITEMS, indexes.size(), reinterpret_cast<LPARAM>(indexes.data()));
            for (int index : indexes) chosen.push_back(ItemText(items, LB_GETTEXTLEN, LB_GETTEXT, index));
        } else {
            const LRESULT index = SendMessageA(items, LB_GETCURSEL, 0, 0);
            if (index >= 0) chosen.push_back(ItemText(items, LB_GETTEXTLEN, LB_GETTEXT, static_cast<WPARAM>(index)));
        }
        return chosen;
    }

    bool CanChoose() const {
        return kind_.controlFile ? !ChosenItems().empty() : !ComboSelection(Item(IDC_AREA)).empty();
    }

    void UpdateOk() { EnableWindow(Item(IDOK), CanChoose()); }

    void OnCommand(WORD id, WORD code) {
        if (id == IDC_DEVICE && code == CBN_SELCHANGE) FillAreas({});
        if (id == IDC_AREA && code == CBN_SELCHANGE) FillItems();
        if (id == IDC_ITEMS && code == LBN_SELCHANGE) UpdateOk();
        if ((id == IDC_ITEMS && code == LBN_DBLCLK) || id == IDOK) {
            if (CanChoose()) EndDialog(window_, WriteChoice() ? IDOK : IDCANCEL);
        }
        if (id == IDCANCEL) EndDialog(window_, IDCANCEL);
    }

    // False when not one chosen name fits the result buffer.
    bool WriteChoice() {
        if (kind_.controlFile) {
            char* result = record_.open.lpstrFile;
            const std::size_t size = record_.open.nMaxFile;
            if (!result || size < 2) return false;
            std::size_t used = 0;
            for (const std::string& name : ChosenItems()) {
                if (name.empty() || used + name.size() + 2 > size) break;  // the name, its zero and the closing one
                std::memcpy(result + used, name.c_str(), name.size() + 1);
                used += name.size() + 1;
            }
            if (used == 0) return false;
            result[used] = '\0';
        }
        WriteBounded(record_.device, kTextSize, Device());
        WriteBounded(record_.area, kTextSize, ComboSelection(Item(IDC_AREA)));
        return true;
    }

    FileChoice& record_;
    const Kind& kind_;
    const bool multiple_;
    const std::string device_, area_, start_;
    HWND window_ = nullptr;
};

}  // namespace

std::string BoundedText(const char* buffer, std::size_t size) {
    return buffer ? std::string(buffer, strnlen(buffer, size)) : std::string();
}

int RunChooserWindow(FileChoice& record) { return ChooserWindow(record).Run(); }

}  // namespace devadod
