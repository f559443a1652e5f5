#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "options/settings_table.h"
#include "store/policy_entry.h"

// What the administrator's policy values mean to the library: which value
// each one sets, whether the library can take it, and which one decides.
// Pure logic: the registry is read elsewhere.
namespace optora {

enum class PolicyStatus {
    Applied,     // valid; whether it wins is the precedence's to say
    WrongType,   // not a REG_DWORD or REG_SZ the value can take
    OutOfRange,  // outside what the library stores there
    UnknownName,
    NotOwnedKey,  // a key the library does not own
    NotOffered,   // a value the templates leave out (their reason in describe)
};
const char* StatusText(PolicyStatus status);

struct PolicyJudgement {
    PolicyStatus status = PolicyStatus::NotOwnedKey;
    const OwnedValue* owned = nullptr;  // set unless the key or name is unknown
    std::string application;            // the variant subkey, empty for a whole set
    std::string stored;                 // applied: the bytes as the library stores them
};
PolicyJudgement Judge(const PolicyEntry& entry);

// The library's own default of a value in its stored form, when it has one
// fixed value: a stored value equal to it counts as none for a recommended
// policy, since the library's repairs wrote it into most users' keys.
std::optional<std::string> StockValue(const OwnedValue& owned);

// All policy values of both hives as read at one moment.
class PolicySnapshot {
public:
    PolicySnapshot() = default;
    explicit PolicySnapshot(std::vector<PolicyEntry> entries);

    bool Empty() const { return entries_.empty(); }
    // Whether anything at all is set for values of this key.
    bool Touches(const char* ownedKey) const;

    struct Decision {
        const PolicyEntry* entry;
        const std::string* stored;
    };
    // The valid value that decides `owned` for the application (empty for a
    // set without variants): machine before user, and within one hive the
    // application's own subkey before the whole set's.
    std::optional<Decision> Mandatory(const OwnedValue& owned, std::string_view application) const;
    std::optional<Decision> Recommended(const OwnedValue& owned, std::string_view application) const;

    // What a read answers, given the user's stored bytes (none: missing).
    std::optional<std::string> Effective(const OwnedValue& owned, std::string_view application,
                                         const std::optional<std::string>& stored) const;

    struct Judged {
        PolicyEntry entry;
        PolicyJudgement judgement;
    };
    const std::vector<Judged>& Entries() const { return entries_; }

private:
    std::optional<Decision> Find(const OwnedValue& owned, std::string_view application, bool recommended) const;
    std::vector<Judged> entries_;
};

// A policy's place in words: "machine mandatory", "user recommended".
std::string SourceText(const PolicyEntry& entry);
// Where the entry is: "HKLM\Software\Policies\Kestrel\Arbor" "Notation".
std::string PolicyLocation(const PolicyEntry& entry);

}  // namespace optora
