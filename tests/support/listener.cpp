#include "listener.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "kestrel_test.h"
#include "other_process.h"

namespace optora::test {

Listener::Listener() {
    static int counter = 0;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string tag = std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    record_ = std::string(temp) + "optora-listener-" + tag + ".log";
    DeleteFileA(record_.c_str());

    const std::string eventName = "optora-listener-ready-" + tag;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    process_ = std::make_unique<Process>(Beside("listener.exe", "\"" + record_ + "\" " + eventName));
    // Slow when the machine is loaded.
    started_ = process_->Started() && WaitForSingleObject(ready, 30000) == WAIT_OBJECT_0;
    CloseHandle(ready);
}

Listener::~Listener() {
    if (process_->Started()) {
        TerminateProcess(process_->Handle(), 0);
        process_->Wait(5000);
    }
    DeleteFileA(record_.c_str());
}

namespace {
constexpr const char* kMarker = "DataItemSaved";  // never sent by the library
}

std::vector<ReceivedMessage> Listener::Received() const {
    static LPARAM serial = 0;
    const LPARAM marker = ++serial;
    DWORD recipients = BSM_APPLICATIONS;
    BroadcastSystemMessageA(BSF_FORCEIFHUNG | BSF_IGNORECURRENTTASK, &recipients, RegisterWindowMessageA(kMarker), 0,
                            marker);
    for (int attempt = 0; attempt < 200; ++attempt) {
        std::vector<ReceivedMessage> messages;
        std::ifstream file(record_);
        std::string line;
        while (std::getline(file, line)) {
            std::istringstream fields(line);
            ReceivedMessage m;
            fields >> m.name >> m.id >> m.wParam >> m.lParam;
            if (m.name == kMarker && m.lParam == marker) return messages;
            if (m.name != kMarker) messages.push_back(m);
        }
        Sleep(50);
    }
    ADD_FAILURE() << "the listener never received the marker broadcast";
    return {};
}

OwnWindow::OwnWindow(std::function<void()> onMessage) : onMessage_(std::move(onMessage)) {
    window_ = CreateWindowA("STATIC", "own window", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                            nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

OwnWindow::~OwnWindow() { DestroyWindow(window_); }

LRESULT CALLBACK OwnWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message >= 0xC000 && message <= 0xFFFF) {
        self->received_.push_back(message);
        self->keysHeldOpen_ = std::max(self->keysHeldOpen_, OpenKestrelKeys());
        if (self->onMessage_) self->onMessage_();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace optora::test
