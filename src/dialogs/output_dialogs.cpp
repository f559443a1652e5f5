#include "dialogs/output_dialogs.h"

#include "frame/notifications.h"
#include "optora.h"

namespace optora {

void RefreshUntouched(HWND field, std::string& shown, const std::string& loaded) {
    if (ui::WindowText(field) != shown) return;
    SetWindowTextA(field, loaded.c_str());
    shown = ui::WindowText(field);
}

void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enable) {
    for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable);
}

void BroadcastOutputChange(HWND dialog) {
    for (const char* name : {OPTORA_MSG_CUTOPTIONS, OPTORA_MSG_PLOTOPTIONS})
        Broadcast(name, reinterpret_cast<WPARAM>(dialog), 0, kBroadcastDefault);
}

bool ExtensionCountRule(HWND dialog, int appendCountId, int extensionType, int& appendCount) {
    EnableWindow(GetDlgItem(dialog, appendCountId), extensionType != 1);
    if (extensionType != 1) return false;
    appendCount = 0;
    return true;
}

bool AppendCountRule(HWND dialog, int extensionCountId, int appendCount, int& extensionType) {
    EnableWindow(GetDlgItem(dialog, extensionCountId), !appendCount);
    if (!appendCount || extensionType != 1) return false;
    extensionType = 3;
    return true;
}

HBRUSH ColourControl(HWND dialog, UINT message, WPARAM dc, LPARAM control, bool rejected) {
    const auto brush = reinterpret_cast<HBRUSH>(DefWindowProcA(dialog, message, dc, control));
    if (rejected) SetTextColor(reinterpret_cast<HDC>(dc), RGB(255, 0, 0));
    return brush;
}

}  // namespace optora
