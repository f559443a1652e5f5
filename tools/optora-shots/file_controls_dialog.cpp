#include "file_controls_dialog.h"

#include "controls/file_choice.h"

namespace optora {

void FileControlsDialog::DoDataExchange(ui::DataExchange& x) {
    const uint32_t editFlags[] = {BrowseOpenFile | AllowMultiple | ButtonTip,
                                  BrowseFolder | FolderTrailingSlash | FlatButton | GreyDots, BrowseOpenFile,
                                  BrowseFolder | FlatButton | ButtonLeft};
    for (int i = 0; i < 4; ++i) DDX_FileEditCtrl(x, kFiles + i, edits[i], editFlags[i]);
    for (int i = 0; i < 4; ++i) DDX_FileEditCtrl(x, kLookup + i, lookups[i], CustomBrowse | (i == 1 ? FlatButton : 0u));
    DDX_FileEditCtrl(x, kStorageItem, storage, CustomBrowse);
}

bool FileControlsDialog::OnInitDialog() {
    ModalDialog::OnInitDialog();
    const char* texts[] = {"C:\\data\\a.txt; b.txt", "C:\\userroot\\", "C:\\data\\c.txt", "C:\\"};
    for (int i = 0; i < 4; ++i) SetWindowTextA(edits[i].Handle(), texts[i]);
    for (int i = 0; i < 4; ++i)
        lookups[i].SetMode(i % 2 ? DosPathLookup::kCutDirectory : DosPathLookup::kPlotDirectory, "C:\\userroot\\plots");
    lookups[3].SetInvalid(true);
    storage.SetType(file_choice::kModels, "BLOUSE-01");
    return true;
}

bool FileControlsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CTLCOLOREDIT) return false;
    for (const DosPathLookup& lookup : lookups)
        if (lookup.Handle() == reinterpret_cast<HWND>(lParam) && !lookup.IsValid()) {
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 0, 0));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            return true;
        }
    return false;
}

}  // namespace optora
