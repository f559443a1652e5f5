#include <gtest/gtest.h>

#include <string>

#include "frame/program_names.h"

using namespace optora;

namespace {

ProgramNames Names(const std::string& name) {
    const auto names = ProgramNamesFor(name, ".exe");
    EXPECT_TRUE(names.has_value()) << name;
    return names.value_or(ProgramNames{});
}

}  // namespace

TEST(ProgramNames, PlainNamesGetTheExtensionOnceAndCaseSensitively) {
    const ProgramNames userenv = Names("userenv");
    EXPECT_EQ(userenv.registryName, "userenv.exe");
    EXPECT_EQ(userenv.fileName, "userenv.exe");
    EXPECT_EQ(userenv.helpName, "");
    EXPECT_FALSE(userenv.askMarlowLocation);

    const ProgramNames velor = Names("velor.exe");
    EXPECT_EQ(velor.registryName, "velor.exe");
    EXPECT_EQ(velor.fileName, "velor.exe");

    EXPECT_EQ(Names("GLANCE.EXE").fileName, "GLANCE.EXE.exe") << "capitals do not contain the extension";
    EXPECT_EQ(Names("ex").fileName, "ex.exe") << "a name shorter than the extension";
    EXPECT_EQ(Names("my_tool").fileName, "my_tool.exe") << "an underscore without the extension is no help request";
    EXPECT_EQ(Names("my_tool.exe").fileName, "my_tool.exe") << "a full stop after the underscore";
    EXPECT_EQ(Names("my_tool.exe").helpName, "");
}

TEST(ProgramNames, EverySpellingOfMarlowStartsItsLauncher) {
    for (const char* name : {"mrl2000.exe", "mrl2000", "mrlw2000", "mrlw2000.exe", "marlow 2000.exe", "marlow 2000",
                             "MARLOW 2000", "Mrl2000.EXE", "MRLW2000"}) {
        const ProgramNames names = Names(name);
        EXPECT_EQ(names.registryName, "mrl2000.exe") << name;
        EXPECT_EQ(names.fileName, "mrl2000Launcher.exe") << name;
        EXPECT_EQ(names.helpName, "") << name;
        EXPECT_FALSE(names.askMarlowLocation) << name;
    }
    EXPECT_EQ(Names("marlow 2000x").fileName, "marlow 2000x.exe") << "only the exact spellings";
    EXPECT_EQ(Names("marlow2000").fileName, "marlow2000.exe");
}

TEST(ProgramNames, HelpRequestsNameTheProgramAndItsHelpFile) {
    const ProgramNames qz = Names("mrl2000.exe_QZ");
    EXPECT_EQ(qz.registryName, "mrl2000.exe_QZ");
    EXPECT_EQ(qz.fileName, "mrl2000.exe");
    EXPECT_EQ(qz.helpName, "mrl2000_QZ.chm");
    EXPECT_TRUE(qz.askMarlowLocation);

    EXPECT_EQ(Names("MRL2000.exe_qz").helpName, "MRL2000_qz.chm") << "the suffix as written";
    const ProgramNames other = Names("mrl2000.exe_DE");
    EXPECT_EQ(other.helpName, "mrl2000.chm") << "only _QZ is kept in the help name";
    EXPECT_EQ(other.fileName, "mrl2000.exe");
    EXPECT_TRUE(other.askMarlowLocation);

    const ProgramNames velor = Names("velor.exe_QZ");
    EXPECT_EQ(velor.registryName, "velor.exe_QZ");
    EXPECT_EQ(velor.fileName, "velor.exe");
    EXPECT_EQ(velor.helpName, "") << "only the Marlow application keeps its help beside it";
    EXPECT_FALSE(velor.askMarlowLocation);

    const ProgramNames notHelp = Names("mrl2000.exe.exe");
    EXPECT_EQ(notHelp.fileName, "mrl2000.exe.exe");
    EXPECT_EQ(notHelp.helpName, "") << "the directory alone is never the answer";
}

TEST(ProgramNames, NamesThatDoNotFitAreRefused) {
    EXPECT_TRUE(ProgramNamesFor(std::string(255, 'a'), ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(256, 'a'), ".exe").has_value()) << "259 with the extension is the most";
    EXPECT_TRUE(ProgramNamesFor(std::string(255, 'a') + ".exe", ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(260, 'a'), ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(100000, 'a') + ".exe", ".exe").has_value());
}

TEST(ProgramNames, PathsJoinWithOneBackslashAndFit) {
    EXPECT_EQ(JoinProgramPath("D:\\Suite\\bin", "userenv.exe"), "D:\\Suite\\bin\\userenv.exe");
    EXPECT_EQ(JoinProgramPath("D:\\Suite\\bin\\", "userenv.exe"), "D:\\Suite\\bin\\userenv.exe");
    EXPECT_EQ(JoinProgramPath("", "userenv.exe"), "userenv.exe");
    const std::string directory(250, 'd');
    EXPECT_EQ(JoinProgramPath(directory, "12345678"), directory + "\\12345678") << "259 characters";
    EXPECT_FALSE(JoinProgramPath(directory, "123456789").has_value());
}
