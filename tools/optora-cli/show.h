#pragma once
#include <cstdio>
#include <string>

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

// Formatting shared by the blocks, so every set reads alike; `mark` follows
// the value, so the values stay in one column.
void PrintValue(const char* label, int value, const char* meaning = nullptr, const char* mark = "");
void PrintText(const char* label, const char* text, const char* mark = "");
void PrintNumber(const char* label, double value, const char* mark = "");

// " (locked by policy)" for a value a mandatory policy sets, else "".
const char* LockMark(const char* ownedKey, const char* name, const std::string& application = {});

// The values of one stored key, each labelled by its value name and marked
// when a policy locks it.
class ShownKey {
public:
    explicit ShownKey(const char* ownedKey, std::string application = {})
        : key_(ownedKey), application_(std::move(application)) {}
    void Value(const char* name, int value, const char* meaning = nullptr) const {
        PrintValue(name, value, meaning, LockMark(key_, name, application_));
    }
    void Text(const char* name, const char* text) const { PrintText(name, text, LockMark(key_, name, application_)); }
    void Number(const char* name, double value) const { PrintNumber(name, value, LockMark(key_, name, application_)); }

private:
    const char* key_;
    std::string application_;
};

// Blocks, each in the file of its set.
void ShowPreferences();
void ShowAlteration();
void ShowCutOptions();
void ShowPlotOptions();
void ShowOrderOptions();
void ShowVerifyOptions();
void ShowUserEnvItems();
