#include "show.h"

#include "options/policy.h"

const ShowBlock kShowBlocks[] = {
    {"Preferences", ShowPreferences},
    {"Alteration", ShowAlteration},
    {"Cut options", ShowCutOptions},
    {"Plot options", ShowPlotOptions},
    {"Order options", ShowOrderOptions},
    {"Verify options", ShowVerifyOptions},
    {"User environment", ShowUserEnvItems},
};
const int kShowBlockCount = sizeof kShowBlocks / sizeof kShowBlocks[0];

void PrintValue(const char* label, int value, const char* meaning, const char* mark) {
    if (meaning)
        std::printf("  %-24s %d (%s)%s\n", label, value, meaning, mark);
    else
        std::printf("  %-24s %d%s\n", label, value, mark);
}

void PrintText(const char* label, const char* text, const char* mark) {
    std::printf("  %-24s \"%s\"%s\n", label, text, mark);
}

void PrintNumber(const char* label, double value, const char* mark) {
    std::printf("  %-24s %g%s\n", label, value, mark);
}

const char* LockMark(const char* ownedKey, const char* name, const std::string& application) {
    return optora::LockOf(ownedKey, name, application) ? " (locked by policy)" : "";
}
