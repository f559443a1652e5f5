// Finding sibling programs through the machine's install location and the
// fallback directories, with real registry values and files on C:.
#include <filesystem>

#include "programs/program_lookup.h"
#include "install_location.h"
#include "kestrel_test.h"

using namespace optora;
using namespace optora::test;

namespace {

class ProgramLookupTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ClearInstalledPrograms();
    }
    void TearDown() override { ClearInstalledPrograms(); }
};

}  // namespace

// Any value type is read as the directory's text, even without its terminator.
TEST_F(ProgramLookupTest, TheInstallLocationIsTextWhateverItsType) {
    PutFile("c:\\suite\\bin\\userenv.exe");
    const char binary[] = {'c', ':', '\\', 's', 'u', 'i', 't', 'e', '\\', 'b', 'i', 'n'};
    StoreMachineValue(kLocationV8, "userenv.exe", REG_BINARY, binary, sizeof binary);
    EXPECT_STREQ(FindProgramPath("userenv"), "c:\\suite\\bin\\userenv.exe");
}

TEST_F(ProgramLookupTest, FallbackDirectoriesAreSearchedInTheirOrder) {
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\bin");  // which lacks the file
    for (const auto& [put, found] : {std::pair{"c:\\ads\\", "c:\\ads\\"},
                                     {"c:\\userroot\\prog\\util\\", "c:\\userroot\\prog\\util\\"},
                                     {"c:\\userroot\\system\\text\\", "c:\\userroot\\prog\\util\\"},
                                     {"c:\\userroot\\prog\\pro\\", "c:\\userroot\\prog\\pro\\"}}) {
        PutFile(std::string(put) + "userenv.exe");
        EXPECT_EQ(std::string(FindProgramPath("userenv")), std::string(found) + "userenv.exe") << put;
    }
    // A value too long for the path buffer counts as missing, not as cut.
    StoreMachineText(kLocationV8, "userenv.exe", "c:\\suite\\" + std::string(260, 'x'));
    EXPECT_STREQ(FindProgramPath("userenv"), "c:\\userroot\\prog\\pro\\userenv.exe");
}

TEST_F(ProgramLookupTest, MarlowVelorAndMarlowsHelpAreFoundUnderTheirOwnValues) {
    StoreMachineText(kLocationV8, "marlow 2000", "c:\\suite\\marlow");
    PutFile("c:\\suite\\marlow\\mrl2000Launcher.exe");
    PutFile("c:\\suite\\marlow\\MARLOW 2000.exe");
    EXPECT_STREQ(FindProgramPath("MARLOW 2000"), "") << "the registry is asked for mrl2000.exe alone";
    StoreMachineText(kLocationV8, "mrl2000.exe", "c:\\suite\\marlow");
    EXPECT_STREQ(FindProgramPath("MARLOW 2000"), "c:\\suite\\marlow\\mrl2000Launcher.exe");

    StoreMachineText(kLocationV8, "velor.exe", "c:\\suite\\velor");
    PutFile("c:\\suite\\velor\\velor.exe");
    EXPECT_STREQ(FindProgramPath("velor.exe"), "c:\\suite\\velor\\velor.exe");

    PutFile("c:\\suite\\marlow\\mrl2000_QZ.chm");
    PutFile("c:\\userroot\\prog\\pro\\mrl2000.exe");
    EXPECT_STREQ(FindProgramPath("mrl2000.exe_QZ"), "c:\\suite\\marlow\\mrl2000_QZ.chm")
        << "its own value is missing, so \"marlow 2000\" is asked";
    StoreMachineText(kLocationV8, "mrl2000.exe_QZ", "c:\\suite\\help");
    EXPECT_STREQ(FindProgramPath("mrl2000.exe_QZ"), "c:\\userroot\\prog\\pro\\mrl2000.exe")
        << "its own value wins; without the help file there the program is found in a fallback directory";
    PutFile("c:\\suite\\help\\mrl2000_QZ.chm");
    EXPECT_STREQ(FindProgramPath("mrl2000.exe_QZ"), "c:\\suite\\help\\mrl2000_QZ.chm");
}

TEST_F(ProgramLookupTest, NothingFoundIsTheEmptyTextAndLeavesNoOldResult) {
    PutFile("c:\\ads\\glance.exe");
    const char* found = FindProgramPath("glance");
    ASSERT_STREQ(found, "c:\\ads\\glance.exe");
    EXPECT_STREQ(FindProgramPath("formlook"), "");
    EXPECT_STREQ(found, "") << "the shared buffer is cleared by the next lookup";
    std::filesystem::create_directories("c:\\userroot\\prog\\pro\\userenv.exe");
    EXPECT_STREQ(FindProgramPath("userenv"), "") << "a directory is no program";
    EXPECT_STREQ(FindProgramPath(std::string(300, 'a').c_str()), "");
    EXPECT_STREQ(FindProgramPath(nullptr), "");

    PutFile("c:\\suite\\old\\userenv.exe");
    StoreMachineText(kLocation, "userenv.exe", "c:\\suite\\old");
    EXPECT_STREQ(FindProgramPath("userenv"), "c:\\suite\\old\\userenv.exe") << "no V8 key: the older one counts";
    StoreMachineText(kLocationV8, "glance.exe", "c:\\suite\\glance");
    EXPECT_STREQ(FindProgramPath("userenv"), "") << "a V8 key without the value keeps the older key out";
}
