// Files dropped from the shell: as many as the mode takes, shortcuts followed
// where the field resolves them.
#include "controls/file_edit_ctrl.h"

#include <vector>

#include "controls/shell_files.h"

namespace optora {


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

}  // namespace optora
