#include "controls/amount_edit.h"

#include <algorithm>
#include <cstring>

#include "frame/library_text.h"
#include "res/dialog_layer_ids.h"
#include "ui/dialog.h"
#include "ui/validation_text.h"
#include "ui/window_text.h"

namespace optora {
namespace {

// Copy, paste, cut and undo arrive as control characters; they put nothing
// into the text themselves, and a paste is filtered on its own.
bool IsClipboardKey(WPARAM c) { return c == 0x03 || c == 0x16 || c == 0x18 || c == 0x1A; }

bool IsRepeat(LPARAM keyData) { return (keyData & (LPARAM{1} << 30)) != 0; }

}  // namespace

NumberSymbols UserNumberSymbols() {
    NumberSymbols symbols;
    char decimal[10] = ".", sign[10] = "-";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal) > 0 && decimal[0])
        symbols.decimal = decimal[0];
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SNEGATIVESIGN, sign, sizeof sign) > 0 && sign[0])
        symbols.negative = sign[0];
    return symbols;
}

void CAmountEdit::GetSettings(AmountEditSettings& settings) const { settings = settings_; }

void CAmountEdit::SetSettings(const AmountEditSettings& settings, bool refresh) {
    if (settings.Precision != settings_.Precision || settings.Imperial != settings_.Imperial) {
        if (settings.Imperial != settings_.Imperial) {
            settings_.Imperial = settings.Imperial;
            settings_.DisplayDecimals = ComputeDisplayDecimals(range_, settings_.Imperial, 0);
        }
        settings_.Precision = settings.Precision;
        settings_.DisplayDecimals = std::max(settings_.DisplayDecimals, settings_.Precision);
        if (refresh) SetValue(amount_.value, IsPercent(), false);
    }
    settings_.NotifyOnChange = settings.NotifyOnChange;
    settings_.Required = settings.Required;
    settings_.PercentAllowed = settings.PercentAllowed;
    settings_.PercentAlways = settings.PercentAlways;
}

void CAmountEdit::SetRange(double a, double b) {
    range_ = {true, std::min(a, b), std::max(a, b)};
    settings_.DisplayDecimals = ComputeDisplayDecimals(range_, settings_.Imperial, settings_.DisplayDecimals);
}

bool CAmountEdit::GetRange(double& lower, double& upper) const {
    lower = range_.lower;
    upper = range_.upper;
    return range_.set;
}

bool CAmountEdit::GetPercentRange(double& lower, double& upper) const {
    lower = kPercentLower;
    upper = kPercentUpper;
    return range_.set;
}

void CAmountEdit::SetValue(double value, int percent, bool exact) {
    amount_ = {value, percent == 1};
    if (Handle()) SetWindowTextA(Handle(), FormatAmount(amount_, exact, Style(), UserNumberSymbols()).c_str());
}

bool CAmountEdit::ValidateAmount() {
    std::string text = Text();
    if (settings_.PercentAlways && !text.empty() && text.find('%') == std::string::npos) text += '%';
    if (!settings_.Required && text.empty()) return true;

    const NumberSymbols symbols = UserNumberSymbols();
    const auto amount = ParseAmount(text, symbols, settings_.Imperial, settings_.PercentAllowed);
    if (!amount) {
        Reject(LibraryText(IDS_PROMPT_NUMBER));
        return false;
    }
    const RangeCheck check = CheckRange(*amount, range_, Style());
    if (!check.inRange) {
        const bool percent = amount->percent;
        const auto shown = [&](double limit) { return FormatAmount({limit, percent}, true, Style(), symbols); };
        const std::string lower = shown(percent ? kPercentLower : range_.lower);
        const std::string upper = shown(percent ? kPercentUpper : range_.upper);
        Reject(ui::FillPrompt(LibraryText(IDS_PROMPT_NUMBER_RANGE), {lower, upper}));
        return false;
    }
    if (Modified()) {
        SetValue(amount->value, amount->percent ? 1 : 0, check.exact);
        if (settings_.NotifyOnChange) Notify(WM_AMOUNT_CHANGED);
    }
    Send(EM_SETMODIFY, FALSE);
    return true;
}

LRESULT CAmountEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // Enter and Escape are ours: the dialog must not take them for OK and Cancel.
        LRESULT code = Default(message, wParam, lParam);
        const auto* keyMessage = reinterpret_cast<const MSG*>(lParam);
        if (keyMessage && keyMessage->message == WM_KEYDOWN &&
            (keyMessage->wParam == VK_RETURN || keyMessage->wParam == VK_ESCAPE))
            code |= DLGC_WANTMESSAGE;
        return code;
    }
    case WM_KEYDOWN:
        if (OnKeyDown(wParam, lParam)) return 0;
        break;
    case WM_CHAR:
        if (IsClipboardKey(wParam)) break;
        if (wParam > 0xFF || !IsAmountChar(static_cast<char>(wParam), UserNumberSymbols(), settings_.PercentAllowed))
            return 0;
        break;
    case WM_PASTE:
        if (!PasteAllowed()) return 0;
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = Default(message, wParam, lParam);
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return result;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

bool CAmountEdit::OnKeyDown(WPARAM key, LPARAM data) {
    if (key != VK_RETURN && key != VK_ESCAPE) return false;
    if (IsRepeat(data)) return true;
    if (key == VK_RETURN) {
        if (Modified()) ValidateAmount();
        return true;
    }
    // Escape empties the field first, then brings back the stored value.
    if (!Text().empty()) {
        SetWindowTextA(Handle(), "");
        Send(EM_SETMODIFY, TRUE);
    } else {
        SetValue(amount_.value, IsPercent(), false);
        Send(EM_SETMODIFY, FALSE);
    }
    return true;
}

void CAmountEdit::OnKillFocus(HWND next) {
    if (Modified() && IsFocusInSameDialog(next) && GetDlgCtrlID(next) != IDCANCEL) ValidateAmount();
}

bool CAmountEdit::PasteAllowed() const {
    if (!OpenClipboard(Handle())) return false;
    bool found = false;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* locked = static_cast<const char*>(GlobalLock(data))) {
            found = true;
            text.assign(locked, strnlen(locked, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return found && IsAmountText(text, UserNumberSymbols(), settings_.PercentAllowed);
}

bool CAmountEdit::IsFocusInSameDialog(HWND window) const {
    const HWND parent = GetParent(Handle());
    if (!window || !parent) return false;
    if (IsChild(parent, window)) return true;
    // On a property page, the sheet's own buttons and tabs belong to the dialog too.
    const bool page = (GetWindowLongA(parent, GWL_STYLE) & WS_CHILD) != 0;
    return page && GetParent(window) == GetParent(parent);
}

void CAmountEdit::Notify(UINT message) {
    const WPARAM id = static_cast<WPARAM>(Id());
    SendMessageA(GetParent(Handle()), message, id, 0);
    if (Handle()) Send(message, id, 0);
}

void CAmountEdit::Reject(const std::string& prompt) {
    Notify(WM_AMOUNT_INVALID);
    ui::PromptInvalidField(GetParent(Handle()), Handle(), prompt);
}

AmountStyle CAmountEdit::Style() const { return {settings_.Precision, settings_.Imperial, settings_.DisplayDecimals}; }

std::string CAmountEdit::Text() const { return ui::WindowText(Handle()); }

bool CAmountEdit::Modified() const { return Send(EM_GETMODIFY) != 0; }

}  // namespace optora
