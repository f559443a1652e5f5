#include "strict_int.h"

#include <charconv>

bool ParseStrictInt(std::string_view text, int& out) {
    // from_chars takes a minus but no plus; a plus must not let "+-1" through.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') return false;
    }
    if (text.empty()) return false;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    out = value;
    return true;
}
