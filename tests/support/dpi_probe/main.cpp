// dpi_probe LIBRARY: prints "dpi N" (the screen's), then a line for each label, check box or radio
// button of the library's dialogs whose text, run-time ones included, is wider than the control.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Texts a dialog shows in place of its template's: dialog, control, strings.
const struct { UINT dialog; int control; UINT strings[2]; } kRunTimeTexts[] = {
    {103, 26032, {26025, 26027}}, {103, 26033, {26021, 26023}}, {120, 28014, {28017, 28018}}};

struct Probe { HMODULE module; UINT dialog; int dpi; };

INT_PTR CALLBACK Quiet(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

BOOL CALLBACK Measure(HWND control, LPARAM lParam) {
    const Probe& probe = *reinterpret_cast<const Probe*>(lParam);
    char cls[32] = "";
    GetClassNameA(control, cls, sizeof cls);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG kind = style & BS_TYPEMASK;
    const bool label = _stricmp(cls, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
    const bool check = _stricmp(cls, "Button") == 0 &&
                       (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                        kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE);
    if (!label && !check) return TRUE;
    char shown[512] = "";
    GetWindowTextA(control, shown, sizeof shown);
    std::vector<std::string> texts = {shown};
    for (const auto& runTime : kRunTimeTexts)
        if (runTime.dialog == probe.dialog && runTime.control == GetDlgCtrlID(control))
            for (UINT id : runTime.strings) {
                char text[256] = "";
                LoadStringA(probe.module, id, text, sizeof text);
                texts.push_back(text);
            }
    RECT client;
    GetClientRect(control, &client);
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const int glyph = check ? GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(3, probe.dpi, 96) : 0;
    for (const std::string& text : texts) {
        RECT needed = {0, 0, 0, 0};
        DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        if (needed.right + glyph > client.right)
            std::printf("%u:%d \"%s\" needs %ld pixels, has %ld\n", probe.dialog, GetDlgCtrlID(control), text.c_str(),
                        needed.right + glyph, client.right);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return TRUE;
}

BOOL CALLBACK OpenDialog(HMODULE module, LPCSTR, LPSTR name, LONG_PTR dpi) {
    if (!IS_INTRESOURCE(name)) return TRUE;
    Probe probe{module, LOWORD(name), static_cast<int>(dpi)};
    const HWND dialog = CreateDialogParamA(module, name, nullptr, &Quiet, 0);
    if (!dialog) {
        std::printf("%u does not open\n", probe.dialog);
        return TRUE;
    }
    EnumChildWindows(dialog, &Measure, reinterpret_cast<LPARAM>(&probe));
    DestroyWindow(dialog);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const HMODULE module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 1;
    const int dpi = GetDeviceCaps(GetDC(nullptr), LOGPIXELSX);
    std::printf("dpi %d\n", dpi);
    EnumResourceNamesA(module, RT_DIALOG, &OpenDialog, dpi);
    return 0;
}
