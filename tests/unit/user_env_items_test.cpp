#include <cstring>

#include "kestrel_test.h"
#include "options/user_env_items.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr const char* kArbor = "Software\\Kestrel\\Arbor";
constexpr const char* kCut = "Software\\Kestrel\\Arbor\\CutOptions";
constexpr const char* kPlot = "Software\\Kestrel\\Arbor\\PlotOptions";
constexpr const char* kOrder = "Software\\Kestrel\\Arbor\\OrderOptions";

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

}  // namespace

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
    UserEnvItems_tag record = Earlier();
    LoadUserEnvItems(record);

    EXPECT_EQ(record.Bundles_By, 1);
    EXPECT_STREQ(record.DosCutPath, "C:\\USERROOT");
    EXPECT_STREQ(record.DosCutExtension, "CUT");
    EXPECT_STREQ(record.CutFormat, "42format");
    EXPECT_EQ(record.Export, 0);
    EXPECT_EQ(record.SaveToStorageArea, 1);
    EXPECT_STREQ(record.DosPlotPath, "C:\\PLOT");
    EXPECT_EQ(record.DosPlotType, 0);
    EXPECT_EQ(record.OverwriteMarker, 0);
    EXPECT_EQ(record.SplitPieceSeam, 0.375);
    EXPECT_EQ(record.LayruleMethod, 0);
    EXPECT_EQ(record.Reserved, 0) << "never written";

    // The loaders wrote their sets back, where the next call reads them directly.
    EXPECT_EQ(ReadStored(kCut, "DosCutPath")->Text(), "C:\\USERROOT");
    EXPECT_EQ(ReadStored(kPlot, "DosPlotPath")->Text(), "C:\\PLOT");
    EXPECT_EQ(ReadStored(kOrder, "SplitPieceSeam")->bytes.size(), 8u);
    UserEnvItems_tag again = {};
    LoadUserEnvItems(again);
    EXPECT_STREQ(again.DosCutPath, "C:\\USERROOT");
    EXPECT_EQ(again.SaveToStorageArea, 1);
    EXPECT_EQ(again.SplitPieceSeam, 0.375);
}

TEST_F(UserEnvItemsTest, AnExistingKeyIsReadDirectlyEvenWhenItsValuesAreElsewhere) {
    StoreText("Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", "DosCutPath", "D:\\CUTS");
    StoreInt32("Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS", "Export", 1);
    StoreInt32(kOrder, "OverwriteMarker", 2);  // no "SplitPieceSeam": 0 here, not the loader's 0.375
    UserEnvItems_tag record = Earlier();
    LoadUserEnvItems(record);

    EXPECT_STREQ(record.DosCutPath, "");
    EXPECT_STREQ(record.DosCutExtension, "");
    EXPECT_STREQ(record.CutFormat, "");
    EXPECT_EQ(record.Export, 0);
    EXPECT_EQ(record.SaveToStorageArea, 0);
    EXPECT_EQ(record.OverwriteMarker, 2);
    EXPECT_EQ(record.SplitPieceSeam, 0.0);
    EXPECT_EQ(record.LayruleMethod, 0);
    EXPECT_FALSE(ReadStored(kOrder, "SplitPieceSeam").has_value()) << "the direct path writes nothing";
    EXPECT_FALSE(ReadStored(kCut, "DosCutPath").has_value());
}

TEST_F(UserEnvItemsTest, FlagsAreReadAsTexts) {
    StoreInt32(kCut, "SaveToStorageArea", 1);
    StoreInt32(kCut, "Export", 0);
    UserEnvItems_tag record = {};
    LoadUserEnvItems(record);
    EXPECT_EQ(record.SaveToStorageArea, 1);
    EXPECT_EQ(record.Export, 0);

    StoreText(kCut, "SaveToStorageArea", "0");  // a non-empty text is "on"
    StoreInt32(kCut, "Export", 256);            // first byte zero is "off"
    LoadUserEnvItems(record);
    EXPECT_EQ(record.SaveToStorageArea, 1);
    EXPECT_EQ(record.Export, 0);
}

TEST_F(UserEnvItemsTest, DirectValuesOfOddSizesNeverOverrun) {
    StoreText(kCut, "DosCutPath", std::string(300, 'P'));  // too long to read: empty
    StoreText(kPlot, "DosPlotPath", std::string(255, 'Q'));
    StoreRaw(kPlot, "DosPlotType", REG_BINARY, "\x02", 1);
    StoreRaw(kOrder, "LayruleMethod", REG_BINARY, "\x01\x00\x00\x00", 4);  // larger than its byte
    UserEnvItems_tag record = Earlier();
    LoadUserEnvItems(record);
    EXPECT_STREQ(record.DosCutPath, "");
    EXPECT_EQ(std::strlen(record.DosPlotPath), 255u);
    EXPECT_EQ(record.DosPlotType, 2) << "a short value counts from zero";
    EXPECT_EQ(record.LayruleMethod, 0);
}
