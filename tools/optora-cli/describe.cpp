#include "describe.h"

#include "options/policy_offers.h"
#include "settings_check.h"

namespace optora::cli {
namespace {

std::string KeyOf(const OwnedValue& owned) {
    return std::string(owned.key) + (owned.variants ? "\\APPLICATION" : "");
}

std::string TypeOf(const OwnedValue& owned) {
    if (owned.type == kTypeText)
        return owned.allowed.kind == Allowed::Range
                   ? "REG_SZ, a whole number as text"
                   : "REG_SZ, at most " + std::to_string(owned.size - 1) + " characters";
    if (owned.allowed.kind == Allowed::FiniteNumber) return "REG_BINARY, 8 bytes (double)";
    return "REG_BINARY, " + std::to_string(owned.size) + (owned.size == 1 ? " byte" : " bytes");
}

std::string AllowedOf(const OwnedValue& owned) {
    if (owned.allowed.kind == Allowed::Anything && owned.type == kTypeText) return "any text";
    return AllowedText(owned);
}

// "check box, REG_DWORD at KEY", "decimal 0 to 3, ..." or "not offered: WHY"; the key in backticks for Markdown.
std::string PolicyText(const OwnedValue& owned, bool markdown) {
    const PolicyOffer* offer = FindOffer(owned);
    if (!offer || offer->presentation == PolicyOffer::NotOffered)
        return std::string("not offered: ") + (offer ? offer->english : "no policy row");
    static const char* const kPresentations[] = {"", "check box", "choice list", "decimal", "text"};
    // A template's range can be narrower than what the library stores (no -1, no negative alteration).
    std::string range;
    if (offer->presentation == PolicyOffer::Decimal)
        range = " " + std::to_string(PolicyLowest(owned)) + " to " + std::to_string(PolicyHighest(owned));
    return std::string(kPresentations[offer->presentation]) + range + ", " +
           (PolicyType(owned, *offer) == kTypeText ? "REG_SZ" : "REG_DWORD") + " at " + (markdown ? "`" : "") +
           PolicyKey(owned, false) + (markdown ? "`" : "");
}

std::string MarkdownHead() {
    return "# Stored settings\n\n"
           "Every value optora.dll keeps under `HKEY_CURRENT_USER`, as `optora-cli describe --markdown` prints it.\n"
           "`APPLICATION` stands for each calling application's variant key. `optora-cli import` refuses a value\n"
           "outside \"allowed\" (nothing in the library stores it); `export` writes such a stored value as a\n"
           "comment line. Each set's change message tells running applications.\n\n"
           "\"policy\" names how the administrative templates (`optora-cli admx DIR`) offer a value and the key a\n"
           "mandatory policy writes it to, below `HKEY_LOCAL_MACHINE` or `HKEY_CURRENT_USER`; a recommended one\n"
           "writes `Software\\Policies\\Kestrel\\Recommended\\` and the same rest. A variant set's value is offered\n"
           "once, for every application's variant (the key without an application subkey).\n";
}

}  // namespace

std::string DescribeSettings(const OptionSetInfo* only, bool markdown) {
    std::string out = markdown ? MarkdownHead() : "";
    for (const OptionSetInfo& info : kOptionSets) {
        if (only && only->set != info.set) continue;
        const std::string message = info.message ? info.message : "no change message";
        if (markdown)
            out += "\n## " + std::string(info.name) + " (" + message +
                   ")\n\n| key | value | type | default | allowed | meaning | policy |\n"
                   "|---|---|---|---|---|---|---|\n";
        else
            out += std::string(out.empty() ? "" : "\n") + "[" + info.name + "] " + message + "\n";
        for (std::size_t i = 0; i < kOwnedValueCount; ++i) {
            const OwnedValue& owned = kOwnedValues[i];
            if (owned.set != info.set) continue;
            if (markdown)
                out += "| `" + KeyOf(owned) + "` | `" + owned.name + "` | " + TypeOf(owned) + " | " + owned.byDefault +
                       " | " + AllowedOf(owned) + " | " + owned.meaning + " | " + PolicyText(owned, true) + " |\n";
            else
                out += KeyOf(owned) + " \"" + owned.name + "\"\n    " + TypeOf(owned) + "; default " +
                       owned.byDefault + "; allowed " + AllowedOf(owned) + "\n    " + owned.meaning +
                       "\n    policy: " + PolicyText(owned, false) + "\n";
        }
    }
    return out;
}

}  // namespace optora::cli
