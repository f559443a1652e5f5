#include "controls/amount_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace optora {
namespace {

// Decimal places beyond six are below what a length field can mean, and a
// stored precision outside this range must not size the text.
constexpr int kMostPlaces = 6;
// The fraction digits a number keeps before conversion: more cannot change
// the value after the six-decimal limit, and fewer cannot underflow.
constexpr size_t kFractionDigits = 20;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
int Places(int precision) { return std::clamp(precision, 0, kMostPlaces); }

struct Number {
    double value = 0.0;
    size_t length = 0;  // characters read
};

// A signed decimal number in the user's symbols at the start of text,
// converted without the C runtime's locale, which belongs to the caller.
std::optional<Number> ReadNumber(std::string_view text, const NumberSymbols& symbols) {
    size_t i = 0;
    std::string plain;
    if (i < text.size() && text[i] == symbols.negative) {
        plain += '-';
        ++i;
    }
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits) plain += text[i];
    if (digits == 0) plain += '0';
    if (i < text.size() && text[i] == symbols.decimal) {
        plain += '.';
        size_t fraction = 0;
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++fraction)
            if (fraction < kFractionDigits) plain += text[i];
        if (fraction == 0) plain.pop_back();
        digits += fraction;
    }
    if (digits == 0) return std::nullopt;
    double value = 0.0;
    const char* end = plain.data() + plain.size();
    const auto result = std::from_chars(plain.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return Number{value, i};
}

// printf's "%.*f" of a finite value: digits only, whatever the locale.
std::string Fixed(double value, int places) {
    const int length = std::snprintf(nullptr, 0, "%.*f", places, value);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%.*f", places, value);
    text.resize(static_cast<size_t>(length));
    return text;
}

// Puts the user's symbols into printf's output, whose decimal point is that
// of whatever C locale the process runs in. A zero keeps no sign.
std::string InUserSymbols(const std::string& fixed, const NumberSymbols& symbols) {
    std::string text;
    size_t i = 0;
    const bool negative = !fixed.empty() && fixed[0] == '-';
    if (negative) ++i;
    while (i < fixed.size() && IsDigit(fixed[i])) text += fixed[i++];
    if (i < fixed.size()) {
        while (i < fixed.size() && !IsDigit(fixed[i])) ++i;
        text += symbols.decimal;
        text.append(fixed, i, std::string::npos);
    }
    if (negative && text.find_first_of("123456789") != std::string::npos) text.insert(text.begin(), symbols.negative);
    return text;
}

// Decimals of a limit as "%.7g" writes it, trailing zeros left off.
int SignificantDecimals(double limit) {
    char text[32] = {};
    std::snprintf(text, sizeof text, "%.7g", limit);
    const char* c = text;
    if (*c == '-') ++c;
    while (IsDigit(*c)) ++c;
    if (!*c || *c == 'e' || *c == 'E') return 0;
    while (*c && !IsDigit(*c)) ++c;  // the locale's decimal point
    int count = 0, significant = 0;
    for (; IsDigit(*c); ++c) {
        ++count;
        if (*c != '0') significant = count;
    }
    return significant;
}

}  // namespace

bool IsAmountChar(char c, const NumberSymbols& symbols, bool percentAllowed) {
    return c == '\b' || IsDigit(c) || c == symbols.negative || c == symbols.decimal || (percentAllowed && c == '%');
}

bool IsAmountText(std::string_view text, const NumberSymbols& symbols, bool percentAllowed) {
    return std::all_of(text.begin(), text.end(), [&](char c) { return IsAmountChar(c, symbols, percentAllowed); });
}

std::optional<Amount> ParseAmount(std::string_view text, const NumberSymbols& symbols, bool imperial,
                                  bool percentAllowed) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    // The fraction form was only ever understood with whole numbers.
    if (text.find('/') != std::string_view::npos && text.find('.') != std::string_view::npos) return std::nullopt;

    Amount amount;
    if (text.back() == '%') {
        if (!percentAllowed) return std::nullopt;
        amount.percent = true;
        text.remove_suffix(1);
    }
    const auto numerator = ReadNumber(text, symbols);
    if (!numerator) return std::nullopt;
    double value = LimitToSixDecimals(numerator->value);
    if (value == 0.0 && text.front() != '0') return std::nullopt;

    std::string_view rest = text.substr(numerator->length);
    if (!rest.empty()) {
        if (rest.front() != '/') return std::nullopt;
        rest.remove_prefix(1);
        const auto denominator = ReadNumber(rest, symbols);
        if (!denominator || denominator->length != rest.size() || denominator->value == 0.0) return std::nullopt;
        value /= denominator->value;
        if (!std::isfinite(value)) return std::nullopt;
    }
    if (!amount.percent && !imperial) value /= kCentimetresPerInch;
    amount.value = value;
    return amount;
}

double LimitToSixDecimals(double value) {
    // Past 2^53 millionths a double holds no sixth decimal anyway.
    if (!(std::fabs(value) < 9e9)) return value;
    return std::round(value * 1e6) / 1e6;
}

double RoundToPrecision(double value, int precision) {
    const double scale = std::pow(10.0, Places(precision));
    const double scaled = value * scale + (value >= 0 ? 0.5 : -0.5);
    // Beyond a 32-bit integer the scaled value would wrap: show it unrounded.
    if (!(scaled > static_cast<double>(INT32_MIN) - 1.0 && scaled < static_cast<double>(INT32_MAX) + 1.0)) return value;
    return static_cast<double>(static_cast<int32_t>(scaled)) / scale;
}

bool IsNearLimit(bool imperial, int precision, double value, double a, double b) {
    if (!imperial) {
        value *= kCentimetresPerInch;
        a *= kCentimetresPerInch;
        b *= kCentimetresPerInch;
    }
    const double toA = std::fabs(value - a), toB = std::fabs(value - b);
    if (!(toA < 1.0 || toB < 1.0)) return false;
    if (precision <= 0) return true;
    const double step = std::pow(10.0, -precision);
    return toA < step || toB < step;
}

RangeCheck CheckRange(const Amount& amount, const AmountRange& range, const AmountStyle& style) {
    if (!range.set) return {};
    const double value = LimitToSixDecimals(amount.value);
    if (amount.percent)
        return {value >= kPercentLower && value <= kPercentUpper,
                IsNearLimit(false, style.precision, value, kPercentLower, kPercentUpper)};
    return {value >= range.lower && value <= range.upper,
            IsNearLimit(style.imperial, style.precision, value, range.lower, range.upper)};
}

std::string FormatAmount(const Amount& amount, bool exact, const AmountStyle& style, const NumberSymbols& symbols) {
    double shown = amount.value;
    int places = Places(style.precision);
    if (!amount.percent) {
        if (!style.imperial) shown *= kCentimetresPerInch;
        if (!exact) shown = RoundToPrecision(shown, style.precision);
        if (exact) places = Places(style.displayDecimals);
    }
    if (!std::isfinite(shown)) return {};
    std::string text = InUserSymbols(Fixed(shown, places), symbols);
    if (amount.percent) text += '%';
    return text;
}

int ComputeDisplayDecimals(const AmountRange& range, bool imperial, int current) {
    for (const double limit : {range.lower, range.upper}) {
        const int decimals = SignificantDecimals(imperial ? limit : limit * kCentimetresPerInch);
        if (decimals > current) current = std::min(decimals, 3);
    }
    return current;
}

}  // namespace optora
