#include "kestrel_test.h"
#include "options/alteration.h"

using namespace optora;
using namespace optora::test;

class AlterationTest : public KestrelTest {};

TEST_F(AlterationTest, AFreshUserReadsZeroAndValuesAreWrittenAsFourByteBinary) {
    EXPECT_EQ(ReadAlteration(), 0);
    EXPECT_TRUE(KeyExists(kArbor)) << "the read creates the key";
    WriteAlteration(1);  // that absent counts as 0, and only a change is written: notifications_test
    const StoredValue stored = RequireStored(kArbor, "Alteration");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(stored.bytes, Bytes({1, 0, 0, 0}));
    for (int value : {-3, 0, 5, INT32_MIN, INT32_MAX}) {
        WriteAlteration(value);
        EXPECT_EQ(ReadAlteration(), value);
    }
}

TEST_F(AlterationTest, AKeyThatCannotBeOpenedForWritingReadsOneAndTakesNothing) {
    StoreInt32(kArbor, "Alteration", 5);
    SetKeyAccess(kArbor, "KR");
    EXPECT_EQ(ReadAlteration(), 1);
    WriteAlteration(9);
    SetKeyAccess(kArbor, "KA");
    EXPECT_EQ(RequireStored(kArbor, "Alteration").Int32(), 5);
}

TEST_F(AlterationTest, StoredValuesOfOtherSizesAndTypes) {
    const int64_t wide = 9;
    StoreRaw(kArbor, "Alteration", REG_BINARY, &wide, sizeof wide);
    EXPECT_EQ(ReadAlteration(), 0) << "too large to read: as if absent";
    StoreRaw(kArbor, "Alteration", REG_BINARY, "\x05\x00", 2);
    EXPECT_EQ(ReadAlteration(), 5);
    StoreText(kArbor, "Alteration", "7");
    EXPECT_EQ(ReadAlteration(), 0x37) << "a text gives its bytes";

    StoreRaw(kArbor, "Alteration", REG_BINARY, &wide, sizeof wide);
    WriteAlteration(3);
    EXPECT_EQ(RequireStored(kArbor, "Alteration").bytes, Bytes({3, 0, 0, 0})) << "rewritten at its own size";
}
