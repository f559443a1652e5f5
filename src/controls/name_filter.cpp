#include "controls/name_filter.h"

namespace optora {

bool NameFilterRule::Passes(unsigned char c) const {
    if (c == '\r' || c == '\b' || c == 0) return true;
    if (isLeadByte && isLeadByte(c)) return true;
    if (c >= 0x80 && multiByteCodePage) return true;
    return IsNameCharacter(c);
}

std::string FilterPastedName(std::string_view text, const NameFilterRule& rule, bool& removed) {
    constexpr std::size_t kPasteLimit = 259;  // older callers took the clipboard into 260 bytes
    text = text.substr(0, kPasteLimit);
    text = text.substr(0, text.find('\0'));
    removed = false;
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (rule.isLeadByte && rule.isLeadByte(c)) {
            // Kept whole, its second byte never judged alone; a lead byte the
            // cut left without its second byte is half a character.
            if (i + 1 < text.size()) kept.append(text.substr(i, 2));
            removed |= i + 1 >= text.size();
            ++i;
        } else if (rule.Passes(AsciiUpper(c))) {
            kept += static_cast<char>(AsciiUpper(c));
        } else {
            removed = true;
        }
    }
    return kept;
}

}  // namespace optora
