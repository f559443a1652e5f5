#include <cstring>

#include "kestrel_test.h"
#include "options/order_options.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kOrder = "Software\\Kestrel\\Arbor\\OrderOptions";

std::vector<uint8_t> DoubleBytes(double value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

void StoreDouble(const char* name, double value) { StoreRaw(kOrder, name, REG_BINARY, &value, sizeof value); }
void StoreByte(const char* name, uint8_t value) { StoreRaw(kOrder, name, REG_BINARY, &value, 1); }

class OrderOptionsTest : public KestrelTest {
protected:
    // The three values as the suite's other programs find them.
    static void ExpectStored(int32_t overwrite, double seam, uint8_t layrule) {
        const auto o = ReadStored(kOrder, "OverwriteMarker");
        const auto s = ReadStored(kOrder, "SplitPieceSeam");
        const auto l = ReadStored(kOrder, "LayruleMethod");
        ASSERT_TRUE(o && s && l);
        EXPECT_EQ(o->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(s->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(l->type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(o->bytes, Bytes({static_cast<uint8_t>(overwrite), 0, 0, 0}));
        EXPECT_EQ(s->bytes, DoubleBytes(seam));
        EXPECT_EQ(l->bytes, Bytes({layrule}));
    }
};

}  // namespace

TEST_F(OrderOptionsTest, NoKeyGivesTheDefaultsAndWritesThemAtTheirSizes) {
    OrderOptions_tag record;
    std::memset(&record, 0x5A, sizeof record);
    LoadOrderOptions(record);
    EXPECT_EQ(record.OverwriteMarker, 0);
    EXPECT_EQ(record.SplitPieceSeam, 0.375);
    EXPECT_EQ(record.LayruleMethod, 0);
    ExpectStored(0, 0.375, 0);
}

TEST_F(OrderOptionsTest, OneMissingValueRewritesAllThreeKeepingTheOthers) {
    StoreInt32(kOrder, "OverwriteMarker", 2);
    StoreByte("LayruleMethod", 1);
    OrderOptions_tag record = {};
    LoadOrderOptions(record);
    EXPECT_EQ(record.OverwriteMarker, 2);
    EXPECT_EQ(record.SplitPieceSeam, 0.375);
    EXPECT_EQ(record.LayruleMethod, 1);
    ExpectStored(2, 0.375, 1);

    RegDeleteKeyValueA(HKEY_CURRENT_USER, kOrder, "OverwriteMarker");
    StoreDouble("SplitPieceSeam", 1.25);
    LoadOrderOptions(record);
    EXPECT_EQ(record.OverwriteMarker, 0);
    EXPECT_EQ(record.SplitPieceSeam, 1.25);
    ExpectStored(0, 1.25, 1);
}

TEST_F(OrderOptionsTest, ACompleteSetIsReadAndNotWritten) {
    StoreInt32(kOrder, "OverwriteMarker", 1);
    StoreDouble("SplitPieceSeam", 0.5);
    // Stored with another type on purpose: a rewrite would make it REG_BINARY.
    StoreRaw(kOrder, "LayruleMethod", REG_DWORD, "\x02", 1);
    OrderOptions_tag record = {};
    for (int call = 0; call < 2; ++call) {
        LoadOrderOptions(record);
        EXPECT_EQ(record.OverwriteMarker, 1);
        EXPECT_EQ(record.SplitPieceSeam, 0.5);
        EXPECT_EQ(record.LayruleMethod, 2) << "the type is not checked";
    }
    EXPECT_EQ(ReadStored(kOrder, "LayruleMethod")->type, static_cast<DWORD>(REG_DWORD));
}

TEST_F(OrderOptionsTest, AValueLargerThanItsFieldCountsAsMissing) {
    StoreInt32(kOrder, "OverwriteMarker", 1);
    StoreDouble("SplitPieceSeam", 2.0);
    StoreInt32(kOrder, "LayruleMethod", 2);
    OrderOptions_tag record = {};
    LoadOrderOptions(record);
    EXPECT_EQ(record.LayruleMethod, 0);
    ExpectStored(1, 2.0, 0);

    const int64_t wide = 7;
    StoreRaw(kOrder, "OverwriteMarker", REG_BINARY, &wide, sizeof wide);
    StoreRaw(kOrder, "SplitPieceSeam", REG_BINARY, "0123456789", 10);
    LoadOrderOptions(record);
    EXPECT_EQ(record.OverwriteMarker, 0);
    EXPECT_EQ(record.SplitPieceSeam, 0.375);
    ExpectStored(0, 0.375, 0);
}

TEST_F(OrderOptionsTest, AShorterValueFillsOnlyTheFirstBytesOfItsField) {
    StoreRaw(kOrder, "OverwriteMarker", REG_BINARY, "\x02", 1);
    StoreDouble("SplitPieceSeam", 1.0);
    StoreByte("LayruleMethod", 0);
    OrderOptions_tag record = {};
    record.OverwriteMarker = 0x100;
    LoadOrderOptions(record);
    EXPECT_EQ(record.OverwriteMarker, 0x102);
    EXPECT_EQ(ReadStored(kOrder, "OverwriteMarker")->bytes, Bytes({2})) << "complete: not rewritten";
}
