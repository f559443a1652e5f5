#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "controls/amount_text.h"
#include "ui/control.h"

namespace optora {

// Sent to the parent dialog and then to the control, wParam = the control's id.
constexpr UINT WM_AMOUNT_CHANGED = WM_USER + 100;  // a changed text was accepted
constexpr UINT WM_AMOUNT_INVALID = WM_USER + 101;  // the text was rejected, before the prompt

// How the control shows and takes its amount; DisplayDecimals is reported by
// GetSettings and ignored by SetSettings.
struct AmountEditSettings {
    int32_t Precision = 3;
    bool Imperial = true;
    bool NotifyOnChange = true;
    bool Required = true;
    bool PercentAllowed = false;
    bool PercentAlways = false;
    int32_t DisplayDecimals = 0;
};

// An edit for one length, kept in inches and shown in the user's notation
// (or a percentage). The text is checked when the user presses Enter or moves
// to another control of the dialog, except Cancel.
class CAmountEdit : public ui::SubclassedControl {
public:
    void GetSettings(AmountEditSettings& settings) const;
    void SetSettings(const AmountEditSettings& settings, bool refresh);

    void SetRange(double a, double b);
    bool GetRange(double& lower, double& upper) const;
    bool GetPercentRange(double& lower, double& upper) const;

    // Stores the value; shows it too once the control has a window.
    void SetValue(double value, int percent, bool exact);
    double GetValue() const { return amount_.value; }
    int IsPercent() const { return amount_.percent ? 1 : 0; }

    // Parses, checks and takes the text; false, after the prompt, when rejected.
    bool ValidateAmount();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool OnKeyDown(WPARAM key, LPARAM data);  // true when the key is swallowed
    void OnKillFocus(HWND next);
    bool PasteAllowed() const;
    bool IsFocusInSameDialog(HWND window) const;
    void Notify(UINT message);
    void Reject(const std::string& prompt);

    AmountStyle Style() const;
    std::string Text() const;
    bool Modified() const;

    Amount amount_;
    AmountRange range_;
    AmountEditSettings settings_;
};

// The user's decimal separator and negative sign, asked of the system.
NumberSymbols UserNumberSymbols();

}  // namespace optora
