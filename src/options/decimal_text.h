#pragma once
#include <string_view>

namespace optora {

// The decimal-prefix reading that stored texts have always had: leading
// blanks and one sign are accepted, reading stops at the first non-digit, and
// text without a leading number gives 0. Values beyond int saturate.
int DecimalPrefix(std::string_view text);

}  // namespace optora
