#include <gtest/gtest.h>

#include <string>

#include "options/field_copy.h"
#include "options/output_paths.h"

using namespace optora;

TEST(OutputPaths, AnchorsPathsWithoutDriveAndCollapsesSeparators) {
    const std::string root = "C:\\USERROOT";
    EXPECT_EQ(AnchoredPath("CUTS", root), "C:\\USERROOTCUTS") << "joined without a separator";
    EXPECT_EQ(AnchoredPath("\\CUTS", root), "C:\\USERROOT\\CUTS");
    EXPECT_EQ(AnchoredPath("D:\\A\\\\\\\\B", root), "D:\\A\\B");
    EXPECT_EQ(AnchoredPath("\\\\SERVER\\CUTS", root), "C:\\USERROOT\\SERVER\\CUTS");
    EXPECT_EQ(AnchoredPath("", root), root);
    EXPECT_EQ(AnchoredPath("PLOT", "C:\\"), "C:\\PLOT");
    EXPECT_EQ(AnchoredPath("\\PLOT\\", "C:\\"), "C:\\PLOT\\");
    EXPECT_EQ(CollapseBackslashes("\\\\\\"), "\\");
    EXPECT_EQ(CollapseBackslashes("A\\\\B\\\\"), "A\\B\\");
}

TEST(OutputPaths, ExtensionsLoseEveryDot) {
    EXPECT_EQ(WithoutDots(".C.U.T"), "CUT");
    EXPECT_EQ(WithoutDots(".HP.GL"), "HPGL");
    EXPECT_EQ(WithoutDots("..."), "");
    EXPECT_EQ(WithoutDots(""), "");
}

TEST(FieldCopy, CutsToTheFieldAndAlwaysTerminates) {
    char field[8];
    std::memset(field, 'x', sizeof field);
    CopyField(field, "ABC");
    EXPECT_STREQ(field, "ABC");
    CopyField(field, std::string(100, 'Q'));
    EXPECT_EQ(std::string(field), std::string(7, 'Q'));
    EXPECT_EQ(FieldFit(field, "0123456789"), "0123456");

    std::memset(field, 'y', sizeof field);  // a caller's field with no terminator
    EXPECT_EQ(FieldText(field), std::string(7, 'y'));
}
