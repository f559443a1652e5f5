#include "message_boxes.h"

#include <atomic>
#include <chrono>
#include <thread>

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

struct Search { DWORD processId; HWND box = nullptr; };

BOOL CALLBACK FindBox(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || ClassOf(window) != "#32770") return TRUE;
    search->box = window;
    return FALSE;
}

BOOL CALLBACK FindMessageText(HWND child, LPARAM lParam) {
    auto* text = reinterpret_cast<std::string*>(lParam);
    if (ClassOf(child) == "Static") *text = TextOf(child);
    return text->empty();  // the icon is a static without text
}

}  // namespace

std::vector<ShownMessage> AnswerMessageBoxes(const std::function<void()>& work, DWORD processId,
                                             const std::function<std::string()>& note) {
    using namespace std::chrono;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
    });
    std::vector<ShownMessage> shown;
    // Once work has returned, one more look: a box already up is not left behind.
    for (bool lastLook = false; !lastLook;) {
        lastLook = done;
        Search search{processId};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) {
            if (!lastLook) std::this_thread::sleep_for(milliseconds(20));
            continue;
        }
        ShownMessage& message = shown.emplace_back();
        message.note = note ? note() : std::string();
        message.caption = TextOf(search.box);
        EnumChildWindows(search.box, FindMessageText, reinterpret_cast<LPARAM>(&message.text));
        message.owned = GetWindow(search.box, GW_OWNER) != nullptr;
        PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(search.box, IDOK)));
        const auto until = steady_clock::now() + seconds(10);
        while (IsWindow(search.box) && steady_clock::now() < until) std::this_thread::sleep_for(milliseconds(10));
        if (IsWindow(search.box)) break;  // it will not close: reading it again would prove nothing
        lastLook = false;  // a box may follow the one just closed
    }
    worker.join();
    return shown;
}

}  // namespace optora::test
