#pragma once
#include <string_view>

// A whole command-line argument as a decimal int: optional sign, digits only,
// within range. Anything else is rejected rather than half-read.
bool ParseStrictInt(std::string_view text, int& out);
