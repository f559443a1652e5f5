#pragma once
#include <cstdint>
#include <string>

#include "options/settings_table.h"

namespace optora {

// A choice an administrator picks: `value` is what the library stores, a
// decimal number for a number, else the text itself.
struct PolicyChoice {
    const char* value;
    const char* english;
    const char* german;
};

// How the administrative templates offer one owned value: the table's policy
// columns, one row per owned value (same key and name), checked by the tests.
// A value under a variant key is offered once, for the key of every
// application's variant (no application subkey).
struct PolicyOffer {
    enum Presentation { NotOffered, CheckBox, ChoiceList, Decimal, Text };
    const char* key;
    const char* name;
    Presentation presentation;
    const char* english;  // display name; why not, when not offered
    const char* german = nullptr;
    const char* germanExplain = nullptr;
    const PolicyChoice* choices = nullptr;  // a choice list's, ends with a null value
};
extern const PolicyOffer kPolicyOffers[];
extern const std::size_t kPolicyOfferCount;

const PolicyOffer* FindOffer(const OwnedValue& owned);

// An option set's category, in both languages.
struct PolicySetName {
    OptionSet set;
    const char* english;
    const char* german;
};
const PolicySetName& PolicySetNameOf(OptionSet set);

// Where Group Policy writes the value: `Software\Policies\Kestrel\<path>`,
// `<path>` being the owned key below `Software\Kestrel`; the recommended form
// below `Recommended`.
std::string PolicyKey(const OwnedValue& owned, bool recommended);

// What Group Policy writes: REG_SZ for a text and a choice among texts,
// REG_DWORD for the rest (the library's 4-byte and 1-byte binaries and its
// numbers kept as text read it as the same number).
uint32_t PolicyType(const OwnedValue& owned, const PolicyOffer& offer);

// A decimal's range: the table's, without -1 (nothing chosen), which no
// administrator means and a template cannot carry. A value that takes any
// number stops at the largest positive 32-bit one: the library reads a
// REG_DWORD as signed, so a larger DWORD would arrive negative.
int64_t PolicyLowest(const OwnedValue& owned);
int64_t PolicyHighest(const OwnedValue& owned);

}  // namespace optora
