#include <gtest/gtest.h>

#include <string>

#include "programs/program_names.h"

using namespace optora;

TEST(ProgramNames, EachRequestNamesItsValueFileAndHelp) {
    struct Case { const char* name; const char* registryName; const char* fileName; const char* helpName;
        bool askMarlowLocation; };
    const Case cases[] = {
        {"userenv", "userenv.exe", "userenv.exe", "", false},
        {"velor.exe", "velor.exe", "velor.exe", "", false},
        {"GLANCE.EXE", "GLANCE.EXE.exe", "GLANCE.EXE.exe", "", false},  // capitals do not contain the extension
        {"ex", "ex.exe", "ex.exe", "", false},                          // shorter than the extension
        {"my_tool", "my_tool.exe", "my_tool.exe", "", false},           // an underscore alone asks no help
        {"my_tool.exe", "my_tool.exe", "my_tool.exe", "", false},
        // Every spelling of Marlow starts its launcher, and only those.
        {"mrl2000.exe", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"mrl2000", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"mrlw2000", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"mrlw2000.exe", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"marlow 2000.exe", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"marlow 2000", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"MARLOW 2000", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"Mrl2000.EXE", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"MRLW2000", "mrl2000.exe", "mrl2000Launcher.exe", "", false},
        {"marlow 2000x", "marlow 2000x.exe", "marlow 2000x.exe", "", false},
        {"marlow2000", "marlow2000.exe", "marlow2000.exe", "", false},
        // Help requests: only Marlow's keeps its help beside it, only _QZ in its name.
        {"mrl2000.exe_QZ", "mrl2000.exe_QZ", "mrl2000.exe", "mrl2000_QZ.chm", true},
        {"MRL2000.exe_qz", "MRL2000.exe_qz", "MRL2000.exe", "MRL2000_qz.chm", true},
        {"mrl2000.exe_DE", "mrl2000.exe_DE", "mrl2000.exe", "mrl2000.chm", true},
        {"velor.exe_QZ", "velor.exe_QZ", "velor.exe", "", false},
        {"mrl2000.exe.exe", "mrl2000.exe.exe", "mrl2000.exe.exe", "", false},
    };
    for (const Case& c : cases) {
        const auto names = ProgramNamesFor(c.name, ".exe");
        ASSERT_TRUE(names.has_value()) << c.name;
        EXPECT_EQ(names->registryName, c.registryName) << c.name;
        EXPECT_EQ(names->fileName, c.fileName) << c.name;
        EXPECT_EQ(names->helpName, c.helpName) << c.name;
        EXPECT_EQ(names->askMarlowLocation, c.askMarlowLocation) << c.name;
    }
}

TEST(ProgramNames, NamesAndPathsMustFit) {
    EXPECT_TRUE(ProgramNamesFor(std::string(255, 'a'), ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(256, 'a'), ".exe").has_value()) << "259 with the extension is the most";
    EXPECT_TRUE(ProgramNamesFor(std::string(255, 'a') + ".exe", ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(260, 'a'), ".exe").has_value());
    EXPECT_FALSE(ProgramNamesFor(std::string(100000, 'a') + ".exe", ".exe").has_value());

    EXPECT_EQ(JoinProgramPath("D:\\Suite\\bin", "userenv.exe"), "D:\\Suite\\bin\\userenv.exe");
    EXPECT_EQ(JoinProgramPath("D:\\Suite\\bin\\", "userenv.exe"), "D:\\Suite\\bin\\userenv.exe");
    EXPECT_EQ(JoinProgramPath("", "userenv.exe"), "userenv.exe");
    const std::string directory(250, 'd');
    EXPECT_EQ(JoinProgramPath(directory, "12345678"), directory + "\\12345678") << "259 characters";
    EXPECT_FALSE(JoinProgramPath(directory, "123456789").has_value());
}
