#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace optora {

// How amounts are read and written: lengths are kept in inches and shown in
// inches or centimetres, percentages as they are.
inline constexpr double kCentimetresPerInch = 2.54;
inline constexpr double kPercentLower = 0.0;
inline constexpr double kPercentUpper = 100.0;

// The first character of the user's decimal separator and negative sign.
struct NumberSymbols {
    char decimal = '.';
    char negative = '-';
};

struct Amount {
    double value = 0.0;  // inches, or a percentage
    bool percent = false;
};

// Decimal places of the shown text; displayDecimals is used for a value next
// to a range limit, which is shown without the rounding step.
struct AmountStyle {
    int precision = 3;
    bool imperial = true;
    int displayDecimals = 0;
};

// Length limits in inches, checked only when set.
struct AmountRange {
    bool set = false;
    double lower = 0.0;
    double upper = 0.0;
};

struct RangeCheck {
    bool inRange = true;
    bool exact = false;  // close to a limit: shown with displayDecimals, unrounded
};

// The characters a user may type into an amount: backspace, digits, the
// negative sign, the decimal separator, and "%" where percentages are allowed.
bool IsAmountChar(char c, const NumberSymbols& symbols, bool percentAllowed);
// Pasted text goes in only when every character would have been accepted.
bool IsAmountText(std::string_view text, const NumberSymbols& symbols, bool percentAllowed);

// A number in the user's notation ("12", "0,5" with a comma separator, "3/8"
// as a simple fraction, "5%"), with nothing after it but blanks. Lengths come
// back in inches. A zero must be written with a leading "0" (".0" is refused).
std::optional<Amount> ParseAmount(std::string_view text, const NumberSymbols& symbols, bool imperial,
                                  bool percentAllowed);

// The value with at most six decimals, the nearest such.
double LimitToSixDecimals(double value);
// Half away from zero at the given places (clamped to 0..6); a value whose
// scaled form does not fit a 32-bit integer comes back as it is.
double RoundToPrecision(double value, int precision);
// Within 1 display unit of a limit and closer than the last shown decimal.
bool IsNearLimit(bool imperial, int precision, double value, double a, double b);
RangeCheck CheckRange(const Amount& amount, const AmountRange& range, const AmountStyle& style);

// The text shown for an amount; empty for a value that is not finite.
std::string FormatAmount(const Amount& amount, bool exact, const AmountStyle& style, const NumberSymbols& symbols);
// The decimals needed to show both limits (at most 3), or current if more.
int ComputeDisplayDecimals(const AmountRange& range, bool imperial, int current);

}  // namespace optora
