#include <gtest/gtest.h>

#include <string>

#include "controls/name_filter.h"
#include "options/storage_area.h"
#include "store/item_name.h"

using optora::ItemName;

namespace {

// Lead bytes of code page 932.
bool Cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool NoLead(unsigned char) { return false; }

std::string Name(const std::string& text, bool rule = true, bool upper = true, ItemName::LeadBytePredicate lead = NoLead) {
    const ItemName name(text, rule, upper, lead);
    EXPECT_EQ(std::string(name.c_str()), std::string(name.View())) << "the buffer ends where the name does";
    EXPECT_LE(name.size(), ItemName::kMaxLength);
    return std::string(name.View());
}

}  // namespace

TEST(ItemName, WhiteSpaceAtEitherEndIsDropped) {
    EXPECT_EQ(Name("  my model#1 "), "MY MODEL-1");
    EXPECT_EQ(Name("\t\r\n\v\fabc \t"), "ABC");
    EXPECT_EQ(Name(""), "");
    EXPECT_EQ(Name("      "), "");
    EXPECT_EQ(Name(std::string(19, ' ') + "A"), "A") << "19 leading blanks are skipped";
    EXPECT_EQ(Name(std::string(20, ' ') + "A"), "") << "only 20 leading positions are examined";
    EXPECT_EQ(Name("A" + std::string(30, ' ') + "B"), "A") << "B lies beyond the 20 bytes walked";
}

TEST(ItemName, AtMostTwentyBytes) {
    EXPECT_EQ(Name("abcdefghijklmnopqrstuvwxy"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(Name("  abcdefghijklmnopqrstuvwxy"), "ABCDEFGHIJKLMNOPQRST") << "counted after the leading blanks";
    EXPECT_EQ(Name("abcdefghijklmnopqrs  tuv"), "ABCDEFGHIJKLMNOPQRS") << "a blank at byte 20 is trailing";
}

TEST(ItemName, SwitchesForCaseAndCharacters) {
    EXPECT_EQ(Name("abc/def", false, false), "abc/def");
    EXPECT_EQ(Name("abc/def", false, true), "ABC/DEF");
    EXPECT_EQ(Name("abc/def", true, false), "abc-def");
    EXPECT_EQ(Name("a-b_c d.e,f*g\th"), "A-B_C D-E-F-G-H") << "inner white space other than a blank is replaced";
    EXPECT_EQ(Name("\x80\x8E\x99\x9A\xA5\x81\xFF"), "\x80\x8E\x99\x9A\xA5--") << "five extended letters stay";
    EXPECT_EQ(Name("\xe9t\xe9", true, true), "-T-") << "no upper case outside ASCII";
}

TEST(ItemName, DoubleByteCharactersAreNeverSplit) {
    // "\x82\xa0" is one character of code page 932; its trail byte would be
    // replaced by the character rule if it were taken alone.
    const std::string kana = "\x82\xa0";
    EXPECT_EQ(Name("a" + kana + "b", true, true, Cp932Lead), "A" + kana + "B");
    EXPECT_EQ(Name("a" + kana + "b", true, true, NoLead), "A--B") << "single-byte code page";
    EXPECT_EQ(Name("\x83\x5c", true, true, Cp932Lead), "\x83\x5c") << "a trail byte that looks like a backslash";
    EXPECT_EQ(Name("\x82\x61", true, true, Cp932Lead), "\x82\x61") << "a trail byte that looks like a letter keeps its case";

    std::string ten;
    for (int i = 0; i < 10; ++i) ten += kana;
    EXPECT_EQ(Name(ten + "X", true, true, Cp932Lead), ten) << "ten characters fill the 20 bytes";
    const std::string odd = "A" + ten;
    EXPECT_EQ(Name(odd, true, true, Cp932Lead), odd.substr(0, 19)) << "the character across byte 20 is left out";
    EXPECT_EQ(Name(std::string(19, 'A') + kana, true, true, Cp932Lead), std::string(19, 'A'));
}

TEST(ItemName, ALeadByteWithoutItsSecondByteIsRemoved) {
    EXPECT_EQ(Name("AB\x82", true, true, Cp932Lead), "AB");
    EXPECT_EQ(Name("AB\x82", false, false, Cp932Lead), "AB") << "whatever the switches";
    EXPECT_EQ(Name("\x82", true, true, Cp932Lead), "");
    EXPECT_EQ(Name("A\x82\x82", true, true, Cp932Lead), "A\x82\x82") << "a lead byte as a trail byte is whole";
    EXPECT_EQ(Name("A\x82\x82\x82", true, true, Cp932Lead), "A\x82\x82");
}

TEST(StorageAreaPath, DriveThenUserRootThenArea) {
    using optora::StorageAreaPath;
    EXPECT_EQ(StorageAreaPath("C:DATA70", false), "C:\\userroot\\storage\\DATA70");
    EXPECT_EQ(StorageAreaPath("C:DATA70", true), "C:\\userroot\\storage\\DATA70\\data\\");
    EXPECT_EQ(StorageAreaPath("d: my area", false), "d:\\userroot\\storage\\ my area") << "nothing trimmed or changed";
    EXPECT_EQ(StorageAreaPath("C:A:B", false), "C:\\userroot\\storage\\A:B") << "the first colon ends the drive";
    EXPECT_EQ(StorageAreaPath("DATA70", false), "");
    EXPECT_EQ(StorageAreaPath(":DATA70", true), "");
    EXPECT_EQ(StorageAreaPath("", true), "");
    EXPECT_EQ(StorageAreaPath("C:", false), "C:\\userroot\\storage\\");
    for (const auto& [designation, parts] : {std::pair{"C:A:B", "C:|A:B"}, {":DATA70", "|"}, {"DATA70", "|"}}) {
        const auto [drive, area] = optora::SplitDesignation(designation);
        EXPECT_EQ(drive + "|" + area, parts);
    }
}

TEST(NameFilter, PastedTextKeepsOnlyNameCharactersAndWholeDoubleByteCharacters) {
    const optora::NameFilterRule ansi{NoLead, false}, japanese{Cp932Lead, true};
    const struct { std::string pasted; const optora::NameFilterRule& rule; std::string kept; bool removed; } kCases[] = {
        {"xy#z-1", ansi, "XYZ-1", true},
        {"ab_c d\r\b", ansi, "AB_C D\r\b", false},
        {"\x99\x80\xe9", ansi, "\x99\x80", true},  // extended letters pass, other high bytes do not
        {"\x83\x5c:a", japanese, "\x83\x5c" "A", true},  // "\" as a second byte is part of its character
        {"\xa5\xdf", japanese, "\xa5\xdf", false},       // any high byte in a multi-byte code page
        {std::string(258, 'A') + "\x83\x5c", japanese, std::string(258, 'A'), true},  // cut mid-character
        {std::string(300, 'b'), ansi, std::string(259, 'B'), false},
        {std::string("A\0B", 3), ansi, "A", false},
    };
    for (const auto& c : kCases) {
        bool removed = !c.removed;
        EXPECT_EQ(optora::FilterPastedName(c.pasted, c.rule, removed), c.kept) << c.pasted;
        EXPECT_EQ(removed, c.removed) << c.pasted;
    }
}
