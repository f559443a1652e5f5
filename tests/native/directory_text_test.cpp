#include <gtest/gtest.h>

#include "controls/directory_text.h"

using namespace optora;

namespace {
bool Cp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}  // namespace

TEST(DirectoryText, TypedTextToTheDirectoryChecked) {
    const struct { const char* typed; const char* device; const char* directory; } cases[] = {
        {"CUTS", "D:", "D:\\CUTS"},
        {"CUTS", "", "C:\\CUTS"},
        {"\\\\DATA", "C:", "C:\\DATA"},
        {"E:\\A\\\\\\B\\\\", "D:", "E:\\A\\B\\"},
        {"", "D:", "D:\\"},
        {"C:\\\x95\x5c\\\\sub", "", "C:\\\x95\x5c\\sub"},  // 0x95 0x5C is one character, then a separator
    };
    for (const auto& c : cases) EXPECT_EQ(DirectoryOnDevice(c.typed, c.device, Cp932Lead).value_or("(refused)"), c.directory);
    EXPECT_EQ(DirectoryOnDevice("C:\\\x95\x5c\\sub", "", nullptr), "C:\\\x95\\sub") << "single-byte: the byte is a separator";
    EXPECT_TRUE(DirectoryOnDevice("C:\\" + std::string(252, 'x'), "", nullptr));
    EXPECT_FALSE(DirectoryOnDevice("C:\\" + std::string(253, 'x'), "", nullptr)) << "not cut to the 255 the records hold";
}
