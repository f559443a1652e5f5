#include "ui_driver.h"

#include <algorithm>

namespace optora::test {
namespace {
thread_local UiDriver* t_playing = nullptr;

bool IsDialogWindow(HWND window) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window);
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    if (IsDialogWindow(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(window, text.data(), length + 1))));
    return text;
}

UiDriver& UiDriver::WaitForDialog(const std::string& caption) {
    steps_.push_back({"the dialog \"" + caption + "\"",
                      [caption](UiDriver& d) {
                          for (HWND window : ThreadDialogs()) {
                              if (WindowText(window) == caption) {
                                  d.dialog_ = window;
                                  return true;
                              }
                          }
                          return false;
                      },
                      nullptr});
    return *this;
}

UiDriver& UiDriver::WaitForMessageBox() {
    steps_.push_back({"a message box",
                      [](UiDriver& d) {
                          for (HWND window : ThreadDialogs()) {
                              if (window != d.dialog_ && GetWindow(window, GW_OWNER) == d.dialog_) {
                                  d.messageBox_ = window;
                                  return true;
                              }
                          }
                          return false;
                      },
                      nullptr});
    return *this;
}

UiDriver& UiDriver::AnswerMessageBox(int button) {
    Then([button](UiDriver& d) { PostMessageA(d.messageBox_, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); });
    steps_.push_back({"the message box to close", [](UiDriver& d) { return !IsWindow(d.messageBox_); }, nullptr});
    return *this;
}

UiDriver& UiDriver::Then(Action action) {
    steps_.push_back({"an action", [](UiDriver&) { return true; }, std::move(action)});
    return *this;
}

bool UiDriver::Run(const std::function<void()>& launch) {
    UiDriver* const outer = t_playing;
    t_playing = this;
    next_ = 0;
    gaveUp_ = false;
    failure_.clear();
    started_ = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 25, &UiDriver::Tick);
    launch();
    KillTimer(nullptr, timer);
    t_playing = outer;
    if (failure_.empty() && next_ < steps_.size())
        failure_ = "the modal loop ended before step " + std::to_string(next_ + 1) + " (" + steps_[next_].what + ")";
    return failure_.empty();
}

void CALLBACK UiDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (t_playing) t_playing->Play();
}

void UiDriver::Play() {
    if (gaveUp_ || GetTickCount() - started_ > timeoutMs_) {
        if (!gaveUp_)
            GiveUp(next_ < steps_.size() ? "timed out waiting for step " + std::to_string(next_ + 1) + " (" +
                                               steps_[next_].what + ")"
                                         : "timed out: the dialog did not close");
        for (HWND window : ThreadDialogs()) EndDialog(window, IDCANCEL);
        return;
    }
    // The index moves on before an action runs, so ticks inside a modal
    // loop that the action started carry on with the steps after it.
    while (next_ < steps_.size()) {
        Step& step = steps_[next_];
        if (!step.ready(*this)) return;
        ++next_;
        if (step.action) step.action(*this);
    }
}

void UiDriver::GiveUp(const std::string& why) {
    gaveUp_ = true;
    failure_ = why;
}

bool UiDriver::IsChecked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool UiDriver::IsEnabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
std::string UiDriver::Text(int id) const { return WindowText(Item(id)); }
int UiDriver::ComboSelection(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
int UiDriver::ComboCount(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCOUNT, 0, 0)); }

std::string UiDriver::ComboItem(int id, int index) const {
    char text[512] = {};
    if (SendMessageA(Item(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0) >= static_cast<LRESULT>(sizeof text))
        return {};
    SendMessageA(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

void UiDriver::Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }

void UiDriver::SelectComboItem(int id, int index) {
    const HWND combo = Item(id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void UiDriver::TypeText(int id, const std::string& text) {
    const HWND field = Item(id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CLEAR, 0, 0);
    for (char c : text) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

std::string UiDriver::MessageBoxText() const { return WindowText(GetDlgItem(messageBox_, 0xFFFF)); }


}  // namespace optora::test
