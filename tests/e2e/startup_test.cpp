// optora.dll's start-up as a caller's process meets it: each case is a fresh
// process (the start-up runs once per process) with optora.dll and the
// language libraries of the case copied into a directory of their own.
#include <filesystem>
#include <fstream>

#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"
#include "other_process.h"

using namespace optora::test;
namespace fs = std::filesystem;

class StartupE2eTest : public KestrelTest {};

TEST_F(StartupE2eTest, EachCaseIsShownAtMostOnceAfterTheLoadAndHoldsWhatMatches) {
    struct Case {
        const char* name;
        const char* resources;  // the test library copied as optorares.dll, if any; "" for a file
        const char* lexicon;    // that is no library; the same for Lexicon.dll
        const char* shown;      // the message expected (the error code of the file follows "Error Code ")
        const char* held;       // what the probe reports holding
    };
    constexpr const char* kIncompatible =
        "Error loading resource DLL! (optorares.dll)  Incompatible version.\nUntranslated resources will be used.";
    constexpr const char* kNothing = "optorares.dll absent\nLexicon.dll absent\nqueue DOS File, media None\n";
    const Case cases[] = {
        {"none", nullptr, nullptr, nullptr, kNothing},
        {"same", "language_same.dll", "language_other_major.dll", nullptr,
         "optorares.dll loaded\nLexicon.dll loaded\nqueue Fichier DOS, media Aucun\n"},
        {"other", "language_other_build.dll", nullptr, kIncompatible, kNothing},
        {"major", "language_other_major.dll", nullptr, kIncompatible, kNothing},
        {"unreadable", "", nullptr, kIncompatible, kNothing},
        {"refusing", "language_refusing.dll", nullptr, "Error loading resource DLL! (optorares.dll)  Error Code ",
         kNothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // No stored plot set and a device file: the load takes its destination
        // texts from the library's strings.
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        WriteWhole("c:\\userroot\\system\\state\\dosfile.cfg", "plot_type=1\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");
        const std::string base = std::string("c:\\optora-startup-e2e\\") + c.name, dir = base + "\\";
        std::error_code ignored;
        fs::remove_all(dir, ignored);
        for (const char* library : {"optora.dll", "stordb.dll"}) PutFile(dir + library, BesideTestProgram(library));
        for (const auto& [library, as] : {std::pair{c.resources, "optorares.dll"}, {c.lexicon, "Lexicon.dll"}}) {
            if (library && *library) PutFile(dir + as, BesideTestProgram(library));
            if (library && !*library) std::ofstream(dir + as, std::ios::binary) << "not a library";
        }
        std::string expected = c.shown ? c.shown : "";
        if (expected.find("Error Code") != std::string::npos) {  // the code its load fails with here
            SetLastError(0);
            ASSERT_EQ(LoadLibraryA((dir + "optorares.dll").c_str()), nullptr);
            ASSERT_NE(GetLastError(), 0u);
            expected += std::to_string(GetLastError()) + ".\nUntranslated resources will be used.";
        }

        const Process probe(Beside("startup_probe.exe", "\"" + base + "\""));
        ASSERT_TRUE(probe.Started()) << GetLastError();
        const std::string mark = dir + "identified.mark";
        const std::vector<ShownMessage> shown = AnswerMessageBoxes(
            [&] { EXPECT_NE(probe.Wait(), Process::kNoEnd) << "the probe hangs"; }, probe.Id(),
            [mark] { return fs::exists(mark) ? "after" : "during"; });
        EXPECT_EQ(probe.Wait(0), 0u);
        EXPECT_EQ(ReadWhole(dir + "probe.txt"), c.held);

        ASSERT_EQ(shown.size(), c.shown ? 1u : 0u) << "several calls, one start-up";
        if (!c.shown) continue;
        EXPECT_EQ(shown[0].text, expected);
        EXPECT_EQ(shown[0].caption, "Error");
        EXPECT_FALSE(shown[0].owned);
        EXPECT_EQ(shown[0].note, "after") << "nothing is shown under the loader lock, nor for an identifier";
    }
}
