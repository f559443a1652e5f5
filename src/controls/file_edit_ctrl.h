#pragma once
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "controls/fec_file_dialog.h"
#include "controls/file_list.h"
#include "ui/control.h"

namespace optora {

namespace ui {
class DataExchange;
}

enum FileEditFlags : uint32_t {
    BrowseOpenFile = 0x0001,
    AllowMultiple = 0x0002,
    BrowseFolder = 0x0004,
    FolderTrailingSlash = 0x0008,
    ButtonLeft = 0x0010,
    ButtonTip = 0x0020,
    TextTip = 0x0040,
    ExpandWildcards = 0x0080,
    KeepShortcuts = 0x0100,
    FlatButton = 0x0400,
    GreyDots = 0x0800,
    BrowseSaveFile = 0x1000,
    CustomBrowse = 0x2000,
};

// WM_NOTIFY codes a file edit field sends its parent (wParam: its id). A
// non-zero answer takes over: the browse is not run, or the text not set.
enum FileEditNotification : UINT { BeforeBrowse = 1, AfterBrowse = 2, AfterDrop = 3 };

class FileEditCtrl;

struct FileEditNotify {
    NMHDR hdr;
    FileEditCtrl* control;
    std::string* newText;  // null before a browse and after a cancelled one
};

// Flags that contradict each other, met where a dialog attaches the field.
class FileEditFlagsRefused : public std::invalid_argument {
public:
    FileEditFlagsRefused() : std::invalid_argument("file edit flags refused") {}
};

// A single-line edit holding file or folder names, with a browse button in
// its own border; files dropped from the shell fill it, shortcuts are
// followed to their targets.
class FileEditCtrl : public ui::SubclassedControl {
public:
    // Button states; kFlat is added while a flat field is inactive.
    static constexpr int kUp = 1, kPressed = 2, kDisabled = 4, kFlat = 8;

    explicit FileEditCtrl(bool autoDelete = false);
    ~FileEditCtrl() override;

    // An "EDIT" window with these flags; false, with no window left, when the
    // flags are refused.
    virtual bool Create(uint32_t flags, DWORD exStyle, const char* windowName, DWORD style, const RECT& rect,
                        HWND parent, int id);
    // The browse action behind the button and Ctrl+period.
    virtual LRESULT ButtonClicked();

    uint32_t GetFlags() const;
    // Exactly one of BrowseFolder, BrowseOpenFile, BrowseSaveFile and
    // CustomBrowse; anything else is refused and changes nothing.
    bool SetFlags(uint32_t flags);

    // The chosen paths: 0 is the end.
    size_t GetStartPosition();
    std::string GetNextPathName(size_t& position);

    void SetTextTip(const std::string& tip) { textTip_ = tip; }
    // The file dialog while a file mode is set, for an owner's own presets.
    CFECFileDialog* FileDialog() { return fileDialog_.get(); }
    const RECT& ButtonRect() const { return button_; }  // window coordinates
    int ButtonState() const { return buttonState_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnWindowGone() override;

    std::string Text() const;
    void SetText(const std::string& text);
    LRESULT Notify(UINT code, std::string* newText);

private:
    bool FileMode() const { return (flags_ & (BrowseOpenFile | BrowseSaveFile)) != 0; }
    FileListRules Rules() const;
    std::string FirstPath();

    LRESULT BrowseForFolder();
    LRESULT BrowseForFile();
    static int CALLBACK FolderBrowserEvent(HWND browser, UINT event, LPARAM, LPARAM data);
    void ConfigureFileDialog();
    void RecalculateFrame();

    void OnNcCalcSize(RECT& proposed, const RECT& window);
    LRESULT OnNcHitTest(LPARAM lParam);
    void OnNcPaint(WPARAM region);
    void OnDropFiles(HDROP drop);
    bool OverButton(POINT window) const;
    POINT ClientToWindow(LPARAM lParam) const;
    void Press();
    void OnMouseMove(LPARAM lParam);
    void OnButtonRelease(LPARAM lParam);
    void StopTracking();
    void UpdateFlatState();
    void DrawButton(int state);
    void DrawDots(HDC dc, int width, int height, int state) const;
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnTooltipText(NMHDR* header);

    bool autoDelete_;
    int buttonSide_ = -1;
    bool pressed_ = false;
    bool tracking_ = false;  // a flat field holds the mouse while it hovers
    bool textChanged_ = true;
    uint32_t flags_ = 0;
    FileList list_;
    std::string parsedText_;
    int buttonState_ = kUp;
    std::unique_ptr<BROWSEINFOA> folderSettings_;
    std::unique_ptr<CFECFileDialog> fileDialog_;
    RECT button_ = {};
    std::string dialogTitle_;
    std::string textTip_;
    HWND tooltip_ = nullptr;
};

// Attaches the field to the dialog's edit on the first exchange (refused
// flags throw FileEditFlagsRefused); later saving exchanges refresh its list.
void DDX_FileEditCtrl(ui::DataExchange& exchange, int id, FileEditCtrl& control, uint32_t flags);

}  // namespace optora
