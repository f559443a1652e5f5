#include "controls/dos_path_lookup.h"

#include <direct.h>
#include <shlobj.h>

#include <algorithm>

#include "controls/directory_text.h"
#include "controls/shell_files.h"
#include "frame/library_text.h"
#include "options/remembered_area.h"
#include "res/directory_lookup_ids.h"

namespace optora {
namespace {

constexpr const char* kTestFileName = "\\tmpplot.$$$";

std::string StoredDevice() {
    const std::optional<RememberedArea> remembered = ReadRememberedArea();
    return remembered ? remembered->device : std::string();
}

int CALLBACK BrowserEvent(HWND browser, UINT event, LPARAM lParam, LPARAM startFolder) {
    switch (event) {
    case BFFM_INITIALIZED: {
        // The start folder comes with the call: the process's current
        // directory belongs to the application, not to this dialog.
        const std::string& start = *reinterpret_cast<const std::string*>(startFolder);
        char current[MAX_PATH] = {};
        const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
        const char* selection = IsDirectory(start) ? start.c_str() : length > 0 && length < MAX_PATH ? current : nullptr;
        if (selection) SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(selection));
        return 0;
    }
    case BFFM_SELCHANGED: {
        char path[MAX_PATH] = {};
        const bool hasPath = SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
        SendMessageA(browser, BFFM_ENABLEOK, 0, hasPath);
        return 0;
    }
    case BFFM_VALIDATEFAILEDA:
        MessageBoxA(browser, LibraryText(IDS_NOT_A_FOLDER).c_str(), nullptr, MB_OK);
        return 1;
    default:
        return 0;
    }
}

}  // namespace

void DosPathLookup::SetMode(int mode, const std::string& text) {
    mode_ = mode;
    SetText(text);
}

bool DosPathLookup::CheckDirectory() {
    const std::optional<std::string> path = DirectoryOnDevice(Text(), StoredDevice(), AnsiLeadByte);
    bool valid = false;
    if (path) {
        const DWORD attributes = GetFileAttributesA(path->c_str());
        const bool writable = IsDirectoryWritable(*path);
        valid = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) && writable;
        if (valid) SetText(*path);
    }
    SetInvalid(!valid);
    return valid;
}

void DosPathLookup::SetInvalid(bool invalid) {
    valid_ = !invalid;
    if (const HWND parent = GetParent(Handle())) InvalidateRect(parent, nullptr, TRUE);
}

LRESULT DosPathLookup::ButtonClicked() {
    const std::string text = Text();
    std::string chosen = text;
    if (!valid_) SetInvalid(false);
    BrowseForDirectory(Handle(), mode_, chosen);
    if (chosen != text) SetText(chosen);
    return 0;
}

LRESULT DosPathLookup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYUP && wParam == VK_F4 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 &&
        GetKeyState(VK_MENU) >= 0) {
        ButtonClicked();
        return 0;
    }
    return FileEditCtrl::WindowProc(message, wParam, lParam);
}

bool IsDirectoryWritable(const std::string& directory) {
    _mkdir(directory.c_str());  // an existing directory is no failure
    // Deleted by the system when the handle goes, however closing fares.
    const UniqueFile file(CreateFileA((directory + kTestFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

void BrowseForDirectory(HWND owner, int mode, std::string& path) {
    IMalloc* rawAllocator = nullptr;
    if (FAILED(SHGetMalloc(&rawAllocator)) || !rawAllocator) return;
    const UniqueCom<IMalloc> allocator(rawAllocator);
    ComScope com;
    const std::string title = mode == DosPathLookup::kPlotDirectory  ? LibraryText(IDS_BROWSE_PLOT_DIRECTORY)
                              : mode == DosPathLookup::kCutDirectory ? LibraryText(IDS_BROWSE_CUT_DIRECTORY)
                                                                     : std::string();
    // A typed text may be relative ("CUTS"): the browser starts where the
    // check would put it, and selects it only when it exists.
    std::string start;
    if (!path.empty()) start = DirectoryOnDevice(path, StoredDevice(), AnsiLeadByte).value_or(std::string());
    start.resize(std::min<std::size_t>(start.size(), MAX_PATH - 1));
    char displayName[MAX_PATH] = {};
    BROWSEINFOA settings = {};
    settings.hwndOwner = owner;
    settings.pszDisplayName = displayName;
    settings.lpszTitle = title.c_str();
    settings.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_VALIDATE;
    settings.lpfn = &BrowserEvent;
    settings.lParam = reinterpret_cast<LPARAM>(&start);
    LPITEMIDLIST item = SHBrowseForFolderA(&settings);
    if (!item) return;
    char chosen[MAX_PATH] = {};
    if (SHGetPathFromIDListA(item, chosen)) path = UpperCaseAnsi(chosen, AnsiLeadByte);
    allocator.get()->Free(item);
}

}  // namespace optora
