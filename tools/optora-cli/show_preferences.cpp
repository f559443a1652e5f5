#include "binding.h"
#include "show.h"

void ShowPreferences() {
    auto notation = Bind<int (*)()>("optora_getnotation");
    auto precision = Bind<int (*)()>("optora_getprecision");
    if (notation) {
        const int n = notation();
        PrintValue("Notation", n, n == 1 ? "imperial" : "metric");
    }
    if (precision) PrintValue("Precision", precision());
}

void ShowAlteration() {
    if (auto alteration = Bind<int (*)()>("optora_getalteration")) PrintValue("Alteration", alteration());
}
