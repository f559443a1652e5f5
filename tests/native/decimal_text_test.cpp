#include <gtest/gtest.h>

#include <climits>

#include "options/decimal_text.h"

using optora::DecimalPrefix;

TEST(DecimalPrefix, ReadsTheLeadingNumberLikeTheStoredTextsAlwaysWere) {
    EXPECT_EQ(DecimalPrefix("3"), 3);
    EXPECT_EQ(DecimalPrefix("-1"), -1);
    EXPECT_EQ(DecimalPrefix("+7"), 7);
    EXPECT_EQ(DecimalPrefix("  \t12"), 12);
    EXPECT_EQ(DecimalPrefix("12abc"), 12);
    EXPECT_EQ(DecimalPrefix("1.5"), 1);
}

TEST(DecimalPrefix, TextWithoutALeadingNumberIsZero) {
    EXPECT_EQ(DecimalPrefix(""), 0);
    EXPECT_EQ(DecimalPrefix("x"), 0);
    EXPECT_EQ(DecimalPrefix("-"), 0);
    EXPECT_EQ(DecimalPrefix("- 1"), 0);
    EXPECT_EQ(DecimalPrefix("\x01"), 0);
}

TEST(DecimalPrefix, HugeNumbersSaturateInsteadOfWrapping) {
    EXPECT_EQ(DecimalPrefix("2147483647"), INT_MAX);
    EXPECT_EQ(DecimalPrefix("-2147483648"), INT_MIN);
    EXPECT_EQ(DecimalPrefix("99999999999999999999999"), INT_MAX);
    EXPECT_EQ(DecimalPrefix("-99999999999999999999999"), INT_MIN);
}
