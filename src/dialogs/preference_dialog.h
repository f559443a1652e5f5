#pragma once
#include <windows.h>

#include "dialogs/policy_locks.h"
#include "ui/control.h"
#include "ui/dialog.h"

namespace optora {

// Notation and precision, shown and edited; OK writes what changed and tells
// every application.
class CPreference : public ui::ModalDialog {
public:
    explicit CPreference(HWND owner = nullptr);

    // The values as the getters report them; need no window.
    int ReadNotation() const;
    int ReadPrecision() const;

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Load();
    // Writes the shown values that differ from the stored ones; true when
    // something was written.
    bool WriteChanges() const;

    ui::ComboBox precisionList_;
    int notation_ = -1;  // radio index: 0 Metric, 1 Imperial, -1 none
    PolicyLocks locks_{PolicyDialog::Preference};
};

}  // namespace optora
