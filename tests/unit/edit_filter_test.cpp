// The item-name filter on a real edit window: typed characters one by one,
// pastes through the clipboard, and the window's own procedure put back when
// it goes. ctest runs it twice: in a single-byte and in a double-byte (932)
// ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "controls/edit_filter.h"
#include "controls/size_digitized_edit.h"
#include "ui_driver.h"

using namespace optora;

namespace {

int g_removedNotices = 0;
WNDPROC g_filter = nullptr;

// Outermost, as a dialog's own subclass would be: it sees what the filter sends.
LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_EDITFILTER_CHARS_REMOVED) ++g_removedNotices;
    return CallWindowProcA(g_filter, window, message, wParam, lParam);
}

class EditFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        edit_ = CreateWindowA("EDIT", "", WS_POPUP | ES_AUTOHSCROLL | ES_UPPERCASE, 0, 0, 200, 24, nullptr, nullptr,
                              nullptr, nullptr);
        ASSERT_TRUE(edit_);
        original_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit_, GWLP_WNDPROC));
        ASSERT_EQ(InstallEditFilter(RememberWindowProc(edit_), 1, false), original_);
        g_filter = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorder)));
        g_removedNotices = 0;
    }
    void TearDown() override { if (edit_) DestroyWindow(edit_); }

    void Type(const std::string& bytes, bool ctrl = false) {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        for (unsigned char c : bytes) SendMessageA(edit_, WM_CHAR, c, 0);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    std::string Text() const { return test::WindowText(edit_); }
    void Paste(const std::string& text) { test::Paste(edit_, text); }

    HWND edit_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace

TEST_F(EditFilterTest, TypedCharactersAreJudgedOneByOne) {
    Type("ab#:-_ 9\\@");
    EXPECT_EQ(Text(), "AB-_ 9") << "refused characters never reach the edit";
    Type("\b\b");
    EXPECT_EQ(Text(), "AB-_");
    Type("\\@", true);  // AltGr is Ctrl+Alt: printable characters are still judged
    Type("\x01", true);  // Ctrl+A reaches the edit (it selects all there)
    EXPECT_EQ(Text(), "AB-_");
    if (GetACP() == 932) {
        // "ソ" typed as two bytes: the second, "\" when alone, must reach
        // the edit (how the edit then joins them is the window system's);
        // what follows is judged again.
        Type("\x83\x5c*");
        EXPECT_EQ(Text().back(), '\\');
    } else {
        Type("\x99\xe9");
        EXPECT_EQ(Text(), "AB-_\x99");
    }
}

TEST_F(EditFilterTest, PastesKeepTheNameCharactersAndSayWhenSomeWereLeftOut) {
    Paste("xy#z-1");
    EXPECT_EQ(Text(), "XYZ-1");
    EXPECT_EQ(g_removedNotices, 1);
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    Paste("OK 2");
    EXPECT_EQ(Text(), "OK 2");
    EXPECT_EQ(g_removedNotices, 1) << "nothing left out, nothing said";
}

TEST_F(EditFilterTest, TheFilterAndItsPropertyGoWithTheWindow) {
    EXPECT_EQ(InstallEditFilter(edit_, 2, false), nullptr) << "only the item-name kind exists";
    HWND bare = CreateWindowA("EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(InstallEditFilter(bare, 1, false), nullptr) << "its procedure was not remembered first";
    DestroyWindow(bare);
    EXPECT_NE(GetPropA(edit_, "OLD_WND_PROC"), nullptr);
    SendMessageA(edit_, WM_NCDESTROY, 0, 0);  // what DestroyWindow sends last
    EXPECT_EQ(GetPropA(edit_, "OLD_WND_PROC"), nullptr);
}

// The size field judges by the same code page, with its own characters.
TEST(SizeDigitizedEditTest, TakesSizeCharactersAndWholeDoubleByteCharacters) {
    const HWND edit =
        CreateWindowA("EDIT", "", WS_POPUP | ES_UPPERCASE, 0, 0, 200, 24, nullptr, nullptr, nullptr, nullptr);
    CSizeDigitizedEdit size;
    ASSERT_TRUE(size.Attach(edit));
    const bool japanese = GetACP() == 932;
    // In code page 932 "\x83\x40" is one character: its second byte, "@"
    // alone, must reach the edit (how the edit joins them is the window
    // system's). Elsewhere 0x99 and 0xE9 are letters of no size.
    for (unsigned char c : std::string("m/l#-x_\\ 1:\b") + (japanese ? "\x83\x40" : "\x99\xe9"))
        SendMessageA(edit, WM_CHAR, c, 0);
    const std::string shown = test::WindowText(edit);
    EXPECT_EQ(shown.substr(0, 8), "M/L-X_\\ ");
    EXPECT_EQ(shown.size() > 8 ? shown.back() : '\0', japanese ? '@' : '\0') << "only the double-byte character follows";
    DestroyWindow(edit);
}
