// The digitize options against real storage areas on the prefix's C: drive,
// checked through the stordb.dll stand-in beside the test program.
#include "options/verify_options.h"
#include "output_test_support.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

class VerifyOptionsTest : public KestrelTest {
protected:
    VerifyOptions record_;
    VerifyOptionsStore store_{record_};
};

TEST_F(VerifyOptionsTest, NoKeysGiveTheDefaultsAndTheGetterWritesThem) {
    RefreshVerifyOptions(record_);
    const VerifyOptions& r = record_;
    // The empty designation never exists.
    ExpectValues(kArbor, {{"VerifyStorageArea", r.VerifyStorageArea, "C:DATA70"}});
    ExpectValues(kQuillon, {{"Category", r.Category.Text, ""}, {"Model", r.Model.Text, ""},
                            {"Prefix", r.Prefix.Text, ""}, {"GradeRule", r.GradeRule.Text, ""},
                            {"Size", r.Size.Text, ""}, {"Type", r.Type, 0},
                            {"CategoryChB", r.CategoryChB, 1}, {"StartingNumber", r.StartingNumber, 0}});
}

TEST_F(VerifyOptionsTest, StoredValuesLoadAndOnlyACategoryChBOfOneIsTrue) {
    MakeStorageArea("AREA1");
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    // Only the model is normalised.
    Store(kQuillon, {{"Category", "SLEEVES"}, {"Model", " abc/def "}, {"Prefix", "px"}, {"Size", "M"},
                     {"StartingNumber", 42}, {"Type", 1}, {"CategoryChB", 2}});
    RefreshVerifyOptions(record_);
    const VerifyOptions& r = record_;
    ExpectValues(nullptr, {{"VerifyStorageArea", r.VerifyStorageArea, "C:AREA1"},
                           {"Category", r.Category.Text, "SLEEVES"},
                           {"Prefix", r.Prefix.Text, "px"}, {"Size", r.Size.Text, "M"},
                           {"StartingNumber", r.StartingNumber, 42}, {"Type", r.Type, 1}});
    ExpectValues(kQuillon, {{"CategoryChB", r.CategoryChB, 0}, {"Model", r.Model.Text, "ABC-DEF"}});

    StoreRaw(kQuillon, "CategoryChB", REG_BINARY, "\x01", 1);
    store_.Load();
    EXPECT_EQ(record_.CategoryChB, 1) << "a one-byte 1";
    StoreInt32(kQuillon, "CategoryChB", 0);
    store_.Load();
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kQuillon, "CategoryChB");
    store_.Load();
    EXPECT_EQ(record_.CategoryChB, 1) << "a missing one";

    // Without the general key the storage area in the record is kept.
    RegDeleteTreeA(HKEY_CURRENT_USER, kArbor);
    record_.SetStorageArea("C:AREA1");
    store_.Load();
    EXPECT_STREQ(record_.VerifyStorageArea, "C:AREA1");
}

TEST_F(VerifyOptionsTest, UnknownStorageAreasBecomeTheDefault) {
    MakeStorageArea("AREA1");
    fs::create_directories("c:\\userroot\\storage\\HALF\\data");
    for (const char* designation : {"C:NOWHERE", "C:HALF", "AREA1", ":AREA1", "", "C:AREA1\\data"}) {
        StoreText(kArbor, "VerifyStorageArea", designation);
        RefreshVerifyOptions(record_);
        ExpectValues(kArbor, {{"VerifyStorageArea", record_.VerifyStorageArea, "C:DATA70"}});
    }
    StoreText(kArbor, "VerifyStorageArea", "c:area1");
    RefreshVerifyOptions(record_);
    EXPECT_STREQ(record_.VerifyStorageArea, "c:area1") << "kept as written";
}

TEST_F(VerifyOptionsTest, GradeRulesAreLookedUpInTheControlFileOfTheirKind) {
    MakeStorageArea("AREA1", {{"data\\rutab.ctl", "RULES1\r\nRULES2\r\n"}, {"data\\piece.ctl", "FRONT\n"}});
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    const struct { int type; const char* stored; const char* kept; } cases[] = {
        {0, "RULES2", "RULES2"}, {0, "FRONT", ""},  {1, "FRONT", "FRONT"}, {1, "RULES1", ""},
        {2, "RULES1", "RULES1"}, {0, "NOTHERE", ""}, {0, "", ""},
    };
    for (const auto& c : cases) {
        StoreInt32(kQuillon, "Type", c.type);
        StoreText(kQuillon, "GradeRule", c.stored);
        RefreshVerifyOptions(record_);
        SCOPED_TRACE(testing::Message() << c.type << " " << c.stored);
        ExpectValues(kQuillon, {{"GradeRule", record_.GradeRule.Text, c.kept}});
    }

    // Looked up in the storage area that validation left.
    MakeStorageArea("DATA70", {{"data\\rutab.ctl", "BASIC\n"}});
    StoreText(kArbor, "VerifyStorageArea", "C:GONE");
    StoreInt32(kQuillon, "Type", 0);
    StoreText(kQuillon, "GradeRule", "BASIC");
    RefreshVerifyOptions(record_);
    ExpectValues(nullptr, {{"VerifyStorageArea", record_.VerifyStorageArea, "C:DATA70"},
                           {"GradeRule", record_.GradeRule.Text, "BASIC"}});

    // A control file path longer than 255 characters finds nothing:
    // "C:\userroot\storage\" + area + "\data\rutab.ctl" is 35 characters more than the area.
    for (const size_t areaLength : {220u, 221u}) {
        const std::string area(areaLength, 'A');
        MakeStorageArea(area, {{"data\\rutab.ctl", "RULES1\n"}});
        StoreText(kArbor, "VerifyStorageArea", "C:" + area);
        StoreText(kQuillon, "GradeRule", "RULES1");
        RefreshVerifyOptions(record_);
        EXPECT_EQ(record_.StorageArea(), "C:" + area);
        EXPECT_STREQ(record_.GradeRule.Text, areaLength == 220 ? "RULES1" : "") << areaLength;
    }
}

TEST_F(VerifyOptionsTest, SaveReportsWhatChanged) {
    MakeStorageArea("DATA70");
    MakeStorageArea("AREA1");
    store_.Load();
    uint32_t changes = 99;
    for (int call = 0; call < 2; ++call) {
        EXPECT_TRUE(store_.Save(changes));
        EXPECT_EQ(changes, kDigitizingWritten) << "nothing stored reads as the default, the same area";
    }

    record_.SetStorageArea("C:AREA1");
    VerifyOptions::Assign(record_.Prefix, "PX");
    record_.StartingNumber = 9999;
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, 3u);
    ExpectValues(kArbor, {{"VerifyStorageArea", "C:AREA1"}});
    ExpectValues(kQuillon, {{"Prefix", "PX"}, {"StartingNumber", 9999}});

    record_.SetStorageArea("C:MISSING");
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, 3u) << "validated to the default first, which differs from AREA1";
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70");

    // A digitizing key that cannot be written: false, but the general key is written all the same.
    SetKeyAccess(kQuillon, "KR");
    record_.SetStorageArea("C:AREA1");
    VerifyOptions::Assign(record_.Prefix, "LOST");
    const bool saved = store_.Save(changes);
    SetKeyAccess(kQuillon, "KA");
    EXPECT_FALSE(saved);
    EXPECT_EQ(changes, kStorageAreaChanged);
    ExpectValues(kQuillon, {{"Prefix", "PX"}});
    ExpectValues(kArbor, {{"VerifyStorageArea", "C:AREA1"}});
}

TEST_F(VerifyOptionsTest, TextsAndStorageAreasAreBounded) {
    record_.SetStorageArea(std::string(300, 'x'));
    EXPECT_EQ(record_.StorageArea(), std::string(255, 'x'));
    EXPECT_EQ(record_.VerifyStorageArea[255], '\0');

    // 256 bytes without a terminator are what the registry read can give.
    const std::string unterminated = "C:" + std::string(254, 'Z');
    StoreRaw(kArbor, "VerifyStorageArea", REG_SZ, unterminated.data(), 256);
    store_.Load();
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70") << "cut, then not found";

    std::memset(record_.VerifyStorageArea, 'Q', sizeof record_.VerifyStorageArea);  // as a careless caller might
    std::memcpy(record_.VerifyStorageArea, "C:", 2);
    EXPECT_EQ(record_.StorageArea().size(), 255u);
    store_.Validate();
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70");

    // Texts are cut at a zero, and an empty one is never null.
    VerifyOptions::Assign(record_.Size, std::string_view("XL\0B", 4));
    EXPECT_STREQ(record_.Size.Text, "XL");
    VerifyOptions::Assign(record_.Size, "");
    EXPECT_STREQ(record_.Size.Text, "");
}
