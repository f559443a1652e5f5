#include <cmath>

#include "options/user_env_items.h"
#include "output_test_support.h"

using namespace optora;
using namespace optora::test;

class UserEnvItemsTest : public KestrelTest {
protected:
    // A record that still holds an earlier call's values.
    static UserEnvItems_tag Earlier() {
        UserEnvItems_tag record;
        std::memset(&record, 0x5A, sizeof record);
        std::strcpy(record.DosCutPath, "EARLIER");
        record.Reserved = 0;
        return record;
    }
};

TEST_F(UserEnvItemsTest, NoKeyAtAllReadsNothingAndCreatesNothing) {
    UserEnvItems_tag record = Earlier();
    const UserEnvItems_tag before = record;
    LoadUserEnvItems(record);
    EXPECT_EQ(record.GroupCount, 4);
    record.GroupCount = before.GroupCount;
    EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0) << "every other byte as it was";
    EXPECT_FALSE(KeyExists("Software\\Kestrel"));
}

TEST_F(UserEnvItemsTest, MissingGroupsComeFromTheirLoadersWithTheirDefaults) {
    StoreInt32(kArbor, "Bundles_By", 1);
    UserEnvItems_tag r = Earlier();
    LoadUserEnvItems(r);
    // The loaders wrote their sets back, where the next call reads them directly.
    ExpectValues(kCutKey, {{"DosCutPath", r.DosCutPath, "C:\\USERROOT"}, {"DosCutExtension", r.DosCutExtension, "CUT"},
                        {"CutFormat", r.CutFormat, "42format"}, {"Export", r.Export, 0},
                        {"SaveToStorageArea", r.SaveToStorageArea, 1}});
    ExpectValues(kPlotKey, {{"DosPlotPath", r.DosPlotPath, "C:\\PLOT"}, {"DosPlotType", r.DosPlotType, 0}});
    ExpectValues(nullptr, {{"Bundles_By", r.Bundles_By, 1}, {"OverwriteMarker", r.OverwriteMarker, 0},
                           {"LayruleMethod", r.LayruleMethod, 0}, {"Reserved", r.Reserved, 0}});
    EXPECT_EQ(r.SplitPieceSeam, 0.375);
    UserEnvItems_tag again = {};
    LoadUserEnvItems(again);
    EXPECT_STREQ(again.DosCutPath, "C:\\USERROOT");
    EXPECT_EQ(again.SaveToStorageArea, 1);
    EXPECT_EQ(again.SplitPieceSeam, 0.375);
}

TEST_F(UserEnvItemsTest, AnExistingKeyIsReadDirectlyEvenWhenItsValuesAreElsewhere) {
    Store("Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", {{"DosCutPath", "D:\\CUTS"}, {"Export", 1}});
    StoreInt32(kOrderKey, "OverwriteMarker", 2);  // no "SplitPieceSeam": 0 here, not the loader's 0.375
    UserEnvItems_tag r = Earlier();
    LoadUserEnvItems(r);
    ExpectValues(nullptr, {{"DosCutPath", r.DosCutPath, ""}, {"DosCutExtension", r.DosCutExtension, ""},
                           {"CutFormat", r.CutFormat, ""}, {"Export", r.Export, 0},
                           {"SaveToStorageArea", r.SaveToStorageArea, 0}, {"OverwriteMarker", r.OverwriteMarker, 2},
                           {"LayruleMethod", r.LayruleMethod, 0}});
    EXPECT_EQ(r.SplitPieceSeam, 0.0);
    EXPECT_FALSE(ReadStored(kOrderKey, "SplitPieceSeam").has_value()) << "the direct path writes nothing";
    EXPECT_FALSE(ReadStored(kCutKey, "DosCutPath").has_value());
}

TEST_F(UserEnvItemsTest, FlagsAreReadAsTextsAndOddSizesNeverOverrun) {
    UserEnvItems_tag r = {};
    Store(kCutKey, {{"SaveToStorageArea", 1}, {"Export", 0}});
    LoadUserEnvItems(r);
    ExpectValues(nullptr, {{"SaveToStorageArea", r.SaveToStorageArea, 1}, {"Export", r.Export, 0}});
    // A non-empty text is "on"; a first byte of zero is "off".
    Store(kCutKey, {{"SaveToStorageArea", "0"}, {"Export", 256}, {"DosCutPath", std::string(300, 'P').c_str()}});
    Store(kPlotKey, {{"DosPlotPath", std::string(255, 'Q').c_str()}});
    StoreRaw(kPlotKey, "DosPlotType", REG_BINARY, "\x02", 1);
    StoreRaw(kOrderKey, "LayruleMethod", REG_BINARY, "\x01\x00\x00\x00", 4);  // larger than its byte
    const double seam = 0.375;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&seam);
    for (const double odd : {std::nan(""), HUGE_VAL}) {
        StoreRaw(kOrderKey, "SplitPieceSeam", REG_BINARY, &odd, sizeof odd);
        r = Earlier();
        LoadUserEnvItems(r);
        EXPECT_EQ(r.SplitPieceSeam, 0.375) << "a seam that is no finite number is repaired: " << odd;
        EXPECT_EQ(RequireStored(kOrderKey, "SplitPieceSeam").bytes, std::vector<uint8_t>(bytes, bytes + sizeof seam));
    }
    // A too long path reads as empty; a short value counts from zero.
    ExpectValues(nullptr, {{"SaveToStorageArea", r.SaveToStorageArea, 1}, {"Export", r.Export, 0},
                           {"DosCutPath", r.DosCutPath, ""},
                           {"DosPlotPath", r.DosPlotPath, std::string(255, 'Q').c_str()},
                           {"DosPlotType", r.DosPlotType, 2}, {"LayruleMethod", r.LayruleMethod, 0}});
}
