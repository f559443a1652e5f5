#include <gtest/gtest.h>

#include <string>

#include "controls/size_rule.h"

namespace {

bool Cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Every byte against the rule, as the text of the bytes that pass.
std::string Passing(const optora::NameFilterRule& codePage, unsigned from, unsigned to) {
    std::string passing;
    for (unsigned c = from; c <= to; ++c)
        if (optora::SizeCharacterPasses(static_cast<unsigned char>(c), codePage)) passing += static_cast<char>(c);
    return passing;
}

}  // namespace

TEST(SizeCharacterRule, SizesAreLettersDigitsAndFourMarks) {
    const optora::NameFilterRule ansi{nullptr, false}, japanese{Cp932Lead, true};
    const std::string ascii = "\b\r -/0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ\\_abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(Passing(ansi, 0, 0x7F), ascii);
    EXPECT_EQ(Passing(japanese, 0, 0x7F), ascii);
    EXPECT_EQ(Passing(ansi, 0x80, 0xFF), "") << "no letters outside ASCII in a single-byte code page";
    EXPECT_EQ(Passing(japanese, 0x80, 0xFF).size(), 0x80u) << "any byte may start a character of the user's script";
}
