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
    if (auto grade = Bind<int (*)()>("optora_getgradeoption")) {
        static const char* const kMethods[] = {"Small-Large Incremental", "Base Up-Down Cumulative",
                                               "Base Up-Down Incremental"};
        const int method = grade();
        PrintValue("Grade method", method, method >= 0 && method <= 2 ? kMethods[method] : "unknown");
    }
}

void ShowAlteration() {
    if (auto alteration = Bind<int (*)()>("optora_getalteration")) PrintValue("Alteration", alteration());
}
