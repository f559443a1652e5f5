#include "controls/fec_file_dialog.h"

#include <cstring>

#include "controls/file_list.h"
#include "controls/shell_files.h"

namespace optora {
namespace {
constexpr char kFilter[] = "All Files (*.*)\0*.*\0";

std::string ControlText(HWND dialog, UINT message) {
    const LRESULT length = SendMessageA(dialog, message, 0, 0);
    if (length <= 0) return {};
    std::vector<char> text(static_cast<size_t>(length) + 1);
    SendMessageA(dialog, message, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
}  // namespace

CFECFileDialog::CFECFileDialog(bool openDialog, DWORD flags, HWND parent) : open_(openDialog), names_(MAX_PATH) {
    options_.lStructSize = sizeof options_;
    options_.hwndOwner = parent;
    options_.lpstrFilter = kFilter;
    options_.Flags = flags;
}

void CFECFileDialog::SetInitialName(const std::string& name) {
    std::fill(names_.begin(), names_.end(), '\0');
    std::strncpy(names_.data(), name.c_str(), names_.size() - 1);
}

INT_PTR CFECFileDialog::DoModal() {
    ownNames_.reset();
    ownFolder_.reset();
    OPENFILENAMEA run = options_;
    run.lpstrFile = names_.data();
    run.nMaxFile = static_cast<DWORD>(names_.size());
    run.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    run.lpstrInitialDir = initialDirectory_.empty() ? nullptr : initialDirectory_.c_str();
    run.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    run.lpfnHook = &CFECFileDialog::Hook;
    run.lCustData = reinterpret_cast<LPARAM>(this);
    if (run.hwndOwner && !IsWindow(run.hwndOwner)) run.hwndOwner = nullptr;
    const BOOL chosen = open_ ? GetOpenFileNameA(&run) : GetSaveFileNameA(&run);
    options_.Flags = run.Flags & ~(OFN_ENABLEHOOK | OFN_ENABLESIZING);
    if (chosen) return IDOK;
    return CommDlgExtendedError() == FNERR_BUFFERTOOSMALL && ownNames_ ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFECFileDialog::Hook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
        return TRUE;
    }
    auto* self = reinterpret_cast<CFECFileDialog*>(GetWindowLongPtrA(child, GWLP_USERDATA));
    if (!self || message != WM_NOTIFY) return FALSE;
    const HWND dialog = GetParent(child);
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case CDN_INITDONE:
        SendMessageA(dialog, CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>("OK"));
        break;
    case CDN_SELCHANGE:
    case CDN_FILEOK:  // a name typed after choosing from the list changes no selection
        self->OnSelectionChange(dialog);
        break;
    default:
        break;
    }
    return FALSE;
}

void CFECFileDialog::OnSelectionChange(HWND dialog) {
    const LRESULT names = SendMessageA(dialog, CDM_GETSPEC, 0, 0);
    const LRESULT folder = SendMessageA(dialog, CDM_GETFOLDERPATH, 0, 0);
    if (names > 0 && folder > 0 && static_cast<size_t>(names + folder) > names_.size()) {
        ownNames_ = ControlText(dialog, CDM_GETSPEC);
        ownFolder_ = ControlText(dialog, CDM_GETFOLDERPATH);
    } else {
        ownNames_.reset();
        ownFolder_.reset();
    }
}

std::vector<std::string> CFECFileDialog::Chosen() const {
    std::vector<std::string> paths;
    if (ownNames_) {
        std::string folder = *ownFolder_;
        if (DirectoryLength(folder, AnsiLeadByte) != folder.size()) folder += '\\';
        for (const std::string& name : SplitQuotedNames(*ownNames_)) paths.push_back(folder + name);
        return paths;
    }
    // "folder\0name\0name\0\0" for several files, "path\0" for one.
    const char* at = names_.data();
    const char* const end = names_.data() + names_.size();
    const std::string first(at, strnlen(at, names_.size()));
    at += first.size() + 1;
    if (first.empty()) return paths;
    if (at >= end || !*at) return {first};
    const std::string folder = DirectoryLength(first, AnsiLeadByte) == first.size() ? first : first + '\\';
    while (at < end && *at) {
        const std::string name(at, strnlen(at, static_cast<size_t>(end - at)));
        paths.push_back(folder + name);
        at += name.size() + 1;
    }
    return paths;
}

size_t CFECFileDialog::GetStartPosition() const { return Chosen().empty() ? 0 : 1; }

std::string CFECFileDialog::GetNextPathName(size_t& position) const {
    const std::vector<std::string> paths = Chosen();
    if (position == 0 || position > paths.size()) {
        position = 0;
        return {};
    }
    const std::string path = paths[position - 1];
    position = position < paths.size() ? position + 1 : 0;
    return path;
}

}  // namespace optora
