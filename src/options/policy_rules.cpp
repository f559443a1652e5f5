#include "options/policy_rules.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "options/policy_offers.h"
#include "store/registry_paths.h"

namespace optora {
namespace {

constexpr uint32_t kPolicyText = 1;   // REG_SZ
constexpr uint32_t kPolicyDword = 4;  // REG_DWORD

bool IsNumber(const OwnedValue& owned) {
    return owned.type == kTypeBinary || (owned.type == kTypeText && owned.allowed.kind == Allowed::Range);
}

// Whole decimal numbers only, as a template's storeAsText writes them.
std::optional<int64_t> ParseWhole(std::string_view text) {
    if (text.empty() || text.size() > 11) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(copy.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || !(copy[0] == '-' || (copy[0] >= '0' && copy[0] <= '9'))) return std::nullopt;
    return number;
}

std::string IntegerBytes(int64_t number, std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((static_cast<uint64_t>(number) >> (8 * i)) & 0xff);
    return bytes;
}

// A policy's number within what the offer gives an administrator: never the
// "none chosen" -1 of the dialogs.
bool NumberAllowed(const OwnedValue& owned, const PolicyOffer& offer, int64_t number) {
    if (offer.choices) {
        for (const PolicyChoice* choice = offer.choices; choice->value; ++choice)
            if (std::to_string(number) == choice->value) return true;
        return false;
    }
    if (owned.allowed.kind == Allowed::Anything) return number >= INT32_MIN && number <= INT32_MAX;
    return number >= PolicyLowest(owned) && number <= owned.allowed.highest;
}

PolicyStatus Convert(const PolicyEntry& entry, const OwnedValue& owned, const PolicyOffer& offer,
                     std::string& stored) {
    if (entry.type != kPolicyText && entry.type != kPolicyDword) return PolicyStatus::WrongType;
    if (entry.type == kPolicyDword && entry.data.size() != 4) return PolicyStatus::WrongType;
    const std::string_view text = StoredText(entry.data);
    if (!IsNumber(owned)) {
        if (entry.type != kPolicyText) return PolicyStatus::WrongType;
        if (offer.choices) {
            bool offered = false;
            for (const PolicyChoice* choice = offer.choices; choice->value; ++choice) offered |= text == choice->value;
            if (!offered) return PolicyStatus::OutOfRange;
        }
        stored = std::string(text) + '\0';
    } else {
        std::optional<int64_t> number;
        if (entry.type == kPolicyDword)
            number = StoredInteger(entry.data);
        else
            number = ParseWhole(text);
        if (!number || !NumberAllowed(owned, offer, *number)) return PolicyStatus::OutOfRange;
        stored = owned.type == kTypeText ? std::to_string(*number) + '\0' : IntegerBytes(*number, owned.size);
    }
    return CheckContent(owned, owned.type, stored) == ContentFault::None ? PolicyStatus::Applied
                                                                         : PolicyStatus::OutOfRange;
}

// The defaults the description gives in words, in the form a repair writes them.
struct Stock {
    const char* name;
    const char* value;
};
const Stock kStockInWords[] = {
    {"Grade Method", "Small-Large Incremental"}, {"DosCutPath", "C:\\USERROOT"}, {"SaveToStorageArea", "1"},
    {"DosPlotType", "0"}, {"DosPlotPath", "C:\\PLOT"}, {"ImagePath", "C:\\PLOT"}, {"DefaultPlotQueue", ""},
    {"DefaultPlotMedia", ""},
};

bool SameAsStored(const OwnedValue& owned, const std::string& a, const std::string& b) {
    return owned.type == kTypeBinary ? StoredInteger(a) == StoredInteger(b) : StoredText(a) == StoredText(b);
}

}  // namespace

const char* StatusText(PolicyStatus status) {
    switch (status) {
        case PolicyStatus::Applied: return "applied";
        case PolicyStatus::WrongType: return "not applied: wrong type";
        case PolicyStatus::OutOfRange: return "not applied: out of range";
        case PolicyStatus::UnknownName: return "not applied: unknown value name";
        case PolicyStatus::NotOwnedKey: return "not applied: a key the library does not own";
        case PolicyStatus::NotOffered: return "not applied: not offered to administrators";
    }
    return "";
}

PolicyJudgement Judge(const PolicyEntry& entry) {
    PolicyJudgement judgement;
    const std::string path = std::string(keys::kKestrel) + '\\' + entry.path;
    const std::optional<std::string> key = OwnedKey(path);
    if (!key) return judgement;
    if (path.size() > key->size()) judgement.application = path.substr(key->size() + 1);
    judgement.owned = FindOwned(path, entry.name);
    if (!judgement.owned) {
        judgement.status = PolicyStatus::UnknownName;
        return judgement;
    }
    const PolicyOffer* offer = FindOffer(*judgement.owned);
    if (!offer || offer->presentation == PolicyOffer::NotOffered) {
        judgement.status = PolicyStatus::NotOffered;
        return judgement;
    }
    judgement.status = Convert(entry, *judgement.owned, *offer, judgement.stored);
    if (judgement.status != PolicyStatus::Applied) judgement.stored.clear();
    return judgement;
}

std::optional<std::string> StockValue(const OwnedValue& owned) {
    std::optional<std::string> value;
    for (const Stock& stock : kStockInWords)
        if (std::strcmp(stock.name, owned.name) == 0 && std::strcmp(owned.key, keys::kVelorSettings) != 0)
            value = stock.value;
    const std::string_view words = owned.byDefault;
    if (!value && words == "empty") value = "";
    if (!value && words.find(' ') == std::string_view::npos) value = std::string(words);
    if (!value) return std::nullopt;
    if (owned.type == kTypeText) return *value + '\0';
    const std::optional<int64_t> number = ParseWhole(*value);
    if (!number) return std::nullopt;
    return IntegerBytes(*number, owned.size);
}

PolicySnapshot::PolicySnapshot(std::vector<PolicyEntry> entries) {
    entries_.reserve(entries.size());
    for (PolicyEntry& entry : entries) {
        PolicyJudgement judgement = Judge(entry);
        entries_.push_back({std::move(entry), std::move(judgement)});
    }
}

bool PolicySnapshot::Touches(const char* ownedKey) const {
    for (const Judged& judged : entries_)
        if (judged.judgement.status == PolicyStatus::Applied && std::strcmp(judged.judgement.owned->key, ownedKey) == 0)
            return true;
    return false;
}

std::optional<PolicySnapshot::Decision> PolicySnapshot::Find(const OwnedValue& owned, std::string_view application,
                                                             bool recommended) const {
    for (const bool machine : {true, false}) {
        const Judged* general = nullptr;
        for (const Judged& judged : entries_) {
            const PolicyJudgement& j = judged.judgement;
            if (judged.entry.machine != machine || judged.entry.recommended != recommended ||
                j.status != PolicyStatus::Applied || j.owned != &owned)
                continue;
            if (j.application.empty())
                general = &judged;
            else if (!application.empty() && EqualsNoCase(j.application, application))
                return Decision{&judged.entry, &j.stored};
        }
        if (general) return Decision{&general->entry, &general->judgement.stored};
    }
    return std::nullopt;
}

std::optional<PolicySnapshot::Decision> PolicySnapshot::Mandatory(const OwnedValue& owned,
                                                                  std::string_view application) const {
    return Find(owned, application, false);
}

std::optional<PolicySnapshot::Decision> PolicySnapshot::Recommended(const OwnedValue& owned,
                                                                    std::string_view application) const {
    return Find(owned, application, true);
}

std::optional<std::string> PolicySnapshot::Effective(const OwnedValue& owned, std::string_view application,
                                                     const std::optional<std::string>& stored) const {
    if (const auto mandatory = Mandatory(owned, application)) return *mandatory->stored;
    const auto recommended = Recommended(owned, application);
    if (!recommended) return stored;
    const std::optional<std::string> stock = StockValue(owned);
    if (stored && !(stock && SameAsStored(owned, *stored, *stock))) return stored;
    return *recommended->stored;
}

std::string SourceText(const PolicyEntry& entry) {
    return std::string(entry.machine ? "machine" : "user") + (entry.recommended ? " recommended" : " mandatory");
}

std::string PolicyLocation(const PolicyEntry& entry) {
    return std::string(entry.machine ? "HKLM\\" : "HKCU\\") + keys::kPolicies +
           (entry.recommended ? std::string("\\") + keys::kRecommended : "") + '\\' + entry.path + " \"" +
           entry.name + '"';
}

}  // namespace optora
