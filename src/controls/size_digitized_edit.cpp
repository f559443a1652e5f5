#include "controls/size_digitized_edit.h"

#include "controls/edit_filter.h"
#include "controls/size_rule.h"
#include "options/ansi_lead_byte.h"

namespace optora {

LRESULT CSizeDigitizedEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR) return Default(message, wParam, lParam);
    const unsigned char c = static_cast<unsigned char>(wParam);
    bool passes = true;
    if (secondBytePending_)
        secondBytePending_ = false;
    else if (AnsiLeadByte(c))
        secondBytePending_ = true;
    else
        // Ctrl+C, Ctrl+V and the like arrive as control characters.
        passes = (GetKeyState(VK_CONTROL) < 0 && c < 0x20) || SizeCharacterPasses(c, AnsiNameFilterRule());
    return passes ? Default(message, wParam, lParam) : 0;
}

}  // namespace optora
