#include "controls/size_rule.h"

namespace optora {

bool SizeCharacterRule::Passes(unsigned char c) const {
    if (c == '\r' || c == '\b') return true;
    if (isLeadByte && isLeadByte(c)) return true;
    if (c >= 0x80) return multiByteCodePage;
    const bool letterOrDigit = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    return letterOrDigit || c == '\\' || c == '/' || c == '-' || c == '_' || c == ' ';
}

}  // namespace optora
