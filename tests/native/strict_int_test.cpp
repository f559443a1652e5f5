#include <gtest/gtest.h>

#include "strict_int.h"

TEST(StrictInt, AcceptsWholeSignedNumbersOnly) {
    int v = 99;
    EXPECT_TRUE(ParseStrictInt("0", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(ParseStrictInt("-3", v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(ParseStrictInt("+5", v));
    EXPECT_EQ(v, 5);
    EXPECT_TRUE(ParseStrictInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
}

TEST(StrictInt, RejectsWhatACommandLineShouldNotHalfRead) {
    int v = 99;
    for (const char* bad : {"", "+", "-", "3x", "x3", " 3", "3 ", "1.0", "2147483648", "++1", "+-1", "0x10"}) {
        EXPECT_FALSE(ParseStrictInt(bad, v)) << bad;
    }
    EXPECT_EQ(v, 99) << "a rejected argument must not change the value";
}
