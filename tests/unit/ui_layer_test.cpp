// The dialog layer under a real modal loop: a test template from this
// program's resources, driven as a user would.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/control.h"
#include "ui/data_exchange.h"
#include "ui/dialog.h"
#include "ui_driver.h"

using namespace optora;
using namespace optora::test;

namespace {

constexpr int kFirst = 501, kSecond = 502, kThird = 503, kCheck = 510, kCount = 520, kName = 521, kLength = 522,
              kList = 530, kEditable = 531, kThrow = 540;

class LayerDialog : public ui::ModalDialog {
public:
    explicit LayerDialog(HWND owner = nullptr) : ModalDialog(500, owner) { Listen(RegisterWindowMessageA("OptoraLayerPing")); }

    int choice = 1, checked = BST_CHECKED, count = 4, listIndex = 1;
    std::string name = "abc", editable = "beta";
    double length = 2.5;
    std::vector<WPARAM> pings;

protected:
    void DoDataExchange(ui::DataExchange& x) override {
        x.Control(kList, list_);
        x.RadioGroup(kFirst, choice);
        x.Check(kCheck, checked);
        x.WholeNumber(kCount, count, 1, 10);
        x.Text(kName, name, 5);
        x.DecimalNumber(kLength, length);
        x.ComboIndex(kList, listIndex);
        x.ComboText(kEditable, editable);
    }
    bool OnInitDialog() override {
        for (const auto& [id, item] : {std::pair{kList, "zero"}, {kList, "one"}, {kList, "two"},
                                       {kEditable, "alpha"}, {kEditable, "beta"}})
            SendDlgItemMessageA(Handle(), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return ModalDialog::OnInitDialog();
    }
    bool OnCommand(WORD id, WORD, HWND) override {
        if (id == kThrow) throw std::runtime_error("handler failed");
        return false;
    }
    LRESULT OnRegisteredMessage(UINT, WPARAM wParam, LPARAM) override {
        pings.push_back(wParam);
        return 42;
    }

private:
    ui::ComboBox list_;
};

INT_PTR Modal(LayerDialog& dialog, UiDriver& ui) {
    INT_PTR result = 0;
    EXPECT_TRUE(ui.Run([&] { result = dialog.DoModal(); })) << ui.Failure();
    return result;
}

INT_PTR Modal(LayerDialog& dialog, UiDriver::Action script) {
    UiDriver ui;
    ui.WaitForDialog("Layer Test").Then(std::move(script));
    return Modal(dialog, ui);
}

}  // namespace

TEST(DialogLayer, MembersReachTheControlsAndComeBackEdited) {
    LayerDialog dialog;
    EXPECT_EQ(Modal(dialog,
                  [](UiDriver& d) {
                      EXPECT_TRUE(!d.IsChecked(kFirst) && d.IsChecked(kSecond) && !d.IsChecked(kThird))
                          << "index 1 in template order, the label between is not counted";
                      EXPECT_TRUE(d.IsChecked(kCheck));
                      EXPECT_EQ(d.Text(kCount) + "|" + d.Text(kName) + "|" + d.Text(kLength), "4|abc|2.5");
                      EXPECT_EQ(d.ComboSelection(kList), 1);
                      EXPECT_EQ(d.ComboSelection(kEditable), 1);
                      d.Click(kThird);
                      d.Click(kCheck);
                      d.TypeText(kCount, " 10 ");
                      d.TypeText(kName, "abcdefgh");
                      EXPECT_EQ(d.Text(kName), "abcde") << "typing stops at the length the binding allows";
                      d.TypeText(kLength, "-0.75");
                      d.SelectComboItem(kList, 2);
                      SetWindowTextA(d.Item(kEditable), "gamma");
                      d.Click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ((std::vector<int>{dialog.choice, dialog.checked, dialog.count, dialog.listIndex}),
              (std::vector<int>{2, BST_UNCHECKED, 10, 2}));
    EXPECT_EQ(dialog.name + "|" + dialog.editable, "abcde|gamma");
    EXPECT_DOUBLE_EQ(dialog.length, -0.75);

    LayerDialog none;
    none.choice = none.listIndex = -1;
    EXPECT_EQ(Modal(none,
                  [](UiDriver& d) {
                      EXPECT_FALSE(d.IsChecked(kFirst) || d.IsChecked(kSecond) || d.IsChecked(kThird));
                      EXPECT_EQ(d.ComboSelection(kList), -1);
                      d.Click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(none.choice + none.listIndex, -2) << "no radio or list choice stays -1";
}

TEST(DialogLayer, RejectedFieldsPromptKeepTheDialogOpenAndTheMembers) {
    LayerDialog dialog;
    UiDriver ui;
    ui.WaitForDialog("Layer Test")
        .Then([](UiDriver& d) {
            d.TypeText(kCount, "11");
            d.Click(IDOK);
        })
        .AnswerMessageBox("Please enter an integer between 1 and 10.")
        .Then([](UiDriver& d) {
            EXPECT_EQ(GetFocus(), d.Item(kCount)) << "the rejected field gets the focus";
            d.TypeText(kCount, "7");
            d.TypeText(kLength, "1,5");
            d.Click(IDOK);
        })
        .AnswerMessageBox("Please enter a number.")
        .Then([](UiDriver& d) {
            d.TypeText(kLength, "1.5");
            SetWindowTextA(d.Item(kName), "too long");  // a paste can pass the typing limit
            d.Click(IDOK);
        })
        .AnswerMessageBox("Please enter no more than 5 characters.")
        .Then([](UiDriver& d) { d.Click(IDCANCEL); });
    EXPECT_EQ(Modal(dialog, ui), IDCANCEL);
    EXPECT_EQ(dialog.name, "abc") << "a cancelled dialog keeps the members it had";
}

TEST(DialogLayer, ListenedMessagesAndFailingHandlersLeaveTheDialogRunning) {
    LayerDialog dialog;
    EXPECT_EQ(Modal(dialog,
                  [](UiDriver& d) {
                      EXPECT_EQ(SendMessageA(d.Dialog(), RegisterWindowMessageA("OptoraLayerPing"), 7, 0), 42);
                      EXPECT_EQ(SendMessageA(d.Dialog(), RegisterWindowMessageA("OptoraLayerOther"), 8, 0), 0);
                      d.Click(kThrow);
                      EXPECT_TRUE(IsWindow(d.Dialog()));
                      d.Click(IDOK);
                  }),
              IDOK);
    EXPECT_EQ(dialog.pings, std::vector<WPARAM>{7}) << "only the message the dialog listens to";
}

TEST(DialogLayer, ANullOrDeadOwnerGivesAnUnownedDialog) {
    HWND dead = CreateWindowA("STATIC", "gone", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(dead);
    for (HWND owner : {static_cast<HWND>(nullptr), dead}) {
        LayerDialog dialog(owner);
        HWND seenOwner = reinterpret_cast<HWND>(-1);
        EXPECT_EQ(Modal(dialog,
                      [&](UiDriver& d) {
                          seenOwner = GetWindow(d.Dialog(), GW_OWNER);
                          d.Click(IDCANCEL);
                      }),
                  IDCANCEL);
        EXPECT_EQ(seenOwner, nullptr);
    }
}

TEST(DialogLayer, AMissingTemplateFails) {
    struct Missing : ui::ModalDialog {
        Missing() : ModalDialog(4242, nullptr) {}
    } missing;
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(SubclassedControl, AttachesOnceAndRestoresTheOriginalProcedure) {
    HWND edit = CreateWindowA("EDIT", "", WS_OVERLAPPED, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
    {
        ui::SubclassedControl control, second;
        ASSERT_TRUE(control.Attach(edit));
        EXPECT_NE(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
        EXPECT_FALSE(control.Attach(edit)) << "one window per object";
        EXPECT_FALSE(second.Attach(edit)) << "one object per window";
        SetWindowTextA(edit, "typed");
        EXPECT_EQ(WindowText(edit), "typed") << "unhandled messages reach the original procedure";
    }
    EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
    EXPECT_EQ(GetPropA(edit, "optora.control"), nullptr);

    ui::SubclassedControl control;
    ASSERT_TRUE(control.Attach(edit));
    DestroyWindow(edit);
    EXPECT_EQ(control.Handle(), nullptr) << "a destroyed window detaches itself";
    EXPECT_FALSE(control.Attach(nullptr));
}
