#include "controls/storage_item.h"

#include <gtest/gtest.h>

using namespace optora;

TEST(StorageItem, TypeBitsPickTheFirstTypeInTheSuitesOrder) {
    const struct {
        uint32_t flags;
        int index;  // -1: no type
        const char* name;
    } cases[] = {
        {0x1000, 12, "cutgenpt"}, {0x1000 | 0x40000000, 12, "cutgenpt"}, {0x500, 10, "Model"}, {0x900, 8, "wvlr"},
        {0x8, 3, ""},             {0x100000, 20, nullptr},             {0x400000, 22, "sizecode"}, {0x90, -1, nullptr},
    };
    for (const auto& c : cases) {
        const auto type = StorageItemTypeOf(c.flags);
        ASSERT_EQ(type.has_value(), c.index >= 0) << c.flags;
        if (!type) continue;
        EXPECT_EQ(type->index, c.index);
        EXPECT_EQ(type->name ? std::string(type->name) : "(kept)", c.name ? std::string(c.name) : "(kept)");
    }
    EXPECT_EQ(ItemEditorName("wvlr"), "velor.exe");
    EXPECT_EQ(ItemEditorName("wstdpce"), "wstdpce");
}

TEST(StorageItem, CommandLinesKeepTypedTextsAsArguments) {
    const ItemPlace place{"C:", "DATA70"};
    const std::string none = "(none)";
    const auto text = [&](const std::optional<std::string>& line) { return line.value_or(none); };
    const struct {
        const char *type, *program, *name;
        std::string line;
    } edits[] = {
        {"cutgenpt", "c:\\p\\cutgenpt.exe", "P-CUTTER", "\"c:\\p\\cutgenpt.exe\" -DC: -SDATA70 -I\"P-CUTTER\" -W1234"},
        {"cutgenpt", "c:\\p\\cutgenpt.exe", "50%s%n", "\"c:\\p\\cutgenpt.exe\" -DC: -SDATA70 -I\"50%s%n\" -W1234"},
        {"wvlr", "c:\\p q\\velor.exe", "M1", "\"c:\\p q\\velor.exe\" -W1234 C: DATA70 M1"},
        {"wstdpce", "c:\\p\\wstdpce.exe", "P 1", "\"c:\\p\\wstdpce.exe\" C: DATA70 p-user-environ \"P 1\" NULL"},
        {"cutgenpt", "", "P-CUTTER", none},                       // no program: its arguments would start something
        {"cutgenpt", "c:\\p\\cutgenpt.exe", "A\" -Wx \"", none},  // a quote would end the name early
    };
    for (const auto& e : edits) EXPECT_EQ(text(EditItemCommand(e.type, e.program, place, e.name, 1234)), e.line) << e.name;
    EXPECT_EQ(text(EditItemCommand("Order", "c:\\p\\Order.exe", place, std::string(40000, 'N'), 1)), none)
        << "past what a process may be started with";

    EXPECT_EQ(text(MarlowCommand("c:\\m\\mrl.exe", place, "M1", true, false, false)), "\"c:\\m\\mrl.exe\" /DC: /ADATA70 /M\"M1\"");
    EXPECT_EQ(text(MarlowCommand("c:\\m\\mrl.exe", place, "P1", false, true, true)),
              "\"c:\\m\\mrl.exe\" /DC: /ADATA70 /P\"P1\" /N /O");
    EXPECT_EQ(text(MarlowCommand("", place, "M1", true, false, false)), none);
    EXPECT_EQ(text(ModelDisplayCommand("f.exe", place, "P1", true)), "\"f.exe\" C: DATA70 -p \"P1\"");
    EXPECT_EQ(text(ModelDisplayCommand("f.exe", place, "M1", false)), "\"f.exe\" C: DATA70 \"M1\"");
    EXPECT_EQ(text(PlotViewerCommand("g.exe", place, "P1")), "\"g.exe\" -pC:;DATA70;\"P1\"");
    EXPECT_EQ(WithoutLeadingBlanks(" \t P 1 "), "P 1 ");
}

TEST(StorageItem, SavedNoticesAreReadWithinTheirBlock) {
    const struct {
        std::string block;
        std::string read;  // "device|area|name", or "-" when refused
    } cases[] = {
        {std::string("C:\\DATA70\\P-CUTTER2\0", 20), "C:|DATA70|P-CUTTER2"},
        {std::string("C:\\A\\B\\C\0junk", 13), "C:|A|B\\C"},
        {std::string("\\\\N\0", 4), "||N"},
        {"C:\\DATA70\\P-CUTTER2", "-"},  // no terminator inside the block
        {std::string("C:\\DATA70\\\0", 11), "-"},
        {std::string("C:DATA70\\X\0", 11), "-"},
        {std::string(1, '\0'), "-"},
        {"", "-"},
        {"C:\\D\\" + std::string(kSavedNoticeLimit - 6, 'N') + '\0', "C:|D|" + std::string(kSavedNoticeLimit - 6, 'N')},
        {"C:\\D\\" + std::string(kSavedNoticeLimit - 5, 'N') + '\0', "-"},  // one byte too many
    };
    for (const auto& c : cases) {
        const auto saved = ReadSavedNotice(c.block.data(), c.block.size());
        EXPECT_EQ(saved ? saved->place.device + "|" + saved->place.area + "|" + saved->name : "-", c.read)
            << c.block.substr(0, 30);
    }
    EXPECT_FALSE(ReadSavedNotice(nullptr, 10));
}
