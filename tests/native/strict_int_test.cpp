#include <gtest/gtest.h>

#include <utility>

#include "strict_int.h"

TEST(StrictInt, AcceptsWholeSignedNumbersOnly) {
    int v = 99;
    const std::pair<const char*, int> good[] = {{"0", 0}, {"-3", -3}, {"+5", 5}, {"-2147483648", INT32_MIN}};
    for (const auto& [text, value] : good) {
        EXPECT_TRUE(ParseStrictInt(text, v)) << text;
        EXPECT_EQ(v, value) << text;
    }
    v = 99;
    for (const char* bad : {"", "+", "-", "3x", "x3", " 3", "3 ", "1.0", "2147483648", "++1", "+-1", "0x10"})
        EXPECT_FALSE(ParseStrictInt(bad, v)) << bad;
    EXPECT_EQ(v, 99) << "a rejected argument must not change the value";
}
