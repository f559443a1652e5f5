// Click-to-step combo box on a plain window, outside any dialog.
#include <gtest/gtest.h>

#include <vector>

#include "controls/lbut_combo_box.h"

using namespace optora;

namespace {

constexpr int kComboId = 77;

// A parent window that records the notifications its children send.
class Parent {
public:
    Parent() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "OptoraComboParent";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("OptoraComboParent", "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        combo_ = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST | WS_VSCROLL,
                               10, 10, 150, 120, window_, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
        other_ = CreateWindowA("BUTTON", "other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 50, 80, 20, window_,
                               reinterpret_cast<HMENU>(78), nullptr, nullptr);
    }
    ~Parent() { DestroyWindow(window_); }

    HWND combo_ = nullptr, other_ = nullptr, window_ = nullptr;
    std::vector<std::pair<WPARAM, LPARAM>> commands;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Parent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && message == WM_COMMAND && LOWORD(wParam) == kComboId) self->commands.emplace_back(wParam, lParam);
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

class LButComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(combo_.Attach(parent_.combo_));
        for (const char* item : {"first", "second", "third"}) combo_.Add(item);
        SetForegroundWindow(parent_.window_);
    }

    void Press(UINT message, int x) {
        SendMessageA(parent_.combo_, message, MK_LBUTTON, MAKELPARAM(x, 5));
        SendMessageA(parent_.combo_, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
    }
    void Body(UINT message = WM_LBUTTONDOWN) { Press(message, 10); }
    int SelChanges() const {
        int count = 0;
        for (const auto& [wParam, lParam] : parent_.commands) {
            if (HIWORD(wParam) != CBN_SELCHANGE) continue;
            EXPECT_EQ(reinterpret_cast<HWND>(lParam), parent_.combo_);
            ++count;
        }
        return count;
    }

    Parent parent_;
    CLButComboBox combo_;
};

}  // namespace

TEST_F(LButComboBoxTest, ABodyClickStepsRoundAndNotifiesAsASelection) {
    SetFocus(parent_.combo_);
    combo_.Select(2);
    Body();
    EXPECT_EQ(combo_.Selection(), 0);
    EXPECT_EQ(SelChanges(), 1);
    Body();
    EXPECT_EQ(combo_.Selection(), 1);
    EXPECT_EQ(SelChanges(), 2);
    EXPECT_FALSE(SendMessageA(parent_.combo_, CB_GETDROPPEDSTATE, 0, 0)) << "a step does not drop the list";
}

TEST_F(LButComboBoxTest, ADoubleClickStepsTwiceAndNoSelectionStartsAtTheFirst) {
    SetFocus(parent_.combo_);
    ASSERT_EQ(combo_.Selection(), -1);
    Body();
    EXPECT_EQ(combo_.Selection(), 0);
    Body(WM_LBUTTONDBLCLK);
    EXPECT_EQ(combo_.Selection(), 1) << "press, then the double click";
    EXPECT_EQ(SelChanges(), 2);
}

TEST_F(LButComboBoxTest, TheFirstClickOnAnUnfocusedControlOnlyFocusesIt) {
    SetFocus(parent_.other_);
    combo_.Select(1);
    Body();
    EXPECT_EQ(GetFocus(), parent_.combo_);
    EXPECT_EQ(combo_.Selection(), 1);
    EXPECT_EQ(SelChanges(), 0);
    Body();
    EXPECT_EQ(combo_.Selection(), 2);
}

TEST_F(LButComboBoxTest, AClickOnTheArrowDropsTheListWithoutStepping) {
    SetFocus(parent_.combo_);
    combo_.Select(0);
    RECT client = {};
    GetClientRect(parent_.combo_, &client);
    SendMessageA(parent_.combo_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 3, 5));
    EXPECT_TRUE(SendMessageA(parent_.combo_, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(combo_.Selection(), 0);
    EXPECT_EQ(SelChanges(), 0);
    SendMessageA(parent_.combo_, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(LButComboBoxTest, AnEmptyListSelectsNothingButStillNotifies) {
    combo_.Clear();
    SetFocus(parent_.combo_);
    Body();
    EXPECT_EQ(combo_.Selection(), -1);
    EXPECT_EQ(SelChanges(), 1);
}

TEST(LButComboBoxEditable, ClicksOnTheEditFieldAreNotStepsButTheFieldCountsAsFocus) {
    Parent parent;
    const HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, 10, 80, 150,
                                     120, parent.window_, reinterpret_cast<HMENU>(kComboId), nullptr, nullptr);
    CLButComboBox box;
    ASSERT_TRUE(box.Attach(combo));
    for (const char* item : {"a", "b"}) box.Add(item);
    const HWND field = GetWindow(combo, GW_CHILD);
    ASSERT_NE(field, nullptr);
    SetFocus(combo);
    ASSERT_EQ(GetFocus(), field) << "an editable combo box keeps its focus in the field";

    SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(box.Selection(), -1) << "the field handles its own clicks";

    SendMessageA(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(box.Selection(), 0) << "a click reaching the combo box steps at once";
    int selChanges = 0;
    for (const auto& command : parent.commands) selChanges += HIWORD(command.first) == CBN_SELCHANGE;
    EXPECT_EQ(selChanges, 1);
}
