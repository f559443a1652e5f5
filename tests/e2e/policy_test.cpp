// The administrator's policy as the getters, repairs and setters see it.
#include <cstring>
#include <functional>
#include <map>

#include "kestrel_test.h"
#include "options/alteration.h"
#include "options/device_file.h"
#include "options/grade_method.h"
#include "options/library_records.h"
#include "options/notation.h"
#include "options/policy_offers.h"
#include "options/policy_rules.h"
#include "options/verify_options.h"
#include "policy_values.h"
#include "store/registry_key.h"

using namespace optora;
using namespace optora::test;

namespace {

std::string Shown(int value) { return std::to_string(value); }
std::string Shown(const char* text) { return text; }
std::string Shown(const OptoraText& text) { return text.Text ? text.Text : ""; }

using Getter = std::function<std::string()>;
#define CUT(field) {{keys::kCutOptions, #field}, [] { return Shown(LibraryCutOptions().field); }}
#define PLOT(field) {{keys::kPlotOptions, #field}, [] { return Shown(LibraryPlotOptions().field); }}
#define QUILLON(field) {{keys::kQuillon, #field}, [] { return Shown(LibraryVerifyOptions().field); }}

// What each getter makes of a value, by the value's key and name.
const std::map<std::pair<std::string, std::string>, Getter> kGetters = {
    {{keys::kArbor, "Notation"}, [] { return Shown(ReadNotation()); }},
    {{keys::kArbor, "Precision"}, [] { return Shown(ReadPrecision()); }},
    {{keys::kArbor, "Alteration"}, [] { return Shown(ReadAlteration()); }},
    {{keys::kArbor, "Bundles_By"}, [] { return Shown(LibraryPlotOptions().Bundles_By); }},
    {{keys::kArbor, "VerifyStorageArea"}, [] { return std::string(LibraryVerifyOptions().StorageArea()); }},
    {{keys::kGradeOptions, "Grade Method"},
     [] { return Shown(FindOffer(*FindOwned(keys::kGradeOptions, "Grade Method"))->choices[GradeMethodIndex()].value); }},
    CUT(DosCutPath), CUT(DosCutExtension), CUT(SaveToStorageArea), CUT(Export), CUT(CutFormat), CUT(AutoCut),
    CUT(CutDefaultParamTbl), CUT(DosNameFormat), CUT(DosExtType), CUT(FilenameAppendCnt),
    PLOT(DosPlotType), PLOT(DosPlotPath), PLOT(ImagePath), PLOT(ImageType), PLOT(DefaultPlotQueue),
    PLOT(DefaultPlotMedia), PLOT(DefaultPlotOutput), PLOT(AutoPlot), PLOT(WastePercentage), PLOT(DecimalYards),
    PLOT(PlotDosNameFormat), PLOT(PlotDosExtType), PLOT(PlotDosExt), PLOT(PlotFilenameAppendCnt),
    {{keys::kOrderOptions, "OverwriteMarker"}, [] { return Shown(LibraryOrderOptions().OverwriteMarker); }},
    {{keys::kOrderOptions, "LayruleMethod"}, [] { return Shown(LibraryOrderOptions().LayruleMethod); }},
    QUILLON(Category), QUILLON(Type), QUILLON(Model), QUILLON(Prefix), QUILLON(GradeRule), QUILLON(CategoryChB),
    {{keys::kQuillon, "StartingNumber"}, [] { return Shown(int(LibraryVerifyOptions().StartingNumber)); }},
    QUILLON(Size),
};

const PolicyPlace kMachine{true, false, "Arbor"};
// What a load without an application name reads.
const char* const kDefaultCut = "Software\\Kestrel\\Arbor\\CutOptions\\DEFAULT_CUT_OPTIONS";

class PolicyTest : public KestrelTest {};

}  // namespace

TEST_F(PolicyTest, EveryOfferedPolicyReachesItsGetterAndNeverTheUsersKey) {
    const std::map<const OwnedValue*, std::string> picked = SetEveryOfferedPolicy();
    for (const auto& [owned, pick] : picked) {
        const auto getter = kGetters.find({owned->key, owned->name});
        ASSERT_NE(getter, kGetters.end()) << owned->name << ": no getter in the table";
        EXPECT_EQ(getter->second(), pick) << owned->key << " " << owned->name;
    }
    for (const auto& [owned, pick] : picked) {
        // Without an application name the output sets are written to their parent key.
        EXPECT_EQ(ReadStored(owned->key, owned->name), std::nullopt) << owned->name << " written by a repair";
    }
    EXPECT_NE(ReadStored(kOrderKey, "SplitPieceSeam"), std::nullopt) << "the rest of a set is still repaired";
}

TEST_F(PolicyTest, RecommendationsGiveWayOnlyToTheUsersOwnChoice) {
    const PolicyPlace recommended{false, true, "Arbor\\CutOptions"}, mandatory{true, false, "Arbor\\CutOptions"};
    SetPolicyDword(recommended, "Export", 1);
    SetPolicyText(recommended, "CutFormat", "33format");
    SetPolicyText(mandatory, "DosCutPath", "P:\\CUTS");
    WriteWhole(kDeviceFile, "plot_dest=D:\\PLOTS\ncut_dest=D:\\OLD\nplot_type=1\n");
    const CutOptions_tag& cut = LibraryCutOptions();
    EXPECT_EQ(cut.Export, 1);
    EXPECT_STREQ(cut.CutFormat, "33format");
    EXPECT_STREQ(cut.DosCutPath, "P:\\CUTS") << "over the device file's";
    EXPECT_NE(ReadWhole(kDeviceFile).find("cut_dest=P:\\CUTS"), std::string::npos) << ReadWhole(kDeviceFile);

    // The library's default stored by an earlier repair is no choice of the user's; another value is.
    StoreInt32(kDefaultCut, "Export", 0);
    StoreText(kDefaultCut, "CutFormat", "43format");
    StoreText(kDefaultCut, "DosCutPath", "U:\\MINE");
    EXPECT_EQ(LibraryCutOptions().Export, 1);
    EXPECT_STREQ(LibraryCutOptions().CutFormat, "43format");
    EXPECT_STREQ(LibraryCutOptions().DosCutPath, "P:\\CUTS");
    EXPECT_EQ(StoredText(kDefaultCut, "DosCutPath"), "U:\\MINE") << "the user's own stays for when the lock goes";
}

TEST_F(PolicyTest, APolicyAddedChangedOrRemovedIsSeenAtTheNextCall) {
    StoreText(kArbor, "Notation", "0");
    StoreText(kDefaultCut, "DosCutPath", "U:\\MINE");
    EXPECT_STREQ(LibraryCutOptions().DosCutPath, "U:\\MINE");
    EXPECT_EQ(ReadNotation(), 0);
    // Each step changes the trees as a policy refresh would; the machine's wins.
    const struct {
        bool machine;
        int notation;  // -1: removed
        const char* path;
        int expectedNotation;
        const char* expectedPath;
    } steps[] = {{true, 1, "P:\\ONE", 1, "P:\\ONE"},
                 {false, 0, "P:\\TWO", 1, "P:\\ONE"},
                 {true, 0, "P:\\THREE", 0, "P:\\THREE"},
                 {true, -1, nullptr, 0, "P:\\TWO"}};
    for (const auto& step : steps) {
        const PolicyPlace arbor{step.machine, false, "Arbor"}, cut{step.machine, false, "Arbor\\CutOptions"};
        if (step.notation < 0) {
            RemovePolicy(arbor, "Notation");
            RemovePolicy(cut, "DosCutPath");
        } else {
            SetPolicyDword(arbor, "Notation", DWORD(step.notation));
            SetPolicyText(cut, "DosCutPath", step.path);
        }
        EXPECT_EQ(ReadNotation(), step.expectedNotation) << step.expectedPath;
        EXPECT_STREQ(LibraryCutOptions().DosCutPath, step.expectedPath);
    }
    ClearPolicies();
    EXPECT_EQ(ReadNotation(), 0);
    EXPECT_STREQ(LibraryCutOptions().DosCutPath, "U:\\MINE");
}

TEST_F(PolicyTest, SettersAndSavesWriteNoLockedValue) {
    SetPolicyText({true, false, "Marlow 2000\\RuleTable\\GradeOptions"}, "Grade Method", "Base Up-Down Incremental");
    SetPolicyDword(kMachine, "Notation", 1);
    const unsigned long before = RegistryKey::WritesMade();
    SaveGradeMethodIfChanged(0);
    EXPECT_EQ(RegistryKey::WritesMade(), before);
    EXPECT_EQ(GradeMethodIndex(), 2);
    EXPECT_TRUE(SavePreferences(0, 3));
    EXPECT_EQ(StoredText(kArbor, "Notation"), "(missing)");
    EXPECT_EQ(StoredText(kArbor, "Precision"), "3");
    EXPECT_EQ(RegistryKey::WritesMade(), before + 1);
    SetPolicyDword(kMachine, "Alteration", 5);
    WriteAlteration(6);
    EXPECT_EQ(RegistryKey::WritesMade(), before + 1);
    EXPECT_EQ(ReadAlteration(), 5);
}
