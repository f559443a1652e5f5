#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/file_edit_ctrl.h"
#include "store/unique_resource.h"

namespace optora {

// Sent to the application's main window after a choice or a saved notice:
// lParam points to a COPYDATASTRUCT whose text is "device;area".
constexpr UINT WM_STORAGE_AREA_CHOSEN = 0x1500;
// Sent to the field's parent after its text came from a choice or a saved
// notice: wParam is the field's id.
constexpr UINT WM_LOOKUP_UPDATED = 0x1501;

// A field naming one item of a storage area (a parameter table, a model, an
// order...). Its button and F4 run the storage-area chooser; F2, a double
// click and its context menu open the item in the sibling program that edits
// it; an editor's "DataItemSaved" notice puts the saved item's name in it.
class StorageAreaLookup : public FileEditCtrl {
public:
    StorageAreaLookup();

    void SetType(uint32_t typeFlags, const std::string& text);
    LRESULT ButtonClicked() override;
    void OpenItem(const std::string& name, bool viaMarlow, bool letterM, bool addNew, bool addOptions);

    const std::string& Device() const { return device_; }
    const std::string& Area() const { return area_; }
    const std::string& TypeName() const { return typeName_; }

    // The context menu as a right click would show it now; popup is null
    // when there is no menu to show.
    struct ContextMenu {
        UniqueMenu menu;
        HMENU popup = nullptr;
    };
    ContextMenu BuildContextMenu() const;
    void RunMenuCommand(UINT command);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowContextMenu(POINT screen);
    LRESULT OnCopyData(const COPYDATASTRUCT* block);
    void TellChosen(const std::string& device, const std::string& area);

    std::string device_;
    std::string area_;
    std::string browserTitle_;
    std::string typeName_;
    std::string marlow_;
    int typeIndex_ = 0;
    uint32_t typeFlags_ = 0;
    UINT savedNoticeId_;
};

}  // namespace optora
