#include <gtest/gtest.h>

#include "options/policy_offers.h"
#include "options/settings_table.h"

using namespace optora;

TEST(OwnedValues, VariantKeysAreOneApplicationNameBelowTheirParent) {
    EXPECT_EQ(OwnedKey("software\\kestrel\\arbor\\cutoptions\\MINE"), std::string("Software\\Kestrel\\Arbor\\CutOptions"));
    EXPECT_TRUE(OwnedKey("Software\\Kestrel\\Arbor\\PlotOptions"));
    EXPECT_TRUE(OwnedKey("Software\\Kestrel\\Arbor\\PlotOptions\\" + std::string(kApplicationNameLimit, 'A')));
    EXPECT_FALSE(OwnedKey("Software\\Kestrel\\Arbor\\PlotOptions\\" + std::string(kApplicationNameLimit + 1, 'A')));
    EXPECT_FALSE(OwnedKey("Software\\Kestrel\\Arbor\\OrderOptions\\X"));
    EXPECT_FALSE(OwnedKey("Software\\Kestrel\\Arbor\\CutOptions\\"));
    EXPECT_EQ(FindOwned("Software\\Kestrel\\Velor\\Settings", "bundles_by")->set, OptionSet::Cut);
    EXPECT_EQ(FindOwned("Software\\Kestrel\\Velor\\Settings", "Notation"), nullptr);
}

// The first fault wins: type, then a binary's size, then a text's length, then the rule.
TEST(OwnedValues, ContentIsCheckedTypeFirstAndRuleLast) {
    using F = ContentFault;
    const std::string quillon = "Software\\Kestrel\\Quillon";
    const struct {
        const char* name;
        uint32_t type;
        std::string data;
        ContentFault fault;
    } cases[] = {
        {"StartingNumber", kTypeText, "1", F::WrongType},
        {"StartingNumber", kTypeBinary, std::string("\x10\x27\0", 3), F::WrongSize},  // also out of range
        {"StartingNumber", kTypeBinary, std::string("\x10\x27\0\0", 4), F::NotAllowed},
        {"StartingNumber", kTypeBinary, std::string("\x0f\x27\0\0", 4), F::None},
        {"Size", kTypeText, "123456", F::None},
        {"Size", kTypeText, "1234567", F::TooLong},  // the terminator a read adds counts
        {"Type", kTypeBinary, std::string("\xff\xff\xff\xff", 4), F::None},
        {"Type", kTypeBinary, std::string("\x02\0\0\0", 4), F::NotAllowed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckContent(*FindOwned(quillon, c.name), c.type, c.data), c.fault) << c.name << " " << c.data.size();
}

TEST(PolicyOffers, EachOwnedValueHasOnePolicyRowInTheTablesOrder) {
    ASSERT_EQ(kPolicyOfferCount, kOwnedValueCount);
    for (std::size_t i = 0; i < kOwnedValueCount; ++i)
        EXPECT_EQ(FindOffer(kOwnedValues[i]), &kPolicyOffers[i]) << kOwnedValues[i].key << " " << kOwnedValues[i].name;
}
