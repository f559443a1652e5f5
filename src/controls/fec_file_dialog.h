#pragma once
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

namespace optora {

// The common open or save dialog of the file edit field. A multiple
// selection longer than the name buffer is kept from the dialog's own
// controls while it is made, so it is not lost when the dialog reports the
// buffer too small.
class CFECFileDialog {
public:
    CFECFileDialog(bool openDialog, DWORD flags, HWND parent);
    CFECFileDialog(const CFECFileDialog&) = delete;
    CFECFileDialog& operator=(const CFECFileDialog&) = delete;

    bool IsOpenDialog() const { return open_; }
    void SetOpenDialog(bool open) { open_ = open; }
    OPENFILENAMEA& Options() { return options_; }
    const OPENFILENAMEA& Options() const { return options_; }

    void SetTitle(const std::string& title) { title_ = title; }
    void SetInitialName(const std::string& name);
    // Empty: the system's choice.
    void SetInitialDirectory(const std::string& directory) { initialDirectory_ = directory; }
    const std::string& InitialDirectory() const { return initialDirectory_; }

    // IDOK or IDCANCEL.
    INT_PTR DoModal();

    // The chosen files, full paths, in the dialog's order.
    size_t GetStartPosition() const;  // 0 when nothing was chosen
    std::string GetNextPathName(size_t& position) const;

private:
    static UINT_PTR CALLBACK Hook(HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    void OnSelectionChange(HWND dialog);
    std::vector<std::string> Chosen() const;

    bool open_;
    OPENFILENAMEA options_ = {};
    std::vector<char> names_;
    std::string title_;
    std::string initialDirectory_;
    // The selection as the dialog's controls showed it, when it outgrew names_.
    std::optional<std::string> ownNames_, ownFolder_;
};

}  // namespace optora
