#include "options/notation.h"

#include <string>

#include "options/decimal_text.h"
#include "store/registry_paths.h"
#include "store/registry_key.h"

namespace optora {
namespace {

std::string ReadArborText(const char* name) {
    std::string text;
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    if (key.OpenForReading()) key.ReadText(name, text);
    return text;
}

}  // namespace

// "0" metric, "1" U.S.; a failed query leaves no number, which reads as metric.
int RegionalMeasurement() {
    char buffer[256] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    return DecimalPrefix(buffer);
}

int ReadNotation() {
    const std::string stored = ReadArborText("Notation");
    const int notation = stored.empty() ? RegionalMeasurement() : DecimalPrefix(stored);
    return notation == 1 ? 1 : 0;
}

int ReadPrecision() {
    const std::string stored = ReadArborText("Precision");
    return stored.empty() ? 2 : DecimalPrefix(stored);
}

}  // namespace optora
