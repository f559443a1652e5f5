#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace optora {

// Names of items in a storage area (models, pieces, rule tables) as the
// storage-area database keeps them: at most 20 bytes, no white space at
// either end, and in the suite's ANSI code page, where a double-byte
// character is never split.
class ItemName {
public:
    static constexpr std::size_t kMaxLength = 20;

    // Whether a byte starts a double-byte character in the code page in use.
    using LeadBytePredicate = bool (*)(unsigned char);

    // characterRule: single-byte characters other than letters, digits, a
    // space, "-", "_" and the code page's five extended letters become "-".
    // upperCase: single-byte letters become upper case. Double-byte
    // characters are kept as they are.
    ItemName(std::string_view text, bool characterRule, bool upperCase, LeadBytePredicate isLeadByte);

    // The name as the 21-byte zero-terminated buffer the database takes.
    const char* c_str() const { return text_; }
    std::string_view View() const { return {text_, length_}; }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }

private:
    char text_[kMaxLength + 1] = {};
    std::size_t length_ = 0;
};

// The characters item names are made of, in their upper-case form: A to Z,
// 0 to 9, a blank, "-", "_" and the code page's five extended letters.
bool IsNameCharacter(unsigned char c);

// C-locale upper case of a single byte; bytes above 127 stay as they are.
unsigned char AsciiUpper(unsigned char c);

// White space as the C locale classifies it: blank, tab, the line ends, form
// and vertical feed. Bytes above 127 are never white space.
bool IsItemSpace(unsigned char c);

// The text without white space at either end.
std::string_view TrimItemSpace(std::string_view text);

// Single-byte letters in upper case; a double-byte character stays whole,
// as its trail byte may read as a lower-case letter.
std::string UpperCaseAnsi(std::string_view text, ItemName::LeadBytePredicate isLeadByte);

}  // namespace optora
