#include "store/item_name.h"

#include <cstring>

namespace optora {
namespace {

// Letters of the extended OEM set that item names have always allowed.
bool IsExtendedLetter(unsigned char c) { return c == 0x80 || c == 0x8E || c == 0x99 || c == 0x9A || c == 0xA5; }

// Lower-case letters pass too: whether they become upper case is the
// caller's choice.
bool AllowedByCharacterRule(unsigned char c) { return IsNameCharacter(AsciiUpper(c)); }

}  // namespace

// The C locale's classification, spelled out: the locale-dependent <cctype>
// calls would change their answer (and are undefined) for bytes above 127.
bool IsNameCharacter(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '_' ||
           IsExtendedLetter(c);
}

unsigned char AsciiUpper(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

bool IsItemSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view TrimItemSpace(std::string_view text) {
    while (!text.empty() && IsItemSpace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    while (!text.empty() && IsItemSpace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    return text;
}

std::string UpperCaseAnsi(std::string_view text, ItemName::LeadBytePredicate isLeadByte) {
    std::string upper(text);
    for (std::size_t i = 0; i < upper.size(); ++i) {
        const auto c = static_cast<unsigned char>(upper[i]);
        if (isLeadByte && isLeadByte(c))
            ++i;
        else
            upper[i] = static_cast<char>(AsciiUpper(c));
    }
    return upper;
}

ItemName::ItemName(std::string_view text, bool characterRule, bool upperCase, LeadBytePredicate isLeadByte) {
    const auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto isLead = [isLeadByte](unsigned char c) { return isLeadByte && isLeadByte(c); };

    // Only the first kMaxLength positions count as leading white space.
    std::size_t start = 0;
    while (start < text.size() && start < kMaxLength && IsItemSpace(at(start))) ++start;
    if (start == kMaxLength) return;
    text.remove_prefix(start);

    // Walk whole characters up to the limit; the name ends after the last
    // one that is not white space.
    std::size_t walked = 0;
    std::size_t length = 0;
    while (walked < text.size() && walked < kMaxLength) {
        if (isLead(at(walked)) && walked + 1 < text.size()) {
            if (walked + 2 > kMaxLength) break;
            walked += 2;
            length = walked;
        } else {
            if (!IsItemSpace(at(walked))) length = walked + 1;
            ++walked;
        }
    }

    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = at(i);
        if (isLead(c) && i + 1 < length) {
            text_[i] = static_cast<char>(c);
            text_[i + 1] = text[i + 1];
            ++i;
            continue;
        }
        if (upperCase) c = AsciiUpper(c);
        if (characterRule && !AllowedByCharacterRule(c)) c = '-';
        text_[i] = static_cast<char>(c);
    }
    // A lead byte whose second byte the text never had is half a character:
    // the database and every reader would take the terminator for it.
    if (length > 0 && isLead(at(length - 1))) {
        std::size_t i = 0;
        while (i < length - 1) i += isLead(at(i)) ? 2 : 1;
        if (i == length - 1) --length;
    }
    length_ = length;
    text_[length_] = '\0';
}

}  // namespace optora
