#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "controls/lbut_combo_box.h"
#include "ui/dialog.h"

namespace optora {

// The suite-wide grade method, stored under the rule-table key as the display
// text of the method (in the language in use when it was saved).
class CGradeOptionsDlg : public ui::ModalDialog {
public:
    explicit CGradeOptionsDlg(HWND owner = nullptr, int readOnly = 0);

    // Finds the stored method (selecting it when the list exists); writes the
    // first method when none is stored and then says true.
    bool Read();
    // Stores the text of the method at index (empty for any other index);
    // when announce is set and the text was written, tells the suite.
    void Save(int index, bool announce);
    // The setter's path: no dialog marks a change, so the stored text decides.
    void SaveIfChanged(int index);

    int GradeIndex() const { return gradeIndex_; }

protected:
    void DoDataExchange(ui::DataExchange& exchange) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    static std::array<std::string, 3> MethodTexts();
    static std::string MethodText(int index);

    CLButComboBox methodList_;
    bool changed_ = false;
    int gradeIndex_ = 0;
    int readOnly_ = 0;
};

}  // namespace optora
