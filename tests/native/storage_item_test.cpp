#include "controls/storage_item.h"

#include <gtest/gtest.h>

#include "programs/command_line.h"

using namespace optora;

// The command lines the field's tests under Wine do not start.
TEST(StorageItem, TypeBitsAndCommandLines) {
    const struct {
        uint32_t flags;
        int index;  // -1: no type
        std::string name;  // "(kept)": the type keeps the name it had
    } types[] = {{0x1000 | 0x40000000, 12, "cutgenpt"}, {0x500, 10, "Model"}, {0x900, 8, "wvlr"}, {0x8, 3, ""},
                 {0x100000, 20, "(kept)"},               {0x90, -1, ""}};
    for (const auto& t : types) {
        const auto type = StorageItemTypeOf(t.flags);
        EXPECT_EQ(type ? type->index : -1, t.index) << t.flags;
        EXPECT_EQ(!type ? "" : type->name ? type->name : "(kept)", t.name);
    }
    const ItemPlace place{"C:", "DATA70"};
    const std::string none = "-";
    const auto bare = CommandLine::ProgramWord::QuotedWhenBlank;
    const std::pair<std::optional<std::string>, std::string> lines[] = {
        {EditItemCommand("cutgenpt", "", place, "P", 1), none},  // its arguments would start something else
        {EditItemCommand("Order", "o.exe", place, std::string(40000, 'N'), 1), none},  // past a command line's limit
        {MarlowCommand("m.exe", place, "P1", false, true, true), "\"m.exe\" /DC: /ADATA70 /P\"P1\" /N /O"},
        {MarlowCommand("", place, "M1", true, false, false), none},
        {ModelDisplayCommand("f.exe", place, "P1", true), "\"f.exe\" C: DATA70 -p \"P1\""},
        {ModelDisplayCommand("f.exe", place, "M\"1", false), none},
        {PlotViewerCommand("g.exe", place, "P1"), "\"g.exe\" -pC:;DATA70;\"P1\""},
        // The user-environment editor's word is bare unless it has a blank.
        {CommandLine("c:\\u.exe", bare).Add(" -dC").Text(), "c:\\u.exe -dC"},
        {CommandLine("c:\\a b\\u.exe", bare).Add(" -dC").Text(), "\"c:\\a b\\u.exe\" -dC"},
        {CommandLine("", bare).Add(" -dC").Text(), none},
        {CommandLine("u.exe", bare).Add(std::string(kCommandLineLimit - 5, 'A')).Text(), none},
    };
    for (const auto& [line, want] : lines) EXPECT_EQ(line.value_or(none), want);
}

TEST(StorageItem, SavedNoticesAreReadWithinTheirBlock) {
    const std::string name(kSavedNoticeLimit - 6, 'N');
    const struct { std::string block, read; } cases[] = {  // read: "device|area|name", or "-" when refused
        {std::string("C:\\DATA70\\P-CUTTER2\0", 20), "C:|DATA70|P-CUTTER2"},
        {std::string("C:\\A\\B\\C\0junk", 13), "C:|A|B\\C"},
        {"C:\\DATA70\\P-CUTTER2", "-"},  // no terminator inside the block
        {std::string("C:\\DATA70\\\0", 11), "-"},
        {std::string("C:DATA70\\X\0", 11), "-"},
        {std::string("C:\\D\\P\tX\0", 9), "-"},  // control bytes: a TAB, a CR, DEL
        {std::string("C:\\D\r\\P\0", 8), "-"},
        {std::string("C:\\D\\P\x7f\0", 8), "-"},
        {"", "-"},
        {"C:\\D\\" + name + '\0', "C:|D|" + name},
        {"C:\\D\\N" + name + '\0', "-"},  // one byte too many
    };
    for (const auto& c : cases) {
        const auto saved = ReadSavedNotice(c.block.data(), c.block.size());
        EXPECT_EQ(saved ? saved->place.device + "|" + saved->place.area + "|" + saved->name : "-", c.read);
    }
    EXPECT_FALSE(ReadSavedNotice(nullptr, 10));
}
