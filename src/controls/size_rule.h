#pragma once
#include "options/item_name.h"

namespace optora {

// What the size-digitized field lets in: letters, digits, "\", "/", "-",
// "_" and a blank, with a carriage return and a backspace. In a multi-byte
// code page every byte from 0x80 up passes, since it may begin a character
// of the user's script; in a single-byte one only ASCII letters count.
struct SizeCharacterRule {
    ItemName::LeadBytePredicate isLeadByte = nullptr;
    bool multiByteCodePage = false;

    bool Passes(unsigned char c) const;
};

}  // namespace optora
