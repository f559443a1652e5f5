// The browse behind the button: the folder browser or the file dialog, each
// starting where the field's first name points.
#include "controls/file_edit_ctrl.h"

#include <vector>

#include "controls/shell_files.h"

namespace optora {
namespace {

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
}  // namespace optora
