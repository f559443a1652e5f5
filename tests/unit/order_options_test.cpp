#include <cmath>
#include <cstring>

#include "kestrel_test.h"
#include "options/order_options.h"

using namespace optora;
using namespace optora::test;

template <typename T>
std::string Raw(T value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// The bytes a value is stored with, or none.
using Stored = std::optional<std::string>;

class OrderOptionsTest : public KestrelTest {};

// Each value is read into its field as far as its bytes go; one that is
// missing or larger than its field makes all three be rewritten at their
// sizes (4, 8 and 1 bytes), and a complete set is never written.
TEST_F(OrderOptionsTest, EachSetLoadsAndOnlyAnIncompleteOneIsRewritten) {
    const struct { const char* what; Stored overwrite, seam, layrule; int32_t wantOverwrite; double wantSeam;
        int wantLayrule; bool rewritten; } cases[] = {
        {"no key", {}, {}, {}, 0, 0.375, 0, true},
        {"seam missing", Raw(int32_t{2}), {}, Raw(uint8_t{1}), 2, 0.375, 1, true},
        {"overwrite missing", {}, Raw(1.25), Raw(uint8_t{1}), 0, 1.25, 1, true},
        {"complete", Raw(int32_t{1}), Raw(0.5), Raw(uint8_t{2}), 1, 0.5, 2, false},
        {"layrule of 4 bytes", Raw(int32_t{1}), Raw(2.0), Raw(int32_t{2}), 1, 2.0, 0, true},
        {"wide overwrite, seam of 10 bytes", Raw(int64_t{7}), std::string(10, 'S'), Raw(uint8_t{0}), 0, 0.375, 0, true},
        {"seam not a number", Raw(int32_t{1}), Raw(std::nan("")), Raw(uint8_t{2}), 1, 0.375, 2, true},
        {"seam infinite", Raw(int32_t{1}), Raw(-HUGE_VAL), Raw(uint8_t{2}), 1, 0.375, 2, true},
        {"overwrite of 1 byte", std::string("\x02"), Raw(1.0), Raw(uint8_t{0}), 0x5A5A5A02, 1.0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();  // a clean registry for each case
        // Stored with another type on purpose: a rewrite would make them REG_BINARY.
        const std::pair<const char*, const Stored&> values[] = {
            {"OverwriteMarker", c.overwrite}, {"SplitPieceSeam", c.seam}, {"LayruleMethod", c.layrule}};
        for (const auto& [name, bytes] : values)
            if (bytes) StoreRaw(kOrderKey, name, REG_DWORD, bytes->data(), static_cast<DWORD>(bytes->size()));
        OrderOptions_tag record;
        std::memset(&record, 0x5A, sizeof record);
        LoadOrderOptions(record);  // a second load writing nothing: quiet_saves_test
        EXPECT_EQ(record.OverwriteMarker, c.wantOverwrite);
        EXPECT_EQ(record.SplitPieceSeam, c.wantSeam);
        EXPECT_EQ(record.LayruleMethod, c.wantLayrule);
        const Stored expected[] = {Raw(c.wantOverwrite), Raw(c.wantSeam), Raw(static_cast<uint8_t>(c.wantLayrule))};
        for (int i = 0; i < 3; ++i) {
            const auto stored = ReadStored(kOrderKey, values[i].first);
            ASSERT_TRUE(stored) << values[i].first;
            const Stored& want = c.rewritten ? expected[i] : values[i].second;
            EXPECT_EQ(stored->type, static_cast<DWORD>(c.rewritten ? REG_BINARY : REG_DWORD)) << values[i].first;
            EXPECT_EQ(std::string(stored->bytes.begin(), stored->bytes.end()), *want) << values[i].first;
        }
    }
}
