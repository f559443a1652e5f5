#include "policy_values.h"

#include <gtest/gtest.h>

#include <cstring>

#include "kestrel_test.h"
#include "options/policy_offers.h"
#include "options/policy_rules.h"
#include "store/registry_paths.h"

namespace optora::test {
namespace {

HKEY Root(const PolicyPlace& place) { return place.machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
REGSAM View(const PolicyPlace& place) { return place.machine ? KEY_WOW64_64KEY : 0; }

std::string KeyOf(const PolicyPlace& place) {
    return std::string("Software\\Policies\\Kestrel") + (place.recommended ? "\\Recommended" : "") +
           (place.path.empty() ? "" : "\\" + place.path);
}

// What an administrator picks for a value: never the library's default, so
// a getter that shows it has it from the policy.
std::string Pick(const OwnedValue& owned, const PolicyOffer& offer) {
    switch (offer.presentation) {
        case PolicyOffer::ChoiceList: {
            const PolicyChoice* last = offer.choices;
            while (last[1].value) ++last;
            return last->value;
        }
        case PolicyOffer::CheckBox: return StockValue(owned) == std::string("\1\0\0\0", 4) ? "0" : "1";
        case PolicyOffer::Decimal:
            return std::to_string(owned.allowed.kind == Allowed::Range ? owned.allowed.highest : 7);
        default:
            if (std::string(owned.name) == "VerifyStorageArea") return "C:POLICY";
            return std::string(owned.name).find("Path") != std::string::npos ? "P:\\POLICY" : "POL";
    }
}

}  // namespace

std::map<const OwnedValue*, std::string> SetEveryOfferedPolicy() {
    MakeStorageArea("POLICY", {{"data\\rutab.ctl", "POL\n"}, {"data\\piece.ctl", "POL\n"}});
    std::map<const OwnedValue*, std::string> picked;
    for (std::size_t i = 0; i < kOwnedValueCount; ++i) {
        const OwnedValue& owned = kOwnedValues[i];
        const PolicyOffer* offer = FindOffer(owned);
        if (!offer || offer->presentation == PolicyOffer::NotOffered) continue;
        const std::string pick = picked[&owned] = Pick(owned, *offer);
        const PolicyPlace place{true, false, std::string(owned.key).substr(std::strlen(keys::kKestrel) + 1)};
        if (PolicyType(owned, *offer) == kTypeDword)
            SetPolicyDword(place, owned.name, DWORD(std::stol(pick)));
        else
            SetPolicyText(place, owned.name, pick);
    }
    return picked;
}

void SetPolicy(const PolicyPlace& place, const char* name, DWORD type, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root(place), KeyOf(place).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(place), nullptr,
                              &key, nullptr),
              ERROR_SUCCESS)
        << KeyOf(place);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), DWORD(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetPolicyDword(const PolicyPlace& place, const char* name, DWORD value) {
    SetPolicy(place, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void SetPolicyText(const PolicyPlace& place, const char* name, const std::string& text) {
    SetPolicy(place, name, REG_SZ, text + '\0');
}

void RemovePolicy(const PolicyPlace& place, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root(place), KeyOf(place).c_str(), 0, KEY_ALL_ACCESS | View(place), &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void ClearPolicies() {
    for (const bool machine : {true, false}) {
        HKEY policies = nullptr;
        if (RegOpenKeyExA(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, "Software\\Policies", 0,
                          KEY_ALL_ACCESS | (machine ? KEY_WOW64_64KEY : 0), &policies) != ERROR_SUCCESS)
            continue;
        const LONG status = RegDeleteTreeA(policies, "Kestrel");
        EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
        RegCloseKey(policies);
    }
}

}  // namespace optora::test
