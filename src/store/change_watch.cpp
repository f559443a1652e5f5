#include "store/change_watch.h"

#include <cstring>

#include "store/registry_paths.h"

namespace optora {
namespace {

ChangeWatchMode ModeFromEnvironment() {
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("OPTORA_CHANGE_WATCH", value, sizeof value);
    if (length == 0 || length >= sizeof value) return ChangeWatchMode::kOn;
    if (std::strcmp(value, "off") == 0) return ChangeWatchMode::kOff;
    if (std::strcmp(value, "refused") == 0) return ChangeWatchMode::kRefused;
    return ChangeWatchMode::kOn;
}

}  // namespace

std::uint64_t ChangeWatch::Look() {
    const std::lock_guard<std::mutex> hold(lock_);
    if (mode_ == ChangeWatchMode::kOff) return ++generation_;
    if (armed_ && WaitForSingleObject(changed_.get(), 0) == WAIT_TIMEOUT) return generation_;
    // Fired, or never armed: whatever happened before this point the caller's
    // reload will see; what happens after it fires the new registration.
    armed_ = Arm();
    return ++generation_;
}

void ChangeWatch::SetMode(ChangeWatchMode mode) {
    const std::lock_guard<std::mutex> hold(lock_);
    mode_ = mode;
    armed_ = false;
    key_.reset();
    keyIsKestrel_ = false;
}

// Watching a key that does not exist yet would mean creating it; its nearest
// existing parent sees it appear.
void ChangeWatch::OpenNearestExisting() {
    key_.reset();
    keyIsKestrel_ = false;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keys::kKestrel, 0, KEY_NOTIFY, &key) == ERROR_SUCCESS) {
        keyIsKestrel_ = true;
    } else if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_NOTIFY, &key) != ERROR_SUCCESS &&
               RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) {
        key = nullptr;
    }
    key_.reset(key);
}

bool ChangeWatch::Arm() {
    if (!changed_) changed_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!changed_) return false;
    if (!keyIsKestrel_) OpenNearestExisting();
    // Thread-agnostic: the registration must outlive the thread that made it.
    const auto registerWatch = [this] {
        const HKEY key = mode_ == ChangeWatchMode::kRefused ? nullptr : key_.get();
        return RegNotifyChangeKeyValue(key, TRUE,
                                       REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET | REG_NOTIFY_THREAD_AGNOSTIC,
                                       changed_.get(), TRUE);
    };
    LONG result = registerWatch();
    if (result != ERROR_SUCCESS) {  // ERROR_KEY_DELETED: the key went away since it was opened
        OpenNearestExisting();
        result = registerWatch();
    }
    if (result != ERROR_SUCCESS) keyIsKestrel_ = false;  // open afresh at the next try
    return result == ERROR_SUCCESS;
}

ChangeWatch& KestrelChangeWatch() {
    static ChangeWatch watch(ModeFromEnvironment());
    return watch;
}

}  // namespace optora
