#pragma once

namespace optora {

// The suite-wide alteration preference: an integer the library stores and
// returns without giving it a meaning.
int ReadAlteration();             // 0 when unset, 1 when the key cannot be opened or created
void WriteAlteration(int value);  // writes and tells other applications only on a change

}  // namespace optora
