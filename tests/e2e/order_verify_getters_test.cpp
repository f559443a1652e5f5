// The order and digitize options getters as the suite calls them: through
// optora.dll, reading the records in place.
#include <filesystem>
#include <fstream>

#include "kestrel_test.h"
#include "optora.h"

using namespace optora::test;
namespace fs = std::filesystem;

namespace {

constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kQuillon = "Software\\Kestrel\\Quillon";

void MakeArea(const std::string& area, const std::string& rules) {
    const std::string directory = "c:\\userroot\\storage\\" + area;
    fs::create_directories(directory + "\\data");
    fs::create_directories(directory + "\\param");
    std::ofstream(directory + "\\data\\rutab.ctl", std::ios::binary) << rules;
}

using OrderGetter = OrderOptions_tag* (*)();
using VerifyGetter = VerifyOptions_tag* (*)();

class GettersTest : public KestrelTest {
protected:
    void TearDown() override { Unload(); }
    void Load(const std::string& path = "optora.dll") {
        library_ = LoadLibraryA(path.c_str());
        ASSERT_NE(library_, nullptr) << path << ": " << GetLastError();
    }
    void Unload() {
        if (library_) FreeLibrary(library_);
        library_ = nullptr;
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

TEST_F(GettersTest, EachGetterAndItsTwinHandOutOneRecordReadAfresh) {
    Load();
    auto getOrder = Entry<OrderGetter>("optora_getorderoptions");
    auto twinOrder = Entry<OrderGetter>("_optora_getorderoptions");
    auto getVerify = Entry<VerifyGetter>("optora_getverifyoptions");
    auto twinVerify = Entry<VerifyGetter>("_optora_getverifyoptions");
    ASSERT_TRUE(getOrder && twinOrder && getVerify && twinVerify);

    OrderOptions_tag* order = getOrder();
    StoreInt32("Software\\Kestrel\\Arbor\\OrderOptions", "OverwriteMarker", 2);
    order->LayruleMethod = 9;  // a caller's change does not survive the next call
    EXPECT_EQ(twinOrder(), order);
    EXPECT_EQ(order->OverwriteMarker, 2);
    EXPECT_EQ(order->LayruleMethod, 0);

    MakeArea("AREA1", "RULES1\n");  // known to stordb.dll beside the library
    StoreText(kArbor, "VerifyStorageArea", "C:AREA1");
    StoreText(kQuillon, "Size", "XL");
    const VerifyOptions_tag* verify = getVerify();
    EXPECT_STREQ(verify->Size.Text, "XL");
    EXPECT_STREQ(verify->VerifyStorageArea, "C:AREA1");
    StoreText(kQuillon, "Size", "");
    EXPECT_EQ(twinVerify(), verify);
    EXPECT_STREQ(verify->Size.Text, "");
}

TEST_F(GettersTest, TheVerifyRecordLastsUntilTheLibraryUnloads) {
    StoreText(kQuillon, "Category", "CAT");
    for (int round = 0; round < 3; ++round) {
        Load();
        auto get = Entry<VerifyGetter>("optora_getverifyoptions");
        ASSERT_TRUE(get);
        EXPECT_STREQ(get()->Category.Text, "CAT") << round;
        Unload();
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
    EXPECT_EQ(RequireStored(kArbor, "VerifyStorageArea").Text(), "C:DATA70");
    Unload();
    fs::remove_all(alone);
}
