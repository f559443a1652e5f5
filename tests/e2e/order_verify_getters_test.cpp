// The order and digitize options getters as the suite calls them: through
// optora.dll, reading the records in place.
#include <filesystem>
#include <fstream>

#include "kestrel_test.h"
#include "optora.h"

using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kOrder = "Software\\Kestrel\\Arbor\\OrderOptions";
constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kQuillon = "Software\\Kestrel\\Quillon";

using OrderGetter = OrderOptions_tag* (*)();
using VerifyGetter = VerifyOptions_tag* (*)();

void MakeArea(const std::string& area, const std::string& rules) {
    const std::string directory = "c:\\userroot\\storage\\" + area;
    fs::create_directories(directory + "\\data");
    fs::create_directories(directory + "\\param");
    std::ofstream(directory + "\\data\\rutab.ctl", std::ios::binary) << rules;
}

class GettersTest : public KestrelTest {
protected:
    void TearDown() override {
        if (library_) FreeLibrary(library_);
    }
    void Load(const std::string& path) {
        library_ = LoadLibraryA(path.c_str());
        ASSERT_NE(library_, nullptr) << path << ": " << GetLastError();
    }
    template <typename Fn>
    Fn Entry(const char* name) {
        auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }

    HMODULE library_ = nullptr;
};

}  // namespace

TEST_F(GettersTest, OrderOptionsComeBackInTheSameRecordEveryCall) {
    Load("optora.dll");
    auto get = Entry<OrderGetter>("optora_getorderoptions");
    auto twin = Entry<OrderGetter>("_optora_getorderoptions");
    ASSERT_TRUE(get && twin);
    OrderOptions_tag* record = get();
    EXPECT_EQ(record->OverwriteMarker, 0);
    EXPECT_EQ(record->SplitPieceSeam, 0.375);
    EXPECT_EQ(record->LayruleMethod, 0);
    EXPECT_EQ(ReadStored(kOrder, "SplitPieceSeam")->bytes.size(), 8u);

    StoreInt32(kOrder, "OverwriteMarker", 2);
    record->LayruleMethod = 9;  // a caller's change does not survive the next call
    EXPECT_EQ(twin(), record);
    EXPECT_EQ(record->OverwriteMarker, 2);
    EXPECT_EQ(record->LayruleMethod, 0);
}

TEST_F(GettersTest, VerifyOptionsAreReadInPlaceAndWrittenBackNormalised) {
    MakeArea("AREA1", "RULES1\n");
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    StoreText(kQuillon, "Model", " abc/def ");
    StoreText(kQuillon, "GradeRule", "RULES1");
    StoreText(kQuillon, "Size", "XL");
    Load("optora.dll");
    auto get = Entry<VerifyGetter>("optora_getverifyoptions");
    auto twin = Entry<VerifyGetter>("_optora_getverifyoptions");
    ASSERT_TRUE(get && twin);
    const VerifyOptions_tag* record = get();
    EXPECT_STREQ(record->VerifyStorageArea, "C:AREA1");
    EXPECT_STREQ(record->Model.Text, "ABC-DEF");
    EXPECT_STREQ(record->GradeRule.Text, "RULES1");
    EXPECT_STREQ(record->Prefix.Text, "");
    EXPECT_STREQ(record->Size.Text, "XL");
    EXPECT_EQ(record->CategoryChB, 1);
    EXPECT_EQ(ReadStored(kQuillon, "Model")->Text(), "ABC-DEF");

    StoreText(kQuillon, "Size", "");
    StoreText(kQuillon, "GradeRule", "UNKNOWN");
    EXPECT_EQ(twin(), record);
    EXPECT_STREQ(record->Size.Text, "");
    EXPECT_STREQ(record->GradeRule.Text, "");
    EXPECT_EQ(ReadStored(kQuillon, "GradeRule")->Text(), "");
}

TEST_F(GettersTest, TheVerifyRecordLastsUntilTheLibraryUnloads) {
    StoreText(kQuillon, "Category", "CAT");
    for (int round = 0; round < 3; ++round) {
        Load("optora.dll");
        auto get = Entry<VerifyGetter>("optora_getverifyoptions");
        ASSERT_TRUE(get);
        EXPECT_STREQ(get()->Category.Text, "CAT") << round;
        EXPECT_STREQ(get()->VerifyStorageArea, "C:DATA70") << round;
        FreeLibrary(library_);
        library_ = nullptr;
    }
}

TEST_F(GettersTest, WithoutTheStorageAreaDatabaseNothingExists) {
    MakeArea("AREA1", "RULES1\n");
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    StoreText(kQuillon, "GradeRule", "RULES1");

    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const fs::path alone = fs::path(temp) / "optora-without-stordb";
    fs::remove_all(alone);
    fs::create_directories(alone);
    fs::copy_file(BesideTestProgram("optora.dll"), alone / "optora.dll");
    ASSERT_FALSE(fs::exists(alone / "stordb.dll"));

    Load((alone / "optora.dll").string());
    auto get = Entry<VerifyGetter>("optora_getverifyoptions");
    ASSERT_TRUE(get);
    const VerifyOptions_tag* record = get();
    EXPECT_STREQ(record->VerifyStorageArea, "C:DATA70");
    EXPECT_STREQ(record->GradeRule.Text, "");
    EXPECT_EQ(ReadStored(kArbor, "VerifyStorageArea")->Text(), "C:DATA70");
    FreeLibrary(library_);
    library_ = nullptr;
    fs::remove_all(alone);
}
