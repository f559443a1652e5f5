#include <gtest/gtest.h>

#include <cmath>

#include "controls/amount_text.h"

using namespace optora;

namespace {
const NumberSymbols kDot{'.', '-'};
const NumberSymbols kComma{',', '-'};
}  // namespace

TEST(AmountText, ParsesOnlyAWholeNumberInTheUserSymbols) {
    // value: inches, or the percentage
    struct Case { const char* text; NumberSymbols symbols; bool imperial, percentAllowed; std::optional<double> value; };
    const Case cases[] = {
        {"0", kDot, true, false, 0.0},        {".0", kDot, true, false, std::nullopt},
        {"-0", kDot, true, false, std::nullopt}, {" 3/8 ", kDot, true, false, 0.375},
        {"3/0", kDot, true, false, std::nullopt}, {"1.5/2", kDot, true, false, std::nullopt},
        {"1,5/2", kComma, true, false, 0.75}, {"0,96", kComma, true, false, 0.96},
        {"0.96", kComma, true, false, std::nullopt}, {"2.54", kDot, false, false, 1.0},
        {"-.5", kDot, true, false, -0.5},     {"0.001", kDot, true, false, 0.001},
        {"1.2.3", kDot, true, false, std::nullopt}, {"0-5", kDot, true, false, std::nullopt},
        {"12a", kDot, true, false, std::nullopt}, {"1e5", kDot, true, false, std::nullopt},
        {"", kDot, true, false, std::nullopt}, {"-", kDot, true, false, std::nullopt},
        {"5%", kDot, false, true, 5.0},       {"5%", kDot, true, false, std::nullopt},
        {"1.23456789", kDot, true, false, 1.234568}, {std::string(400, '9').c_str(), kDot, true, false, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto amount = ParseAmount(c.text, c.symbols, c.imperial, c.percentAllowed);
        ASSERT_EQ(amount.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (amount) {
            EXPECT_DOUBLE_EQ(amount->value, *c.value) << '"' << c.text << '"';
        }
    }
    EXPECT_TRUE(ParseAmount("5%", kDot, false, true)->percent);
}

TEST(AmountText, FormatsInTheUnitAndPlacesAndNeverWraps) {
    struct Case { double value; bool percent, exact; AmountStyle style; NumberSymbols symbols; const char* text; };
    const Case cases[] = {
        {0.375, false, false, {2, false, 0}, kDot, "0.95"},
        {0.375, false, false, {2, true, 0}, kDot, "0.38"},
        {0.375, false, false, {0, false, 0}, kDot, "1"},
        {0.375, false, false, {2, true, 0}, kComma, "0,38"},
        {0.001, false, true, {2, true, 2}, kDot, "0.00"},
        {-0.001, false, false, {2, true, 0}, kDot, "0.00"},
        {-1.25, false, false, {1, true, 0}, {'.', '~'}, "~1.3"},
        {12.5, true, false, {1, true, 0}, kDot, "12.5%"},
        {0.375, false, false, {1000, true, 0}, kDot, "0.375000"},
        {0.375, false, false, {-3, true, 0}, kDot, "0"},
        {30000000.3, false, false, {2, true, 0}, kDot, "30000000.30"},  // would wrap rounded
        {1e308, false, false, {2, false, 0}, kDot, ""},
        {std::nan(""), false, false, {2, true, 0}, kDot, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatAmount({c.value, c.percent}, c.exact, c.style, c.symbols), c.text) << c.value;
    EXPECT_EQ(RoundToPrecision(30000000.3, 2), 30000000.3);
    EXPECT_EQ(RoundToPrecision(-2.5, 0), -3.0);
    EXPECT_EQ(LimitToSixDecimals(0.99999996), 1.0);
    EXPECT_EQ(LimitToSixDecimals(-1.23456789), -1.234568);
}

TEST(AmountText, ChecksTheRangeAndItsLimitsAsTheyAreShown) {
    const AmountRange inches{true, 0.0, 100.0};
    AmountStyle metric{2, false, ComputeDisplayDecimals(inches, false, 0)};
    EXPECT_EQ(metric.displayDecimals, 0);
    metric.displayDecimals = std::max(metric.displayDecimals, metric.precision);
    EXPECT_FALSE(CheckRange(*ParseAmount("300", kDot, false, false), inches, metric).inRange);
    EXPECT_EQ(FormatAmount({0.0}, true, metric, kDot), "0.00");
    EXPECT_EQ(FormatAmount({100.0}, true, metric, kDot), "254.00");

    const RangeCheck nearZero = CheckRange({0.001}, inches, {2, true, 2});
    EXPECT_TRUE(nearZero.inRange && nearZero.exact);
    EXPECT_FALSE(CheckRange({0.5}, inches, {2, true, 2}).exact);
    EXPECT_TRUE(CheckRange({-5.0}, {}, metric).inRange) << "no range set";
    EXPECT_FALSE(CheckRange({100.5, true}, inches, metric).inRange);
    for (const double limit : {0.0, 100.0}) EXPECT_TRUE(CheckRange({limit}, inches, metric).inRange) << limit;
    EXPECT_EQ(ComputeDisplayDecimals({true, 0.375, 1.5}, true, 0), 3);
    EXPECT_EQ(ComputeDisplayDecimals({true, 0.5, 1.0}, true, 0), 1);
}

TEST(AmountText, LetsOnlyNumberCharactersIn) {
    for (const auto& [c, percentAllowed, accepted] : {std::tuple{'7', false, true}, {'\b', false, true},
                                                       {'a', false, false}, {'%', false, false}, {'%', true, true},
                                                       {',', false, false}, {'/', false, false}, {'\r', false, false}})
        EXPECT_EQ(IsAmountChar(c, kDot, percentAllowed), accepted) << c;
    EXPECT_TRUE(IsAmountChar(',', kComma, false));
    EXPECT_FALSE(IsAmountText("12a", kDot, false));
    EXPECT_TRUE(IsAmountText("-12.5", kDot, false));
}
