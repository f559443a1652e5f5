#include "binding.h"
#include "show.h"
#include "store/registry_paths.h"

void ShowPreferences() {
    const ShownKey arbor(optora::keys::kArbor);
    auto notation = Bind<int (*)()>("optora_getnotation");
    auto precision = Bind<int (*)()>("optora_getprecision");
    if (notation) {
        const int n = notation();
        arbor.Value("Notation", n, n == 1 ? "imperial" : "metric");
    }
    if (precision) arbor.Value("Precision", precision());
    if (auto grade = Bind<int (*)()>("optora_getgradeoption")) {
        static const char* const kMethods[] = {"Small-Large Incremental", "Base Up-Down Cumulative",
                                               "Base Up-Down Incremental"};
        const int method = grade();
        PrintValue("Grade method", method, method >= 0 && method <= 2 ? kMethods[method] : "unknown",
                   LockMark(optora::keys::kGradeOptions, "Grade Method"));
    }
}

void ShowAlteration() {
    if (auto alteration = Bind<int (*)()>("optora_getalteration"))
        ShownKey(optora::keys::kArbor).Value("Alteration", alteration());
}
