#include "output_test_support.h"
#include "store/registry_key.h"

using namespace optora;
using namespace optora::test;

constexpr const char* kDeep = "Software\\Kestrel\\Test\\Deep\\Key";

class RegistryKeyTest : public KestrelTest {};

TEST_F(RegistryKeyTest, ReadingNeverCreatesWritingCreatesEveryLevel) {
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    EXPECT_FALSE(key.OpenForReading());
    EXPECT_FALSE(key.IsOpen());
    // Nothing open: every read and write fails, and nothing is created.
    int32_t value = 7;
    std::string text = "stale";
    EXPECT_FALSE(key.ReadInt32("Count", value) || key.WriteInt32("Count", 1) || key.WriteText("Name", "x"));
    EXPECT_FALSE(key.ReadText("Name", text, "dflt"));
    EXPECT_EQ(text, "dflt");
    EXPECT_FALSE(KeyExists("Software\\Kestrel\\Test"));

    EXPECT_TRUE(key.OpenForWriting());
    EXPECT_TRUE(KeyExists(kDeep));
    EXPECT_TRUE(key.OpenForReading());
    EXPECT_TRUE(key.OpenForReading()) << "reopening closes the first key and opens again";

    StoreText(kDeep, "Name", "x");
    SetKeyAccess(kDeep, "KR");
    EXPECT_TRUE(key.OpenForReading() && key.ReadText("Name", text)) << "a key the user may only read";
    EXPECT_FALSE(key.OpenForWriting());
    SetKeyAccess(kDeep, "KA");
}

// Each option set's tests check the bytes and types its writes store.

TEST_F(RegistryKeyTest, ReadsGiveValueDefaultOrEmptyNeverGarbage) {
    // "Fits" takes 256 bytes with the terminator, "TooLong" 257.
    Store(kDeep, {{"Empty", ""}, {"Precision", "3"}, {"Fits", std::string(255, 'a').c_str()},
                  {"TooLong", std::string(256, 'b').c_str()}, {"BinaryOne", 1}, {"BinaryZero", 0}});
    StoreRaw(kDeep, "Embedded", REG_BINARY, "AB\0C", 4);
    StoreRaw(kDeep, "NoZero", REG_BINARY, "XYZ", 3);
    const std::string full(256, 'f');  // fills the buffer, with no room for a terminator
    StoreRaw(kDeep, "Full", REG_BINARY, full.data(), 256);
    const int64_t wide = 5;
    StoreRaw(kDeep, "Wide", REG_BINARY, &wide, sizeof wide);
    StoreRaw(kDeep, "Short", REG_BINARY, "\x09", 1);
    const struct { const char* name; const char* fallback; bool found; std::string text; } cases[] = {
        {"Missing", "2", false, "2"},      {"Missing", nullptr, false, ""},
        {"Empty", "2", true, ""},          {"Precision", "2", true, "3"},
        {"Fits", nullptr, true, std::string(255, 'a')}, {"TooLong", "dflt", false, "dflt"},
        {"Embedded", nullptr, true, "AB"}, {"NoZero", nullptr, true, "XYZ"},      {"Full", "dflt", false, "dflt"},
        // Flags are read as texts: the first byte decides.
        {"BinaryOne", nullptr, true, "\x01"}, {"BinaryZero", nullptr, true, ""},
    };
    RegistryKey key(HKEY_CURRENT_USER, kDeep);
    ASSERT_TRUE(key.OpenForReading());
    for (const auto& c : cases) {
        std::string text = "stale";
        EXPECT_EQ(c.fallback ? key.ReadText(c.name, text, c.fallback) : key.ReadText(c.name, text), c.found) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }

    // Integers: a larger value is refused, the type is never checked, and
    // nothing lands beyond the caller's size.
    int32_t value = 0;
    EXPECT_FALSE(key.ReadInt32("Wide", value) || key.ReadInt32("Missing", value));
    char bytes[8];
    EXPECT_FALSE(key.ReadRaw("Wide", bytes, 7));
    EXPECT_TRUE(key.ReadRaw("Wide", bytes, 8));
    value = 0;
    EXPECT_TRUE(key.ReadInt32("Precision", value));
    EXPECT_EQ(value, 0x33) << "a text read as an integer gives its bytes";
    value = 0x11111100;
    EXPECT_TRUE(key.ReadInt32("Short", value));
    EXPECT_EQ(value, 0x11111109) << "a shorter value fills only its own bytes";
}

TEST_F(RegistryKeyTest, UpdatesRewriteOnlyAValueOfAnotherTypeOrLength) {
    const struct { const char* stored; DWORD type; std::vector<uint8_t> bytes; bool rewritten; } cases[] = {
        {"same type and bytes", REG_BINARY, Bytes({1, 0, 0, 0}), false},
        {"a DWORD of the same bytes", REG_DWORD, Bytes({1, 0, 0, 0}), true},
        {"one byte longer", REG_BINARY, Bytes({1, 0, 0, 0, 0}), true},
        {"one byte shorter", REG_BINARY, Bytes({1, 0, 0}), true},
        {"text without its terminator", REG_SZ, Bytes({'a', 'b'}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        KestrelTest::SetUp();
        StoreRaw(kDeep, "Value", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        RegistryKey key(HKEY_CURRENT_USER, kDeep);
        ASSERT_TRUE(key.OpenForWriting());
        const unsigned long before = RegistryKey::WritesMade();
        EXPECT_TRUE(c.type == REG_SZ ? key.UpdateText("Value", "ab") : key.UpdateInt32("Value", int32_t{1}));
        EXPECT_EQ(RegistryKey::WritesMade() - before, c.rewritten ? 1u : 0u);
        EXPECT_TRUE(key.UpdateText("Text", "ab"));
        EXPECT_TRUE(key.UpdateText("Text", "ab"));
        EXPECT_EQ(RegistryKey::WritesMade() - before, c.rewritten ? 2u : 1u)
            << "a text stored once is not stored again";
    }
}

TEST_F(RegistryKeyTest, KeyObjectsLeakNoHandles) {
    StoreText(kDeep, "Name", "x");
    {
        RegistryKey key(HKEY_CURRENT_USER, kDeep);
        key.OpenForReading();
        key.OpenForWriting("Sub");
        key.OpenForReading("Missing");
        key.OpenForReading();
        EXPECT_EQ(OpenKestrelKeys(), 1);
    }
    EXPECT_EQ(OpenKestrelKeys(), 0);
}
