#include "ui/data_exchange.h"

#include <cstdio>

#include "frame/library_text.h"
#include "res/dialog_layer_ids.h"
#include "ui/control.h"
#include "ui/dialog.h"
#include "ui/validation_text.h"
#include "ui/window_text.h"

namespace optora::ui {
namespace {

bool IsRadioButton(HWND control) {
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0) return false;
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

std::vector<HWND> GroupOf(HWND first) {
    std::vector<HWND> radios;
    for (HWND control = first; control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (control != first && (GetWindowLongA(control, GWL_STYLE) & WS_GROUP)) break;
        if (IsRadioButton(control)) radios.push_back(control);
    }
    return radios;
}

std::string Shown(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

HWND DataExchange::Item(int id) const { return dialog_.Item(id); }

std::string DataExchange::WindowText(int id) const { return ui::WindowText(Item(id)); }

void DataExchange::Reject(int id, UINT promptId, const std::vector<std::string>& values) {
    failed_ = true;
    dialog_.OnInvalidField(Item(id), FillPrompt(LibraryText(promptId), values));
}

void DataExchange::Control(int id, SubclassedControl& control) {
    if (Skip() || control.Handle()) return;
    control.Attach(Item(id));
}

void DataExchange::RadioGroup(int firstId, int& index) {
    if (Skip()) return;
    const std::vector<HWND> radios = GroupOf(Item(firstId));
    if (saving_) {
        index = -1;
        for (size_t i = 0; i < radios.size(); ++i)
            if (SendMessageA(radios[i], BM_GETCHECK, 0, 0) == BST_CHECKED) index = static_cast<int>(i);
        return;
    }
    for (size_t i = 0; i < radios.size(); ++i)
        SendMessageA(radios[i], BM_SETCHECK, static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DataExchange::Check(int id, int& state) {
    if (Skip()) return;
    if (saving_)
        state = static_cast<int>(SendMessageA(Item(id), BM_GETCHECK, 0, 0));
    else
        SendMessageA(Item(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

void DataExchange::Text(int id, std::string& text, size_t maxLength) {
    if (Skip()) return;
    if (!saving_) {
        if (maxLength) SendMessageA(Item(id), EM_LIMITTEXT, maxLength, 0);
        SetWindowTextA(Item(id), text.c_str());
        return;
    }
    std::string typed = WindowText(id);
    if (maxLength && typed.size() > maxLength) return Reject(id, IDS_PROMPT_TEXT_LENGTH, {std::to_string(maxLength)});
    text = std::move(typed);
}

void DataExchange::WholeNumber(int id, int& value) {
    if (Skip()) return;
    if (!saving_) {
        SetWindowTextA(Item(id), std::to_string(value).c_str());
        return;
    }
    const auto number = ParseWholeNumber(WindowText(id));
    if (!number) return Reject(id, IDS_PROMPT_INTEGER, {});
    value = *number;
}

void DataExchange::WholeNumber(int id, int& value, int minimum, int maximum) {
    if (Skip()) return;
    if (!saving_) return WholeNumber(id, value);
    const auto number = ParseWholeNumber(WindowText(id));
    if (!number || *number < minimum || *number > maximum)
        return Reject(id, IDS_PROMPT_INTEGER_RANGE, {std::to_string(minimum), std::to_string(maximum)});
    value = *number;
}

void DataExchange::DecimalNumber(int id, double& value) {
    if (Skip()) return;
    if (!saving_) {
        SetWindowTextA(Item(id), Shown(value).c_str());
        return;
    }
    const auto number = ParseDecimalNumber(WindowText(id));
    if (!number) return Reject(id, IDS_PROMPT_NUMBER, {});
    value = *number;
}

void DataExchange::DecimalNumber(int id, double& value, double minimum, double maximum) {
    if (Skip()) return;
    if (!saving_) return DecimalNumber(id, value);
    const auto number = ParseDecimalNumber(WindowText(id));
    if (!number || *number < minimum || *number > maximum)
        return Reject(id, IDS_PROMPT_NUMBER_RANGE, {Shown(minimum), Shown(maximum)});
    value = *number;
}

void DataExchange::ComboIndex(int id, int& index) {
    if (Skip()) return;
    if (saving_)
        index = static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
    else
        SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DataExchange::ComboText(int id, std::string& text) {
    if (Skip()) return;
    if (saving_) {
        text = WindowText(id);
        return;
    }
    const HWND combo = Item(id);
    const bool listOnly = (GetWindowLongA(combo, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST;
    const LRESULT found = SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (found == CB_ERR && !listOnly) SetWindowTextA(combo, text.c_str());
}

}  // namespace optora::ui
