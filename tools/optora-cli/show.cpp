#include "show.h"

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

void PrintValue(const char* label, int value, const char* meaning) {
    if (meaning)
        std::printf("  %-24s %d (%s)\n", label, value, meaning);
    else
        std::printf("  %-24s %d\n", label, value);
}

void PrintText(const char* label, const char* text) { std::printf("  %-24s \"%s\"\n", label, text); }

void PrintNumber(const char* label, double value) { std::printf("  %-24s %g\n", label, value); }
