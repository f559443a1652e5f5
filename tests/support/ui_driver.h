#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace optora::test {

// Plays a script against the dialogs of this thread while a modal loop runs:
// the steps run from a thread timer, which every modal loop dispatches, so
// the script sees the dialog exactly as the user would. A step that performs
// something modal (a click that shows a message box) lets the next steps run
// inside that inner loop.
//
//   UiDriver ui;
//   ui.WaitForDialog("Preference").Then([](UiDriver& d) { d.Click(IDOK); });
//   EXPECT_TRUE(ui.Run([&] { launcher(nullptr); })) << ui.Failure();
class UiDriver {
public:
    using Action = std::function<void(UiDriver&)>;

    explicit UiDriver(DWORD timeoutMs = 15000) : timeoutMs_(timeoutMs) {}
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;

    // Waits until a dialog of this thread with this caption is visible; it
    // becomes the dialog the actions work on.
    UiDriver& WaitForDialog(const std::string& caption);
    // Waits for a message box owned by the current dialog, expects its text,
    // presses OK and waits until the code that showed it has carried on.
    UiDriver& AnswerMessageBox(const std::string& expectedText);
    UiDriver& Then(Action action);
    // Waits until the condition holds (a window has gone, a text has come).
    UiDriver& WaitUntil(const std::string& what, std::function<bool(UiDriver&)> ready);

    // Runs launch, which returns when its modal loop ends. False when a
    // step was never reached or the timeout hit (every dialog of this thread
    // is then cancelled, so nothing hangs).
    bool Run(const std::function<void()>& launch);
    const std::string& Failure() const { return failure_; }

    // The current dialog and its controls.
    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    bool IsChecked(int id) const;
    std::string Text(int id) const;
    int ComboSelection(int id) const;
    std::vector<std::string> ComboItems(int id) const;
    // Whether the dialog colours the control's text red (message: its WM_CTLCOLOR*).
    bool ShowsRed(UINT message, int id) const;

    void Click(int id);                             // as a mouse click on a button
    void SelectComboItem(int id, int index);        // as a choice from the list
    void TypeText(int id, const std::string& text);  // replaces the field's text, key by key
    // Real key strokes into the input queue, as the user's keyboard makes
    // them: the keys go down in order and up in reverse ({VK_MENU, 'E'} is Alt+E).
    void Press(std::initializer_list<WORD> keys);

private:
    struct Step {
        std::string what;
        std::function<bool(UiDriver&)> ready;
        Action action;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Play();

    DWORD timeoutMs_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD started_ = 0;
    std::string failure_;
    HWND dialog_ = nullptr;
    HWND messageBox_ = nullptr;
};

std::string WindowText(HWND window);
// Through the clipboard, as the user pastes.
void Paste(HWND field, const std::string& text);
// As if the key were held down (or let go) while messages are sent.
void HoldKey(int key, bool down);

}  // namespace optora::test
