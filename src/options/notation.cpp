#include "options/notation.h"

#include <string>
#include <utility>

#include "options/decimal_text.h"
#include "options/kept_value.h"
#include "options/policy.h"
#include "store/registry_key.h"
#include "store/registry_paths.h"
#include "store/store_lock.h"

namespace optora {
namespace {

std::string ReadArborText(const char* name) {
    std::string text;
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    key.SetOverlay(PolicyOverlay(keys::kArbor));
    if (key.OpenForReading()) key.ReadText(name, text);
    return text;
}

}  // namespace

bool SavePreferences(int notation, int precision) {
    const StoreLock hold;  // both values of one confirmation
    RegistryKey key(HKEY_CURRENT_USER, keys::kArbor);
    key.SetOverlay(PolicyOverlay(keys::kArbor));
    if (!key.OpenForWriting()) return false;
    bool written = false;
    for (const auto& [name, value] : {std::pair{"Precision", precision}, std::pair{"Notation", notation}}) {
        std::string stored;
        key.ReadText(name, stored);
        const std::string text = std::to_string(value);
        if (stored != text) written = key.WriteText(name, text) || written;
    }
    return written;
}

// "0" metric, "1" U.S.; a failed query leaves no number, which reads as metric.
int RegionalMeasurement() {
    char buffer[256] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, buffer, sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    return DecimalPrefix(buffer);
}

int ReadNotation() {
    static KeptValue kept;
    return kept.Get([](bool& keep) {
        const std::string stored = ReadArborText("Notation");
        keep = !stored.empty();
        const int notation = stored.empty() ? RegionalMeasurement() : DecimalPrefix(stored);
        return notation == 1 ? 1 : 0;
    });
}

int ReadPrecision() {
    static KeptValue kept;
    return kept.Get([](bool&) {
        const std::string stored = ReadArborText("Precision");
        return stored.empty() ? 2 : DecimalPrefix(stored);
    });
}

}  // namespace optora
