#pragma once
#include <cstdio>

#include "optora.h"

// One block of `optora-cli show`: prints a title line and its values, or
// nothing when this optora.dll lacks the set's getter.
struct ShowBlock {
    const char* title;
    void (*print)();
};

// Every block, in the order `show` prints them.
extern const ShowBlock kShowBlocks[];
extern const int kShowBlockCount;

// Formatting shared by the blocks, so every set reads alike.
void PrintValue(const char* label, int value, const char* meaning = nullptr);
void PrintText(const char* label, const char* text);
void PrintNumber(const char* label, double value);

// Blocks, each in the file of its set.
void ShowPreferences();
void ShowAlteration();
void ShowCutOptions();
void ShowPlotOptions();
void ShowOrderOptions();
void ShowVerifyOptions();
void ShowUserEnvItems();
