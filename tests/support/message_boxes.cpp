#include "message_boxes.h"

#include <chrono>

namespace optora::test {
namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// WM_GETTEXT crosses processes; a hung box must not hang the watcher.
std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
    return text;
}

struct Search {
    DWORD processId;
    HWND box = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && ClassOf(window) == "#32770") {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM lParam) {
    auto* text = reinterpret_cast<std::string*>(lParam);
    if (ClassOf(child) != "Static") return TRUE;
    *text = TextOf(child);
    return text->empty();  // the icon is a static without text
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD processId, std::function<std::string()> note)
    : processId_(processId), note_(std::move(note)), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() { Stop(); }

std::vector<ShownMessage> MessageBoxWatcher::Stop() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return shown_;
}

void MessageBoxWatcher::Watch() {
    using namespace std::chrono;
    // After a stop request, one more look: a box that is already up is not
    // left for a test to hang on.
    for (bool lastLook = false; !lastLook;) {
        lastLook = stopping_;
        Search search{processId_};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) {
            if (!lastLook) std::this_thread::sleep_for(milliseconds(20));
            continue;
        }
        ShownMessage message;
        message.note = note_ ? note_() : std::string();
        message.caption = TextOf(search.box);
        EnumChildWindows(search.box, FindMessageText, reinterpret_cast<LPARAM>(&message.text));
        message.owned = GetWindow(search.box, GW_OWNER) != nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            shown_.push_back(message);
        }
        PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.box, IDOK)));
        const auto until = steady_clock::now() + seconds(10);
        while (IsWindow(search.box) && steady_clock::now() < until) std::this_thread::sleep_for(milliseconds(10));
        if (IsWindow(search.box)) return;  // it will not close: reading it again would prove nothing
        lastLook = false;  // a box may follow the one just closed
    }
}

}  // namespace optora::test
