#include "controls/size_digitized_edit.h"

#include "controls/size_rule.h"

namespace optora {
namespace {

bool AnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

const SizeCharacterRule& Rule() {
    static const SizeCharacterRule rule = [] {
        CPINFO info = {};
        return SizeCharacterRule{AnsiLeadByte, GetCPInfo(GetACP(), &info) && info.MaxCharSize != 1};
    }();
    return rule;
}

}  // namespace

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
        passes = (GetKeyState(VK_CONTROL) < 0 && c < 0x20) || Rule().Passes(c);
    return passes ? Default(message, wParam, lParam) : 0;
}

}  // namespace optora
