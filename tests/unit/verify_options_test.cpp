// The digitize options against real storage areas on the prefix's C: drive,
// checked through the stordb.dll stand-in beside the test program.
#include <windows.h>
#include <sddl.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "kestrel_test.h"
#include "options/verify_options.h"

using namespace optora;
using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kQuillon = "Software\\Kestrel\\Quillon";

std::string AreaDirectory(const std::string& area) { return "c:\\userroot\\storage\\" + area; }

void MakeArea(const std::string& area) {
    fs::create_directories(AreaDirectory(area) + "\\data");
    fs::create_directories(AreaDirectory(area) + "\\param");
}

void WriteControlFile(const std::string& area, const char* file, const std::string& content) {
    std::ofstream(AreaDirectory(area) + "\\data\\" + file, std::ios::binary) << content;
}

std::string Text(const OptoraText& text) {
    EXPECT_NE(text.Text, nullptr);
    return text.Text ? text.Text : "<null>";
}

std::vector<uint8_t> SzBytes(const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

void ExpectStoredText(const char* path, const char* name, const std::string& text) {
    const auto stored = ReadStored(path, name);
    ASSERT_TRUE(stored) << name;
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(stored->bytes, SzBytes(text)) << name;
}

void ExpectStoredInt32(const char* name, int32_t value) {
    const auto stored = ReadStored(kQuillon, name);
    ASSERT_TRUE(stored) << name;
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY)) << name;
    EXPECT_EQ(stored->bytes.size(), 4u) << name;
    EXPECT_EQ(stored->Int32(), value) << name;
}

// A key the user may read but not write, for as long as the object lives.
class ReadOnlyKey {
public:
    explicit ReadOnlyKey(const char* path) : path_(path) {
        StoreInt32(path, "placeholder", 0);
        SetDacl("D:P(A;;KR;;;WD)");
    }
    ~ReadOnlyKey() { SetDacl("D:P(A;;KA;;;WD)"); }

private:
    void SetDacl(const char* sddl) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr));
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, path_, 0, WRITE_DAC, &key), ERROR_SUCCESS);
        EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
        RegCloseKey(key);
        LocalFree(descriptor);
    }
    const char* path_;
};

class VerifyOptionsTest : public KestrelTest {
protected:
    VerifyOptions record_;
    VerifyOptionsStore store_{record_};
};

}  // namespace

TEST_F(VerifyOptionsTest, NoKeysGiveTheDefaultsAndTheGetterWritesThem) {
    RefreshVerifyOptions(record_);
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70") << "the empty designation never exists";
    EXPECT_EQ(record_.CategoryChB, 1);
    EXPECT_EQ(record_.StartingNumber, 0u);
    EXPECT_EQ(record_.Type, 0);
    EXPECT_EQ(Text(record_.Model) + Text(record_.GradeRule) + Text(record_.Prefix) + Text(record_.Category) +
                  Text(record_.Size),
              "");

    ExpectStoredText(kArbor, "VerifyStorageArea", "C:DATA70");
    for (const char* name : {"Category", "Model", "Prefix", "GradeRule", "Size"}) ExpectStoredText(kQuillon, name, "");
    ExpectStoredInt32("Type", 0);
    ExpectStoredInt32("CategoryChB", 1);
    ExpectStoredInt32("StartingNumber", 0);
}

TEST_F(VerifyOptionsTest, StoredValuesLoadAndOnlyACategoryChBOfOneIsTrue) {
    MakeArea("AREA1");
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    StoreText(kQuillon, "Category", "SLEEVES");
    StoreText(kQuillon, "Prefix", "px");
    StoreText(kQuillon, "Size", "M");
    StoreInt32(kQuillon, "StartingNumber", 42);
    StoreInt32(kQuillon, "Type", 1);
    StoreInt32(kQuillon, "CategoryChB", 2);
    RefreshVerifyOptions(record_);
    EXPECT_STREQ(record_.VerifyStorageArea, "C:AREA1");
    EXPECT_EQ(Text(record_.Category), "SLEEVES");
    EXPECT_EQ(Text(record_.Prefix), "px") << "only the model is normalised";
    EXPECT_EQ(Text(record_.Size), "M");
    EXPECT_EQ(record_.StartingNumber, 42u);
    EXPECT_EQ(record_.Type, 1);
    EXPECT_EQ(record_.CategoryChB, 0);
    ExpectStoredInt32("CategoryChB", 0);

    StoreRaw(kQuillon, "CategoryChB", REG_BINARY, "\x01", 1);
    store_.Load();
    EXPECT_EQ(record_.CategoryChB, 1) << "a one-byte 1";
}

TEST_F(VerifyOptionsTest, UnknownStorageAreasBecomeTheDefault) {
    MakeArea("AREA1");
    fs::create_directories(AreaDirectory("HALF") + "\\data");
    for (const char* designation : {"C:NOWHERE", "C:HALF", "AREA1", ":AREA1", "", "C:AREA1\\data"}) {
        StoreText(kArbor, "VerifyStorageArea", designation);
        RefreshVerifyOptions(record_);
        EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70") << designation;
        ExpectStoredText(kArbor, "VerifyStorageArea", "C:DATA70");
    }
    StoreText(kArbor, "VerifyStorageArea", "c:area1");
    RefreshVerifyOptions(record_);
    EXPECT_STREQ(record_.VerifyStorageArea, "c:area1") << "kept as written";
}

TEST_F(VerifyOptionsTest, WithoutTheGeneralKeyTheStorageAreaIsKept) {
    MakeArea("AREA1");
    record_.SetStorageArea("C:AREA1");
    StoreInt32(kQuillon, "Type", 0);
    store_.Load();
    EXPECT_STREQ(record_.VerifyStorageArea, "C:AREA1");
}

TEST_F(VerifyOptionsTest, GradeRulesAreLookedUpInTheControlFileOfTheirKind) {
    MakeArea("AREA1");
    WriteControlFile("AREA1", "rutab.ctl", "RULES1\r\nRULES2\r\n");
    WriteControlFile("AREA1", "piece.ctl", "FRONT\n");
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    const struct {
        int type;
        const char* stored;
        const char* kept;
    } cases[] = {
        {0, "RULES2", "RULES2"}, {0, "FRONT", ""},  {1, "FRONT", "FRONT"}, {1, "RULES1", ""},
        {2, "RULES1", "RULES1"}, {0, "NOTHERE", ""}, {0, "", ""},
    };
    for (const auto& c : cases) {
        StoreInt32(kQuillon, "Type", c.type);
        StoreText(kQuillon, "GradeRule", c.stored);
        RefreshVerifyOptions(record_);
        EXPECT_EQ(Text(record_.GradeRule), c.kept) << c.type << " " << c.stored;
        ExpectStoredText(kQuillon, "GradeRule", c.kept);
    }
}

TEST_F(VerifyOptionsTest, TheGradeRuleIsCheckedInTheStorageAreaThatValidationLeft) {
    MakeArea("DATA70");
    WriteControlFile("DATA70", "rutab.ctl", "BASIC\n");
    StoreText(kArbor, "VerifyStorageArea", "C:GONE");
    StoreText(kQuillon, "GradeRule", "BASIC");
    RefreshVerifyOptions(record_);
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70");
    EXPECT_EQ(Text(record_.GradeRule), "BASIC");
}

TEST_F(VerifyOptionsTest, AControlFilePathLongerThan255CharactersFindsNothing) {
    // "C:\userroot\storage\" + area + "\data\rutab.ctl" is 35 characters more than the area.
    for (const size_t areaLength : {220u, 221u}) {
        const std::string area(areaLength, 'A');
        MakeArea(area);
        WriteControlFile(area, "rutab.ctl", "RULES1\n");
        StoreText(kArbor, "VerifyStorageArea", "C:" + area);
        StoreText(kQuillon, "GradeRule", "RULES1");
        RefreshVerifyOptions(record_);
        EXPECT_EQ(record_.StorageArea(), "C:" + area);
        EXPECT_EQ(Text(record_.GradeRule), areaLength == 220 ? "RULES1" : "") << areaLength;
    }
}

TEST_F(VerifyOptionsTest, TheModelIsStoredNormalised) {
    const struct {
        const char* stored;
        const char* normalised;
    } cases[] = {
        {" abc/def ", "ABC-DEF"},
        {"  my model#1 ", "MY MODEL-1"},
        {"abcdefghijklmnopqrstuvwxy", "ABCDEFGHIJKLMNOPQRST"},
        {"\t\r\n ", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        StoreText(kQuillon, "Model", c.stored);
        RefreshVerifyOptions(record_);
        EXPECT_EQ(Text(record_.Model), c.normalised) << c.stored;
        ExpectStoredText(kQuillon, "Model", c.normalised);
    }
}

TEST_F(VerifyOptionsTest, SaveReportsWhatChanged) {
    MakeArea("DATA70");
    MakeArea("AREA1");
    store_.Load();
    uint32_t changes = 99;
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, kDigitizingWritten) << "nothing stored reads as the default, the same area";
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, kDigitizingWritten);

    record_.SetStorageArea("C:AREA1");
    VerifyOptions::Assign(record_.Prefix, "PX");
    record_.StartingNumber = 9999;
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, 3u);
    ExpectStoredText(kArbor, "VerifyStorageArea", "C:AREA1");
    ExpectStoredText(kQuillon, "Prefix", "PX");
    ExpectStoredInt32("StartingNumber", 9999);

    record_.SetStorageArea("C:MISSING");
    EXPECT_TRUE(store_.Save(changes));
    EXPECT_EQ(changes, 3u) << "validated to the default first, which differs from AREA1";
    EXPECT_STREQ(record_.VerifyStorageArea, "C:DATA70");
}

TEST_F(VerifyOptionsTest, ADigitizingKeyThatCannotBeWrittenGivesFalse) {
    MakeArea("AREA1");
    uint32_t changes = 0;
    {
        ReadOnlyKey locked(kQuillon);
        HKEY probe = nullptr;
        ASSERT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, kQuillon, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &probe, nullptr),
                  ERROR_SUCCESS)
            << "the registry did not refuse the write";
        record_.SetStorageArea("C:AREA1");
        EXPECT_FALSE(store_.Save(changes));
        EXPECT_EQ(changes, kStorageAreaChanged);
        EXPECT_FALSE(ReadStored(kQuillon, "Prefix").has_value());
    }
    // The general key was written all the same.
    ExpectStoredText(kArbor, "VerifyStorageArea", "C:AREA1");
}

TEST_F(VerifyOptionsTest, StorageAreasAreCutTo255Characters) {
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
}

TEST_F(VerifyOptionsTest, TextsAreCutAtAZeroAndEmptyOnesAreNeverNull) {
    VerifyOptions::Assign(record_.Size, std::string_view("XL\0B", 4));
    EXPECT_EQ(Text(record_.Size), "XL");
    VerifyOptions::Assign(record_.Size, "");
    EXPECT_EQ(Text(record_.Size), "");
}
