#include "options/policy_rules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace optora;

namespace {

constexpr uint32_t kSz = 1, kBinary = 3, kDword = 4;

std::string Dword(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string Sz(const std::string& text) { return text + '\0'; }

const OwnedValue& Owned(const char* key, const char* name) {
    const OwnedValue* owned = FindOwned(key, name);
    EXPECT_NE(owned, nullptr) << key << " " << name;
    return *owned;
}

}  // namespace

TEST(PolicyRules, EachValueIsJudgedByWhatTheLibraryCanStoreThere) {
    const struct {
        const char* path;
        const char* name;
        uint32_t type;
        std::string data;
        PolicyStatus status;
        std::string stored;
    } cases[] = {
        {"Arbor", "Notation", kDword, Dword(1), PolicyStatus::Applied, Sz("1")},
        {"Arbor", "notation", kSz, Sz("1"), PolicyStatus::Applied, Sz("1")},
        {"Arbor", "Notation", kSz, Sz("x"), PolicyStatus::OutOfRange, ""},
        {"Arbor", "Notation", kDword, Dword(-1), PolicyStatus::OutOfRange, ""},  // "none chosen" is no policy
        {"Arbor", "Precision", kSz, Sz("+3"), PolicyStatus::OutOfRange, ""},
        {"Arbor", "Precision", kDword, Dword(3), PolicyStatus::Applied, Sz("3")},
        {"Arbor", "Precision", kDword, "\x03", PolicyStatus::WrongType, ""},
        {"Arbor", "Bundles_By", kSz, Sz("1"), PolicyStatus::Applied, Dword(1)},  // storeAsText
        {"Arbor", "Bundles_By", kBinary, Dword(1), PolicyStatus::WrongType, ""},
        {"Arbor\\OrderOptions", "LayruleMethod", kDword, Dword(2), PolicyStatus::Applied, "\x02"},
        {"Arbor\\OrderOptions", "LayruleMethod", kDword, Dword(258), PolicyStatus::OutOfRange, ""},
        {"Arbor\\OrderOptions", "SplitPieceSeam", kDword, Dword(1), PolicyStatus::NotOffered, ""},
        {"Arbor\\CutOptions", "CutFormat", kSz, Sz("43format"), PolicyStatus::Applied, Sz("43format")},
        {"Arbor\\CutOptions", "CutFormat", kSz, Sz(""), PolicyStatus::OutOfRange, ""},
        {"Arbor\\CutOptions", "CutFormat", kDword, Dword(43), PolicyStatus::WrongType, ""},
        {"Arbor\\CutOptions\\CUTGEN", "DosCutPath", kSz, Sz("E:\\CUTS"), PolicyStatus::Applied, Sz("E:\\CUTS")},
        {"Arbor\\CutOptions", "DosCutPath", kSz, Sz(std::string(300, 'x')), PolicyStatus::OutOfRange, ""},
        {"Arbor\\PlotOptions", "DosPlotType", kDword, Dword(9), PolicyStatus::OutOfRange, ""},  // not offered there
        {"Arbor\\CutOptions", "NoSuchValue", kDword, Dword(1), PolicyStatus::UnknownName, ""},
        {"Arbor\\CutOptions\\A\\B", "DosCutPath", kSz, Sz("E:\\"), PolicyStatus::NotOwnedKey, ""},
        {"Elsewhere", "Notation", kDword, Dword(1), PolicyStatus::NotOwnedKey, ""},
        {"Quillon", "StartingNumber", kDword, Dword(10000), PolicyStatus::OutOfRange, ""},
        {"Marlow 2000\\RuleTable\\GradeOptions", "Grade Method", kSz, Sz("Base Up-Down Cumulative"),
         PolicyStatus::Applied, Sz("Base Up-Down Cumulative")},
    };
    for (const auto& c : cases) {
        const PolicyJudgement j = Judge({true, false, c.path, c.name, c.type, c.data});
        EXPECT_EQ(j.status, c.status) << c.path << " " << c.name << ": " << StatusText(j.status);
        EXPECT_EQ(j.stored, c.stored) << c.path << " " << c.name;
    }
    EXPECT_EQ(Judge({true, false, "Arbor\\CutOptions\\CUTGEN", "DosCutPath", kSz, Sz("E:\\")}).application, "CUTGEN");
}

TEST(PolicyRules, MachineThenUserThenTheUsersOwnThenRecommendationsDecide) {
    const OwnedValue& path = Owned("Software\\Kestrel\\Arbor\\CutOptions", "DosCutPath");
    const auto entry = [](bool machine, bool recommended, const char* key, const char* text) {
        return PolicyEntry{machine, recommended, key, "DosCutPath", kSz, Sz(text)};
    };
    const char* general = "Arbor\\CutOptions";
    const char* own = "Arbor\\CutOptions\\cutgen";
    const std::optional<std::string> mine = Sz("U:\\MINE"), stock = Sz("C:\\USERROOT"), none;
    const struct {
        std::vector<PolicyEntry> entries;
        std::optional<std::string> stored;
        const char* effective;
    } cases[] = {
        {{}, mine, "U:\\MINE"},
        {{entry(false, false, general, "M:\\USER"), entry(true, false, general, "M:\\MACHINE")}, mine, "M:\\MACHINE"},
        {{entry(false, false, own, "M:\\USER_APP"), entry(true, false, general, "M:\\MACHINE")}, mine, "M:\\MACHINE"},
        {{entry(true, false, general, "M:\\GENERAL"), entry(true, false, own, "M:\\APP")}, mine, "M:\\APP"},
        {{entry(false, false, general, "M:\\USER"), entry(true, true, general, "R:\\MACHINE")}, mine, "M:\\USER"},
        {{entry(true, true, general, "R:\\MACHINE"), entry(false, true, own, "R:\\USER_APP")}, mine, "U:\\MINE"},
        {{entry(true, true, general, "R:\\MACHINE"), entry(false, true, own, "R:\\USER_APP")}, none, "R:\\MACHINE"},
        {{entry(true, true, general, "R:\\MACHINE"), entry(false, true, own, "R:\\USER_APP")}, stock, "R:\\MACHINE"},
        {{entry(false, true, general, "R:\\GENERAL"), entry(false, true, own, "R:\\APP")}, stock, "R:\\APP"},
        {{entry(true, false, general, "")}, mine, ""},  // an empty directory is a text like any other
    };
    for (const auto& c : cases) {
        const PolicySnapshot policy(c.entries);
        const std::optional<std::string> got = policy.Effective(path, "CUTGEN", c.stored);
        EXPECT_EQ(got.value_or("(none)"), Sz(c.effective)) << c.effective;
    }
    // A policy of another application's variant is no policy of this one.
    EXPECT_EQ(PolicySnapshot({entry(true, false, own, "M:\\APP")}).Effective(path, "PLOTGEN", mine), mine);
}

TEST(PolicyRules, InvalidPoliciesLeaveTheNextSourceToDecide) {
    const OwnedValue& export_ = Owned("Software\\Kestrel\\Arbor\\CutOptions", "Export");
    const PolicySnapshot policy({{true, false, "Arbor\\CutOptions", "Export", kSz, Sz("yes")},
                                 {false, false, "Arbor\\CutOptions", "Export", kDword, Dword(1)}});
    EXPECT_EQ(policy.Effective(export_, "", Dword(0)), Dword(1));
    EXPECT_TRUE(policy.Touches("Software\\Kestrel\\Arbor\\CutOptions"));
    EXPECT_FALSE(policy.Touches("Software\\Kestrel\\Arbor\\PlotOptions"));
    EXPECT_FALSE(PolicySnapshot({{true, false, "Arbor\\PlotOptions", "Nope", kDword, Dword(1)}})
                     .Touches("Software\\Kestrel\\Arbor\\PlotOptions"));
}

TEST(PolicyRules, StockValuesAreTheFormsARepairWrites) {
    for (const auto& [key, name, stock] :
         {std::tuple{"Software\\Kestrel\\Arbor", "Precision", Sz("2")},
          {"Software\\Kestrel\\Arbor\\CutOptions", "SaveToStorageArea", Dword(1)},
          {"Software\\Kestrel\\Arbor\\CutOptions", "DosCutExtension", Sz("CUT")},
          {"Software\\Kestrel\\Arbor\\OrderOptions", "LayruleMethod", std::string(1, '\0')},
          {"Software\\Kestrel\\Quillon", "Model", Sz("")}})
        EXPECT_EQ(StockValue(Owned(key, name)), stock) << name;
    EXPECT_EQ(StockValue(Owned("Software\\Kestrel\\Arbor", "Notation")), std::nullopt) << "the region's";
}
