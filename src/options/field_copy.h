#pragma once
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace optora {

// Every text field of the records is a fixed array read in place by callers:
// a longer text is cut, and the field always ends in a zero.
template <std::size_t N>
void CopyField(char (&field)[N], std::string_view text) {
    static_assert(N > 0, "a field holds at least its terminator");
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

// The text as the field would hold it, for comparisons with the field.
template <std::size_t N>
std::string_view FieldFit(const char (&)[N], std::string_view text) {
    return text.substr(0, N - 1);
}

// What a field holds, even when a caller left it without a terminator.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N - 1));
}

}  // namespace optora
