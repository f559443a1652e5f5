#include <gtest/gtest.h>

#include "controls/file_list.h"

using namespace optora;

namespace {

bool Cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// C:\cwd is the current directory; C:\data holds a.txt, b.txt, c.log and a
// folder d.txt; go.lnk points at C:\data\target.txt.
FileSystemView FakeFiles() {
    FileSystemView files;
    files.fullPath = [](const std::string& path) -> std::optional<std::string> {
        if (path.size() > 260) return std::nullopt;
        if (path.size() > 1 && path[1] == ':') return path;
        return path[0] == '\\' ? "C:" + path : "C:\\cwd\\" + path;
    };
    files.matchingFiles = [](const std::string& pattern) {
        std::vector<std::string> found;
        for (const char* file : {"C:\\data\\a.txt", "C:\\data\\b.txt", "C:\\data\\c.log"})
            if (pattern == "C:\\data\\*.txt" ? std::string(file).find(".txt") != std::string::npos : pattern == file)
                found.push_back(file);
        return found;
    };
    files.resolveShortcut = [](const std::string& path) {
        return path == "C:\\data\\go.lnk" || path == "C:\\data\\go.LNK" ? std::string("C:\\data\\target.txt") : path;
    };
    files.isLeadByte = Cp932Lead;
    return files;
}

std::string Paths(const std::string& text, const FileListRules& rules) {
    const FileSystemView files = FakeFiles();
    const FileList list = ParseFileList(text, rules, files);
    std::string joined;
    for (const std::string& entry : list.entries) joined += (joined.empty() ? "" : "|") + EntryPath(list, entry, rules, files);
    return joined;
}

constexpr FileListRules kSingle{}, kMultiple{false, true}, kFolder{true}, kFolderSlash{true, false, true};
constexpr FileListRules kWild{false, true, false, true}, kWildSingle{false, false, false, true};
constexpr FileListRules kResolve{false, false, false, false, true};

}  // namespace

TEST(FileList, TextToFullPaths) {
    const struct { const char* text; FileListRules rules; const char* paths; } cases[] = {
        {"C:\\data\\a.txt; b.txt", kMultiple, "C:\\data\\a.txt|C:\\data\\b.txt"},
        {"C:\\data\\a.txt; b.txt", kSingle, "C:\\data\\a.txt"},
        {" ;; C:\\a.txt  ;; \\x\\b.txt ; D:c ;", kMultiple, "C:\\a.txt|C:\\x\\b.txt|D:c"},
        {"rel.txt; z", kMultiple, "C:\\cwd\\rel.txt|C:\\cwd\\z"},
        {"C:\\data\\", kSingle, "C:\\data\\"},
        {"C:\\", kFolder, "C:\\"},
        {"C:\\", kFolderSlash, "C:\\"},
        {"C:\\data\\; D:\\", kFolder, "C:\\data"},
        {"data", kFolderSlash, "C:\\cwd\\data\\"},
        {"C:\\data\\*.txt", kWild, "C:\\data\\a.txt|C:\\data\\b.txt"},
        {"C:\\data\\*.txt", kWildSingle, "C:\\data\\a.txt"},
        {"C:\\data\\*.txt", kMultiple, "C:\\data\\*.txt"},
        {"C:\\data\\c.log; *.txt", kWild, "C:\\data\\c.log|C:\\data\\a.txt|C:\\data\\b.txt"},
        {"C:\\data\\*.none", kWild, ""},
        {"C:\\data\\go.LNK", kResolve, "C:\\data\\target.txt"},
        {"C:\\data\\go.LNK", kSingle, "C:\\data\\go.LNK"},
        {"C:\\\x95\x5c", kFolder, "C:\\\x95\x5c"},  // the trail byte of 0x95 0x5C is no separator
        {"C:\\\x95\x5c\\a", kMultiple, "C:\\\x95\x5c\\a"},
        {" ; ; ", kMultiple, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(Paths(c.text, c.rules), c.paths) << c.text;
    const std::string tooLong = "C" + std::string(300, 'x');
    EXPECT_EQ(Paths(tooLong, kFolder), tooLong) << "kept as typed when it cannot be made full";
}

TEST(FileList, EntriesAreKeptRelativeToTheFirstNamesFolder) {
    const FileList list = ParseFileList("C:\\data\\a.txt; C:\\data\\b.txt; C:\\other\\c.txt", kMultiple, FakeFiles());
    EXPECT_EQ(list.folderPrefix, "C:\\data\\");
    EXPECT_EQ(list.entries, (std::vector<std::string>{"a.txt", "b.txt", "C:\\other\\c.txt"}));
}

TEST(FileList, DropsChoicesAndQuotedSelections) {
    const std::vector<std::string> files = {"C:\\d\\a.txt", "C:\\d\\b.txt", "C:\\e\\c.txt"};
    EXPECT_EQ(DroppedFilesText(files, nullptr), "C:\\d\\a.txt; b.txt; C:\\e\\c.txt");
    EXPECT_EQ(ChosenFilesText(files, nullptr), "C:\\d\\a.txt; b.txt; c.txt");
    EXPECT_EQ(DroppedFilesText({}, nullptr), "");
    EXPECT_EQ(SplitQuotedNames("\"a b.txt\" \"c.txt\""), (std::vector<std::string>{"a b.txt", "c.txt"}));
    EXPECT_EQ(SplitQuotedNames("single.txt"), std::vector<std::string>{"single.txt"});
    EXPECT_EQ(SplitQuotedNames("\"open"), std::vector<std::string>{});
    EXPECT_TRUE(IsShortcutName("A.PIF") && IsShortcutName("x.lnk") && !IsShortcutName("lnk") && !IsShortcutName("a.lnkx"));
    EXPECT_EQ(UpperCaseAnsi("d:\\cuts\\\x83\x61new", Cp932Lead), "D:\\CUTS\\\x83\x61NEW") << "0x61 is a trail byte here";
}
