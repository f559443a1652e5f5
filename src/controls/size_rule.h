#pragma once
#include "controls/name_filter.h"

namespace optora {

// What the size-digitized field lets in: letters, digits, "\", "/", "-",
// "_" and a blank, with a carriage return and a backspace. It judges the code
// page as the name filter does: in a multi-byte code page every byte from
// 0x80 up passes, since it may begin a character of the user's script; in a
// single-byte one only ASCII letters count.
bool SizeCharacterPasses(unsigned char c, const NameFilterRule& codePage);

}  // namespace optora
