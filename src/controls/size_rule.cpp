#include "controls/size_rule.h"

namespace optora {

bool SizeCharacterPasses(unsigned char c, const NameFilterRule& codePage) {
    if (c == '\r' || c == '\b') return true;
    if (codePage.isLeadByte && codePage.isLeadByte(c)) return true;
    if (c >= 0x80) return codePage.multiByteCodePage;
    const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    return letterOrDigit || c == '\\' || c == '/' || c == '-' || c == '_' || c == ' ';
}

}  // namespace optora
