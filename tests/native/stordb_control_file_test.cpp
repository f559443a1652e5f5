#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control_file.h"

using storage::FindItem;

TEST(StordbControlFile, FindsNamesOnTheirLines) {
    const std::string content = "P-USER-ENVIRON\r\n  RULES1 \nrules2\n\nLAST";
    EXPECT_EQ(FindItem(content, "P-USER-ENVIRON"), 1);
    EXPECT_EQ(FindItem(content, "RULES1"), 2) << "blanks and CR around a name are ignored";
    EXPECT_EQ(FindItem(content, "RULES2"), 3) << "ASCII case is ignored";
    EXPECT_EQ(FindItem(content, "LAST"), 5) << "the last line needs no line end";
    EXPECT_EQ(FindItem(content, "RULES"), 0) << "whole names only";
    EXPECT_EQ(FindItem(content, ""), 0);
    EXPECT_EQ(FindItem(content, "  "), 0) << "an empty line is no item";
}

TEST(StordbControlFile, GarbageHoldsNoItems) {
    EXPECT_EQ(FindItem("", "A"), 0);
    EXPECT_EQ(FindItem(std::string("A\0B\nA\n", 6), "A"), 0) << "a zero byte: not a text file";
    EXPECT_EQ(FindItem(std::string(storage::kMaxControlFileSize + 1, 'A'), "A"), 0) << "too large";
    const std::string longName(21, 'N');
    EXPECT_EQ(FindItem(longName + "\n", longName), 0) << "item names have at most 20 bytes";
    EXPECT_EQ(FindItem(std::string(20, 'N') + "\n", std::string(20, 'N')), 1);
    EXPECT_EQ(FindItem("\xff\xfe\x80\n\x81\x40\n", "\x81\x40"), 2) << "bytes above 127 compare as they are";
}

TEST(StordbControlFile, ListsItemsInFileOrder) {
    const std::string longName(21, 'N');
    const struct { std::string content; std::vector<std::string_view> items; } cases[] = {
        {"M1\r\n  m2 \n\n" + longName + "\nLAST", {"M1", "m2", "LAST"}},
        {std::string("M1\n\0", 4), {}},
        {std::string(storage::kMaxControlFileSize + 1, 'A'), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(storage::ListItems(c.content), c.items);
}
