#include <gtest/gtest.h>

#include "ui/validation_text.h"

using namespace optora::ui;

TEST(FieldText, WholeNumbersAreTheWholeFieldWithinInt) {
    EXPECT_EQ(ParseWholeNumber(" 10 "), 10);
    EXPECT_EQ(ParseWholeNumber("-7"), -7);
    EXPECT_EQ(ParseWholeNumber("+3"), 3);
    EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(ParseWholeNumber("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "-", "1x", "x1", "1 2", "2147483648", "-2147483649", "99999999999999999999",
                            "1.0", "--1"})
        EXPECT_FALSE(ParseWholeNumber(bad)) << "'" << bad << "'";
}

TEST(FieldText, DecimalNumbersRejectWhatALengthIsNot) {
    EXPECT_DOUBLE_EQ(*ParseDecimalNumber(" -0.75"), -0.75);
    EXPECT_DOUBLE_EQ(*ParseDecimalNumber("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(*ParseDecimalNumber(".5"), 0.5);
    for (const char* bad : {"", "1,5", "0x10", "inf", "nan", "1e999", "1.2.3", "abc", "-"})
        EXPECT_FALSE(ParseDecimalNumber(bad)) << "'" << bad << "'";
    EXPECT_FALSE(ParseDecimalNumber(std::string(100, '1')));
}

TEST(FieldText, PromptsFillNumberedMarkersInAnyOrder) {
    EXPECT_EQ(FillPrompt("between %1 and %2.", {"1", "10"}), "between 1 and 10.");
    EXPECT_EQ(FillPrompt("%2 .. %1", {"a", "b"}), "b .. a");
    EXPECT_EQ(FillPrompt("%3 missing, %s and %d stay, 100%", {"x"}), " missing, %s and %d stay, 100%");
    EXPECT_EQ(FillPrompt("", {"x"}), "");
}
