#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "options/decimal_text.h"

using optora::DecimalPrefix;

// The leading number, as the stored texts were always read; none is 0, and a
// huge one saturates instead of wrapping.
TEST(DecimalPrefix, ReadsTheLeadingNumber) {
    const std::pair<const char*, int> cases[] = {
        {"3", 3},   {"-1", -1}, {"+7", 7},  {"  \t12", 12}, {"12abc", 12}, {"1.5", 1},
        {"", 0},    {"x", 0},   {"-", 0},   {"- 1", 0},     {"\x01", 0},
        {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"99999999999999999999999", INT_MAX}, {"-99999999999999999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(DecimalPrefix(text), value) << '"' << text << '"';
}
