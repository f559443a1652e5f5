#pragma once
#include <string>
#include <string_view>

#include "store/item_name.h"

namespace optora {

// What the item-name fields let in: the name characters, a carriage return
// and a backspace. In a multi-byte code page every byte from 0x80 up passes,
// since it may begin a character of the user's script.
struct NameFilterRule {
    ItemName::LeadBytePredicate isLeadByte = nullptr;
    bool multiByteCodePage = false;

    // The first byte of a typed or pasted character, after upper-casing.
    bool Passes(unsigned char c) const;
};

// A pasted text as the field takes it: at most its first 259 bytes, upper
// case, with the characters the rule refuses left out (a double-byte
// character is one character). `removed` tells whether any were.
std::string FilterPastedName(std::string_view text, const NameFilterRule& rule, bool& removed);

}  // namespace optora
