#pragma once
#include "controls/dos_path_lookup.h"
#include "controls/storage_area_lookup.h"
#include "ui/dialog.h"

namespace optora {

// The file controls in every look (file_controls.rc): file and folder fields
// (701-704), directory lookups (711-714, the last marked invalid) and a
// storage-area item (721). The file controls have no dialog of the library
// yet; this one is driven by their tests and pictured by optora-shots.
class FileControlsDialog : public ui::ModalDialog {
public:
    static constexpr const char* kCaption = "File Controls Test";
    static constexpr int kFiles = 701, kFlatFolder = 702, kLookup = 711, kInvalidLookup = 714, kStorageItem = 721;

    FileControlsDialog() : ModalDialog(700, nullptr) {}

    FileEditCtrl edits[4];
    DosPathLookup lookups[4];
    StorageAreaLookup storage;

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    // Invalid directories show red.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace optora
