// Any text in an amount field must parse without fault to a finite value,
// and the text shown for any value must parse back to what it shows.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "controls/amount_text.h"
#include "fuzz_check.h"

using namespace optora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // Two bytes of settings: symbols, unit, percent, places; the rest is the text.
    const NumberSymbols symbols = data[0] & 1 ? NumberSymbols{',', '-'} : NumberSymbols{'.', '-'};
    const bool imperial = data[0] & 2, percentAllowed = data[0] & 4, exact = data[0] & 8;
    const AmountStyle style{static_cast<int8_t>(data[1]) / 8, imperial, (data[1] & 7)};
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const auto amount = ParseAmount(text, symbols, imperial, percentAllowed);
    if (!amount) return 0;
    Check(std::isfinite(amount->value) && (percentAllowed || !amount->percent));
    const AmountRange range{true, 0.0, 100.0};
    CheckRange(*amount, range, style);
    const int decimals = ComputeDisplayDecimals({true, amount->value, -amount->value}, imperial, 0);
    Check(decimals >= 0 && decimals <= 3);

    const std::string shown = FormatAmount(*amount, exact, style, symbols);
    if (shown.empty()) return 0;
    Check(IsAmountText(shown, symbols, amount->percent));
    const auto again = ParseAmount(shown, symbols, imperial, percentAllowed);
    Check(again.has_value() && again->percent == amount->percent);
    // Back in display units, within half the last shown place.
    const double unit = amount->percent || imperial ? 1.0 : kCentimetresPerInch;
    const int places = exact && !amount->percent ? style.displayDecimals : style.precision;
    const double step = std::pow(10.0, -std::clamp(places, 0, 6));
    const double before = amount->value * unit, after = again->value * unit;
    Check(std::fabs(before - after) <= step / 2 + 1e-9 * std::fmax(1.0, std::fabs(before)));
    return 0;
}
