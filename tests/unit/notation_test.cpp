#include "kestrel_test.h"
#include "options/notation.h"

using namespace optora;
using namespace optora::test;

class NotationTest : public KestrelTest {};

struct NotationCase { const char* stored; bool usRegion; int expected; };  // stored null: no value

TEST_F(NotationTest, StoredTextOrRegionDecides) {
    const NotationCase cases[] = {
        {nullptr, true, 1}, {nullptr, false, 0}, {"1", false, 1}, {"0", true, 0},  {"", true, 1},
        {"", false, 0},     {"2", true, 0},      {" 1", false, 1}, {"1x", false, 1}, {"x", true, 0},
        {"-1", true, 0},
    };
    for (const NotationCase& c : cases) {
        SetUp();
        SetRegionalMeasurement(c.usRegion);
        if (c.stored) StoreText(kArbor, "Notation", c.stored);
        EXPECT_EQ(ReadNotation(), c.expected) << "stored '" << (c.stored ? c.stored : "(none)") << "' US "
                                              << c.usRegion;
        if (!c.stored) {
            EXPECT_FALSE(KeyExists(kArbor)) << "the region's answer is not written";
        }
    }
}

TEST_F(NotationTest, PrecisionIsTheStoredNumberUncheckedOrTwo) {
    EXPECT_EQ(ReadPrecision(), 2);
    EXPECT_FALSE(KeyExists(kArbor)) << "nor is the default";
    const std::pair<const char*, int> cases[] = {{"3", 3}, {"-1", -1}, {"", 2}, {"x", 0}, {"5", 5}, {"0", 0}};
    for (const auto& [stored, expected] : cases) {
        StoreText(kArbor, "Precision", stored);
        EXPECT_EQ(ReadPrecision(), expected) << stored;
    }
}

TEST_F(NotationTest, WrongTypesAndSizesFallBackSanely) {
    StoreInt32(kArbor, "Notation", 1);  // binary 1 is the text "\x01", not "1"
    StoreInt32(kArbor, "Precision", 0);  // binary 0 reads as an empty text
    SetRegionalMeasurement(true);
    EXPECT_EQ(ReadNotation(), 0);
    EXPECT_EQ(ReadPrecision(), 2);

    StoreText(kArbor, "Notation", std::string(300, '0'));  // too long to read: as if absent
    StoreText(kArbor, "Precision", std::string(300, '3'));
    EXPECT_EQ(ReadNotation(), 1);
    EXPECT_EQ(ReadPrecision(), 2);
}
