#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace optora::test {

struct ShownMessage {
    std::string caption;
    std::string text;
    bool owned = false;  // shown over another window
    std::string note;    // what the watcher's note said when the box appeared
};

// Watches for the message boxes of one process (this one by default), reads
// each and presses its OK button, until stopped.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD processId = GetCurrentProcessId(), std::function<std::string()> note = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Stops watching (a box that is up is still dismissed) and returns every
    // box seen, in order.
    std::vector<ShownMessage> Stop();

private:
    void Watch();

    DWORD processId_;
    std::function<std::string()> note_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::vector<ShownMessage> shown_;
    std::thread thread_;
};

}  // namespace optora::test
