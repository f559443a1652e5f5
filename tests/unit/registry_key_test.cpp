#include <cstring>

#include "kestrel_test.h"
#include "store/registry_key.h"

using namespace optora;
using namespace optora::test;

namespace {
constexpr const char* kDeep = "Software\\Kestrel\\Test\\Deep\\Key";

class RegistryKeyTest : public KestrelTest {};
}  // namespace

TEST_F(RegistryKeyTest, ReadingNeverCreatesWritingCreatesEveryLevel) {
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    EXPECT_FALSE(key.OpenForReading());
    EXPECT_FALSE(key.IsOpen());
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Test"));

    EXPECT_TRUE(key.OpenForWriting());
    EXPECT_TRUE(KeyExists(kDeep));
    EXPECT_TRUE(key.OpenForReading());
    EXPECT_TRUE(key.OpenForReading()) << "reopening closes the first key and opens again";
}

TEST_F(RegistryKeyTest, SubkeyFormOpensBelowThePathAndFailsCleanly) {
    RegistryKey key(HKEY_CURRENT_USER, "Software\\Kestrel\\Test");
    EXPECT_FALSE(key.OpenForReading("Sub")) << "parent missing";
    EXPECT_TRUE(key.OpenForWriting("Sub"));
    EXPECT_TRUE(key.WriteText("Where", "sub"));
    EXPECT_EQ(ReadStored("Software\\Kestrel\\Test\\Sub", "Where")->Text(), "sub");

    EXPECT_FALSE(key.OpenForReading("Missing"));
    EXPECT_FALSE(key.IsOpen()) << "a failed subkey open leaves nothing open";
    EXPECT_FALSE(key.WriteText("Where", "lost"));
    EXPECT_FALSE(ReadStored("Software\\Kestrel\\Test", "Where").has_value());
}

TEST_F(RegistryKeyTest, WritesUseTheSuiteEncodings) {
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    ASSERT_TRUE(key.OpenForWriting());
    EXPECT_TRUE(key.WriteText("Notation", "Metric"));
    EXPECT_TRUE(key.WriteText("Empty", std::string()));
    EXPECT_TRUE(key.WriteInt32("Count", 0x01020304));
    const double seam = 0.375;
    EXPECT_TRUE(key.WriteBinary("Seam", &seam, sizeof seam));

    auto text = ReadStored(kDeep, "Notation");
    EXPECT_EQ(text->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(text->bytes, Bytes({'M', 'e', 't', 'r', 'i', 'c', 0})) << "7 bytes, terminator stored";
    EXPECT_EQ(ReadStored(kDeep, "Empty")->bytes, Bytes({0}));
    auto count = ReadStored(kDeep, "Count");
    EXPECT_EQ(count->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(count->bytes, Bytes({4, 3, 2, 1})) << "little-endian, as in memory";
    EXPECT_EQ(ReadStored(kDeep, "Seam")->bytes.size(), 8u);
}

TEST_F(RegistryKeyTest, NothingOpenMeansEveryReadAndWriteFails) {
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    int32_t value = 7;
    EXPECT_FALSE(key.ReadInt32("Count", value));
    EXPECT_FALSE(key.WriteInt32("Count", 1));
    EXPECT_FALSE(key.WriteText("Name", "x"));
    std::string text = "stale";
    EXPECT_FALSE(key.ReadText("Name", text, "dflt"));
    EXPECT_EQ(text, "dflt");
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Test"));
}

TEST_F(RegistryKeyTest, ReadTextGivesValueDefaultOrEmptyNeverGarbage) {
    StoreText(kDeep, "Empty", "");
    StoreText(kDeep, "Precision", "3");
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    ASSERT_TRUE(key.OpenForReading());

    std::string text = "stale";
    EXPECT_FALSE(key.ReadText("Missing", text, "2"));
    EXPECT_EQ(text, "2");
    text = "stale";
    EXPECT_FALSE(key.ReadText("Missing", text));
    EXPECT_EQ(text, "");
    EXPECT_TRUE(key.ReadText("Empty", text, "2"));
    EXPECT_EQ(text, "") << "a stored empty text is a value, not a miss";
    EXPECT_TRUE(key.ReadText("Precision", text, "2"));
    EXPECT_EQ(text, "3");
}

TEST_F(RegistryKeyTest, ReadTextHonoursItsLimitAndRawBytes) {
    StoreText(kDeep, "Fits", std::string(255, 'a'));       // 256 bytes with the terminator
    StoreText(kDeep, "TooLong", std::string(256, 'b'));    // 257 bytes
    const char raw[] = {'A', 'B', 0, 'C'};
    StoreRaw(kDeep, "Embedded", REG_BINARY, raw, sizeof raw);
    StoreRaw(kDeep, "NoZero", REG_BINARY, "XYZ", 3);
    StoreInt32(kDeep, "BinaryOne", 1);
    StoreInt32(kDeep, "BinaryZero", 0);

    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    ASSERT_TRUE(key.OpenForReading());
    std::string text;
    EXPECT_TRUE(key.ReadText("Fits", text));
    EXPECT_EQ(text.size(), 255u);
    EXPECT_FALSE(key.ReadText("TooLong", text, "dflt"));
    EXPECT_EQ(text, "dflt");
    EXPECT_TRUE(key.ReadText("Embedded", text));
    EXPECT_EQ(text, "AB");
    EXPECT_TRUE(key.ReadText("NoZero", text));
    EXPECT_EQ(text, "XYZ");
    EXPECT_TRUE(key.ReadText("BinaryOne", text));
    EXPECT_EQ(text, "\x01") << "flags are read as text: the first byte decides";
    EXPECT_TRUE(key.ReadText("BinaryZero", text));
    EXPECT_EQ(text, "");
}

TEST_F(RegistryKeyTest, ReadRawRefusesLargerValuesAndIgnoresType) {
    const int64_t wide = 5;
    StoreRaw(kDeep, "Wide", REG_BINARY, &wide, sizeof wide);
    StoreText(kDeep, "Text", "7");
    StoreRaw(kDeep, "Short", REG_BINARY, "\x09", 1);

    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    ASSERT_TRUE(key.OpenForReading());
    int32_t value = 0;
    EXPECT_FALSE(key.ReadInt32("Wide", value));
    EXPECT_FALSE(key.ReadInt32("Missing", value));
    value = 0;
    EXPECT_TRUE(key.ReadInt32("Text", value));
    EXPECT_EQ(value, 0x37) << "a text read as an integer gives its bytes";
    value = 0x11111100;
    EXPECT_TRUE(key.ReadInt32("Short", value));
    EXPECT_EQ(value, 0x11111109) << "a shorter value fills only its own bytes";
}

namespace {
// Wine counts no handles (GetProcessHandleCount gives 0), but both it and
// Windows hand out the lowest free handle slot: after a leak, a fresh handle
// lands far above where it landed before.
uintptr_t NextHandleSlot() {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kDeep, 0, KEY_READ, &key), ERROR_SUCCESS);
    const uintptr_t slot = reinterpret_cast<uintptr_t>(key);
    RegCloseKey(key);
    return slot;
}
}  // namespace

TEST_F(RegistryKeyTest, ManyKeyObjectsLeakNoHandles) {
    StoreText(kDeep, "Name", "x");
    const uintptr_t before = NextHandleSlot();
    for (int i = 0; i < 2000; ++i) {
        RegistryKey key(HKEY_CURRENT_USER, kDeep);
        key.OpenForReading();
        key.OpenForWriting("Sub");
        key.OpenForReading("Missing");
        key.OpenForReading();
    }
    EXPECT_LT(NextHandleSlot(), before + 64);

    std::vector<HKEY> leaked(200);  // the probe does see a leak
    for (HKEY& key : leaked) RegOpenKeyExA(HKEY_CURRENT_USER, kDeep, 0, KEY_READ, &key);
    EXPECT_GT(NextHandleSlot(), before + 200);
    for (HKEY key : leaked) RegCloseKey(key);
}
