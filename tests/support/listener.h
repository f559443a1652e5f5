#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace optora::test {

class Process;

struct ReceivedMessage { std::string name; UINT id = 0; uint64_t wParam = 0; int64_t lParam = 0; };

// Another application, in its own process, that records the option messages
// broadcast to it. Broadcasts are synchronous, so once a sender returns the
// record is complete.
class Listener {
public:
    Listener();
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    bool Started() const { return started_; }
    // What arrived before a marker broadcast now, which the listener handles
    // only after everything sent to it earlier (a slow first paint can make
    // a broadcast pass it by and deliver later).
    std::vector<ReceivedMessage> Received() const;

private:
    std::string record_;
    std::unique_ptr<Process> process_;
    bool started_ = false;
};

// A top-level window of the test's own process that records what it receives.
// A sender's own windows hear most broadcasts while the sender waits: onMessage
// runs then, as a recipient calling back into the library would.
class OwnWindow {
public:
    explicit OwnWindow(std::function<void()> onMessage = {});
    ~OwnWindow();
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

    HWND Handle() const { return window_; }
    const std::vector<UINT>& Received() const { return received_; }
    // The most keys under HKCU\Software\Kestrel this process held open while
    // a message was delivered: a sender must have closed them all.
    int KeysHeldOpen() const { return keysHeldOpen_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND window_ = nullptr;
    std::vector<UINT> received_;
    std::function<void()> onMessage_;
    int keysHeldOpen_ = 0;
};

}  // namespace optora::test
