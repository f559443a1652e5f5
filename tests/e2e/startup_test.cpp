// optora.dll's start-up as a caller's process meets it: each case is a fresh
// process (the start-up runs once per process) with optora.dll and the
// language libraries of the case copied into a directory of their own.
// Getters and setters show nothing, whatever the language libraries; what
// start-up could not use is told once, before the first dialog.
#include <filesystem>
#include <fstream>

#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"
#include "other_process.h"

using namespace optora::test;
namespace fs = std::filesystem;

class StartupE2eTest : public KestrelTest {};

namespace {

// A copy of a test library, cut to its first bytes after a colon
// ("name.dll:0" is empty); "" is a file that is no library.
void PutLanguageFile(const std::string& path, const std::string& source) {
    if (source.empty()) {
        std::ofstream(path, std::ios::binary) << "not a library";
        return;
    }
    const size_t colon = source.find(':');
    PutFile(path, BesideTestProgram(source.substr(0, colon).c_str()));
    if (colon != std::string::npos) fs::resize_file(path, std::stoul(source.substr(colon + 1)));
}

}  // namespace

TEST_F(StartupE2eTest, GettersShowNothingAndTheFirstDialogTellsWhatStartUpCouldNotUse) {
    struct Case {
        const char* name;
        const char* resources;  // the file put as optorares.dll (see PutLanguageFile), if any
        const char* lexicon;    // the same for Lexicon.dll
        const char* shown;      // the message expected (the error code of the file follows "Error Code ")
        const char* held;       // what the probe reports holding
    };
    constexpr const char* kIncompatible =
        "Error loading resource DLL! (optorares.dll)  Incompatible version.\nUntranslated resources will be used.";
    constexpr const char* kNotLoaded = "Error loading resource DLL! (optorares.dll)  Error Code ";
    constexpr const char* kNothing = "identified: optorares.dll absent\noptorares.dll absent\nLexicon.dll absent\n"
                                     "queue DOS File, media None\n";
    const Case cases[] = {
        {"none", nullptr, nullptr, nullptr, kNothing},
        {"same", "language_same.dll", "language_other_major.dll", nullptr,
         "identified: optorares.dll absent\noptorares.dll loaded\nLexicon.dll loaded\n"
         "queue Fichier DOS, media Aucun\n"},
        {"other", "language_other_build.dll", nullptr, kIncompatible, kNothing},
        {"major", "language_other_major.dll", nullptr, kIncompatible, kNothing},
        {"unreadable", "", nullptr, kIncompatible, kNothing},
        {"empty", "language_same.dll:0", nullptr, kIncompatible, kNothing},
        {"truncated", "language_same.dll:2800", nullptr, kIncompatible, kNothing},
        {"refusing", "language_refusing.dll", nullptr, kNotLoaded, kNothing},
        {"architecture", "language_other_arch.dll", nullptr, kNotLoaded, kNothing},
        {"lexicon", "language_same.dll", "language_other_major.dll:1024",
         "Error loading resource DLL! (Lexicon.dll)  Error Code ",
         "identified: optorares.dll absent\noptorares.dll loaded\nLexicon.dll absent\n"
         "queue Fichier DOS, media Aucun\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string base = std::string("c:\\optora-startup-e2e\\") + c.name, dir = base + "\\";
        std::error_code ignored;
        fs::remove_all(dir, ignored);
        for (const char* library : {"optora.dll", "stordb.dll"}) PutFile(dir + library, BesideTestProgram(library));
        for (const auto& [source, as] : {std::pair{c.resources, "optorares.dll"}, {c.lexicon, "Lexicon.dll"}}) {
            if (source) PutLanguageFile(dir + as, source);
        }
        std::string expected = c.shown ? c.shown : "";
        if (expected.find("Error Code") != std::string::npos) {  // the code its load fails with here
            const size_t open = expected.find('(') + 1;
            SetLastError(0);
            ASSERT_EQ(LoadLibraryA((dir + expected.substr(open, expected.find(')') - open)).c_str()), nullptr);
            ASSERT_NE(GetLastError(), 0u);
            expected += std::to_string(GetLastError()) + ".\nUntranslated resources will be used.";
        }

        for (const bool dialogs : {false, true}) {
            // No stored plot set and a device file: the load takes its
            // destination texts from the library's strings.
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
            WriteWhole("c:\\userroot\\system\\state\\dosfile.cfg",
                       "plot_type=1\nplot_dest=D:\\PLOTS\ncut_dest=E:\\CUT\n");
            for (const char* mark : {"first.mark", "second.mark"}) fs::remove(dir + mark, ignored);
            const Process probe(Beside("startup_probe.exe", "\"" + base + "\"" + (dialogs ? " dialogs" : "")));
            ASSERT_TRUE(probe.Started()) << GetLastError();
            if (!dialogs) {  // no one answers: a message box would hold it for ever
                const DWORD end = probe.Wait(60000);  // a slow machine's process start included
                if (end == Process::kNoEnd) TerminateProcess(probe.Handle(), 1);
                EXPECT_EQ(end, 0u) << "the getters wait";
                EXPECT_EQ(ReadWhole(dir + "probe.txt"), c.held);
                continue;
            }
            const std::vector<ShownMessage> shown = AnswerMessageBoxes(
                [&] { EXPECT_EQ(probe.Wait(), 0u); }, probe.Id(), [dir] {
                    return fs::exists(dir + "second.mark") ? "second" : fs::exists(dir + "first.mark") ? "first" : "";
                });
            ASSERT_EQ(shown.size(), c.shown ? 3u : 2u) << "the message once, then each dialog";
            EXPECT_EQ(shown[shown.size() - 2].note + shown.back().note, "firstsecond");
            if (!c.shown) continue;
            EXPECT_EQ(shown[0].text, expected);
            EXPECT_EQ(shown[0].caption, "Error");
            EXPECT_TRUE(shown[0].owned) << "over the dialog's owner";
            EXPECT_EQ(shown[0].note, "first");
        }
    }
}
