#include "ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace optora::test {
namespace {
thread_local UiDriver* t_playing = nullptr;

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every visible dialog window of this thread.
std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Sets into the first dialog of this thread that matches.
template <typename Match>
bool Find(HWND& into, Match match) {
    for (HWND window : ThreadDialogs()) {
        if (match(window)) {
            into = window;
            return true;
        }
    }
    return false;
}

}  // namespace

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextA(window, text.data(), length + 1))));
    return text;
}

void Paste(HWND field, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(field));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
    SendMessageA(field, WM_PASTE, 0, 0);
}

void HoldKey(int key, bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    SetKeyboardState(keys);
}

bool UiDriver::ShowsRed(UINT message, int id) const {
    const HWND control = Item(id);
    const HDC dc = GetDC(control);
    SendMessageA(dialog_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    const bool red = GetTextColor(dc) == RGB(255, 0, 0);
    ReleaseDC(control, dc);
    return red;
}

UiDriver& UiDriver::WaitForDialog(const std::string& caption) {
    steps_.push_back({"the dialog \"" + caption + "\"",
                      [caption](UiDriver& d) { return Find(d.dialog_, [&](HWND w) { return WindowText(w) == caption; }); },
                      nullptr});
    return *this;
}

UiDriver& UiDriver::AnswerMessageBox(const std::string& expectedText) {
    steps_.push_back({"the message box \"" + expectedText + "\"",
                      [](UiDriver& d) {
                          return Find(d.messageBox_, [&](HWND w) { return GetWindow(w, GW_OWNER) == d.dialog_; });
                      },
                      [expectedText](UiDriver& d) {
                          EXPECT_EQ(WindowText(GetDlgItem(d.messageBox_, 0xFFFF)), expectedText);
                          PostMessageA(d.messageBox_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                      }});
    steps_.push_back({"the message box to close", [](UiDriver& d) { return !IsWindow(d.messageBox_); }, nullptr});
    return *this;
}

UiDriver& UiDriver::Then(Action action) {
    steps_.push_back({"an action", [](UiDriver&) { return true; }, std::move(action)});
    return *this;
}

UiDriver& UiDriver::WaitUntil(const std::string& what, std::function<bool(UiDriver&)> ready) {
    steps_.push_back({what, std::move(ready), nullptr});
    return *this;
}

bool UiDriver::Run(const std::function<void()>& launch) {
    UiDriver* const outer = t_playing;
    t_playing = this;
    next_ = 0;
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

void CALLBACK UiDriver::Tick(HWND, UINT, UINT_PTR, DWORD) { if (t_playing) t_playing->Play(); }

void UiDriver::Play() {
    if (!failure_.empty() || GetTickCount() - started_ > timeoutMs_) {
        if (failure_.empty())
            failure_ = next_ < steps_.size() ? "timed out waiting for step " + std::to_string(next_ + 1) + " (" +
                                                   steps_[next_].what + ")"
                                             : "timed out: the dialog did not close";
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

bool UiDriver::IsChecked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
std::string UiDriver::Text(int id) const { return WindowText(Item(id)); }
int UiDriver::ComboSelection(int id) const { return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }

std::vector<std::string> UiDriver::ComboItems(int id) const {
    std::vector<std::string> items(static_cast<size_t>(std::max<LRESULT>(0, SendMessageA(Item(id), CB_GETCOUNT, 0, 0))));
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].resize(static_cast<size_t>(std::max<LRESULT>(0, SendMessageA(Item(id), CB_GETLBTEXTLEN, i, 0))) + 1);
        items[i].resize(static_cast<size_t>(
            std::max<LRESULT>(0, SendMessageA(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(items[i].data())))));
    }
    return items;
}

void UiDriver::Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }

void UiDriver::Press(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    const auto stroke = [&inputs](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD key : keys) stroke(key, 0);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) stroke(*key, KEYEVENTF_KEYUP);
    if (GetForegroundWindow() != dialog_) SetForegroundWindow(dialog_);  // activating moves the focus
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void UiDriver::SelectComboItem(int id, int index) {
    SendMessageA(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
}

void UiDriver::TypeText(int id, const std::string& text) {
    const HWND field = Item(id);
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CLEAR, 0, 0);
    for (char c : text) SendMessageA(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

}  // namespace optora::test
