// Double-byte item names under code page 932. ctest runs this program with a
// Japanese locale, which gives Wine's processes that ANSI code page.
#include "kestrel_test.h"
#include "options/verify_options.h"

using namespace optora;
using namespace optora::test;

namespace {

// "モデル" and "あ" in code page 932; the trail bytes 0x66 and 0x5C read as
// "f" and "\" when taken alone.
const std::string kModel = "\x83\x82\x83\x66\x83\x8b";
const std::string kA = "\x82\xa0";
const std::string kSo = "\x83\x5c";

class Cp932Test : public KestrelTest {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 932u) << "run with LANG=ja_JP.UTF-8 and a ja_JP.UTF-8 locale";
        KestrelTest::SetUp();
    }
};

}  // namespace

// The rules themselves are tested natively; here the code page's own lead
// bytes, through the registry: half-width katakana are single bytes.
TEST_F(Cp932Test, ADoubleByteModelSurvivesTheRegistryAndNormalisation) {
    StoreText(kQuillon, "Model", "  " + kModel + "/" + kSo + kA + "a\xa5\xb1 ");
    VerifyOptions record;
    RefreshVerifyOptions(record);
    const std::string normal = kModel + "-" + kSo + kA + "A\xa5-";
    EXPECT_EQ(std::string(record.Model.Text), normal);
    EXPECT_EQ(RequireStored(kQuillon, "Model").Text(), normal);
}
