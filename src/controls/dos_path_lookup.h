#pragma once
#include <windows.h>

#include <string>

#include "controls/file_edit_ctrl.h"

namespace optora {

// The output directory field of the cut and plot dialogs: a folder browser
// behind its button and F4, and a check that makes the typed text an
// absolute directory and proves it exists and takes files.
class DosPathLookup : public FileEditCtrl {
public:
    static constexpr int kPlotDirectory = 1, kCutDirectory = 2;

    DosPathLookup() : FileEditCtrl(false) {}

    void SetMode(int mode, const std::string& text);
    // On success the field shows the directory it checked.
    bool CheckDirectory();
    // Repaints the whole dialog, whose colour rule reads IsValid.
    void SetInvalid(bool invalid);
    bool IsValid() const { return valid_; }

    LRESULT ButtonClicked() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int mode_ = 0;
    bool valid_ = true;
};

// Creates the directory when it is missing (one level), then proves a file
// can be made in it; the test file never stays behind.
bool IsDirectoryWritable(const std::string& directory);

// The folder browser, started at path when that is a folder; a chosen folder
// comes back in upper case, a cancel leaves path as it was.
void BrowseForDirectory(HWND owner, int mode, std::string& path);

}  // namespace optora
