// Click-to-step combo box on a plain window, outside any dialog.
#include <gtest/gtest.h>

#include <vector>

#include "controls/lbut_combo_box.h"

using namespace optora;

namespace {

constexpr int kComboId = 77;

// A parent window that counts the selection changes its combo box reports.
struct Parent {
    explicit Parent(DWORD comboStyle = CBS_DROPDOWNLIST) {
        window = CreateWindowA("STATIC", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                               nullptr, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
        combo = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | comboStyle, 10, 10,
                              150, 120, window, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
        SetForegroundWindow(window);
    }
    ~Parent() { DestroyWindow(window); }

    HWND window = nullptr, combo = nullptr;
    int selChanges = 0;  // a notice from another window counts 100

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_COMMAND && wParam == MAKEWPARAM(kComboId, CBN_SELCHANGE))
            self->selChanges += reinterpret_cast<HWND>(lParam) == self->combo ? 1 : 100;
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

void Click(HWND window, int x = 10, UINT message = WM_LBUTTONDOWN) {
    SendMessageA(window, message, MK_LBUTTON, MAKELPARAM(x, 5));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
}

class LButComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(box_.Attach(parent_.combo));
        for (const char* item : {"first", "second", "third"}) box_.Add(item);
        SetFocus(parent_.combo);
    }
    bool Dropped() { return SendMessageA(parent_.combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }

    Parent parent_;
    CLButComboBox box_;
};

}  // namespace

TEST_F(LButComboBoxTest, BodyClicksStepRoundFromNoSelectionAndNotifyAsASelection) {
    const UINT clicks[] = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDOWN};
    const int expected[] = {0, 1, 2, 0};  // from no selection to the first; round after the last
    for (int i = 0; i < 4; ++i) {
        Click(parent_.combo, 10, clicks[i]);  // a double click follows a press: one more step
        EXPECT_EQ(box_.Selection(), expected[i]) << "click " << i;
        EXPECT_EQ(parent_.selChanges, i + 1);
    }
    EXPECT_FALSE(Dropped()) << "a step does not drop the list";

    box_.Clear();
    Click(parent_.combo);
    EXPECT_EQ(box_.Selection(), -1) << "an empty list selects nothing";
    EXPECT_EQ(parent_.selChanges, 5) << "but still notifies";
}

TEST_F(LButComboBoxTest, AFocusingClickOrAClickOnTheArrowDoesNotStep) {
    SetFocus(parent_.window);
    box_.Select(1);
    Click(parent_.combo);
    EXPECT_EQ(GetFocus(), parent_.combo) << "the first click on an unfocused control only focuses it";
    EXPECT_EQ(box_.Selection(), 1);
    EXPECT_EQ(parent_.selChanges, 0);

    RECT client = {};
    GetClientRect(parent_.combo, &client);
    SendMessageA(parent_.combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 3, 5));
    EXPECT_TRUE(Dropped()) << "a click on the arrow drops the list";
    EXPECT_EQ(box_.Selection(), 1);
    EXPECT_EQ(parent_.selChanges, 0);
    SendMessageA(parent_.combo, CB_SHOWDROPDOWN, FALSE, 0);
    Click(parent_.combo);
    EXPECT_EQ(box_.Selection(), 2);
}

TEST(LButComboBoxEditable, ClicksOnTheEditFieldAreNotStepsButTheFieldCountsAsFocus) {
    Parent parent(CBS_DROPDOWN);
    CLButComboBox box;
    ASSERT_TRUE(box.Attach(parent.combo));
    for (const char* item : {"a", "b"}) box.Add(item);
    const HWND field = GetWindow(parent.combo, GW_CHILD);
    SetFocus(parent.combo);
    ASSERT_EQ(GetFocus(), field) << "an editable combo box keeps its focus in the field";
    Click(field, 5);
    EXPECT_EQ(box.Selection(), -1) << "the field handles its own clicks";
    SendMessageA(parent.combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(box.Selection(), 0) << "a click reaching the combo box steps at once";
    EXPECT_EQ(parent.selChanges, 1);
}
