#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace optora::ui {

class ModalDialog;
class SubclassedControl;

// One pass of data exchange between a dialog's controls and its members, in
// the direction given at construction. The first rejected field shows its
// prompt and ends the pass: later bindings are skipped.
class DataExchange {
public:
    DataExchange(ModalDialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}
    DataExchange(const DataExchange&) = delete;
    DataExchange& operator=(const DataExchange&) = delete;

    bool Saving() const { return saving_; }
    bool Failed() const { return failed_; }

    // Attaches the control object to the template's control, once.
    void Control(int id, SubclassedControl& control);

    // The radio buttons from firstId up to the next control that starts a
    // group, counted in template order; -1 when none is checked.
    void RadioGroup(int firstId, int& index);
    void Check(int id, int& state);  // BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE
    // maxLength 0: any length; otherwise also limits typing.
    void Text(int id, std::string& text, size_t maxLength = 0);
    void WholeNumber(int id, int& value);
    void WholeNumber(int id, int& value, int minimum, int maximum);
    void DecimalNumber(int id, double& value);
    void DecimalNumber(int id, double& value, double minimum, double maximum);
    void ComboIndex(int id, int& index);           // -1: nothing selected
    void ComboText(int id, std::string& text);     // loading selects the first item beginning with text

private:
    HWND Item(int id) const;
    bool Skip() const { return failed_; }
    void Reject(int id, UINT promptId, const std::vector<std::string>& values);
    std::string WindowText(int id) const;

    ModalDialog& dialog_;
    bool saving_;
    bool failed_ = false;
};

}  // namespace optora::ui
