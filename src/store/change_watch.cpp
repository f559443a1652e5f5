#include "store/change_watch.h"

#include <cstring>
#include <string>

namespace optora {
namespace {

thread_local int t_justLooked = 0;

ChangeWatchMode ModeFromEnvironment() {
    char value[16] = {};
    const DWORD length = GetEnvironmentVariableA("OPTORA_CHANGE_WATCH", value, sizeof value);
    if (length == 0 || length >= sizeof value) return ChangeWatchMode::kOn;
    if (std::strcmp(value, "off") == 0) return ChangeWatchMode::kOff;
    if (std::strcmp(value, "refused") == 0) return ChangeWatchMode::kRefused;
    return ChangeWatchMode::kOn;
}

// Watching a key that does not exist yet would mean creating it; its nearest
// existing parent sees it appear.
HKEY OpenNearestExisting(HKEY root, std::string path, REGSAM view, bool& atPath) {
    atPath = true;
    for (;;) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(root, path.empty() ? nullptr : path.c_str(), 0, KEY_NOTIFY | view, &key) == ERROR_SUCCESS)
            return key;
        if (path.empty()) return nullptr;
        atPath = false;
        const std::size_t slash = path.rfind('\\');
        path.resize(slash == std::string::npos ? 0 : slash);
    }
}

}  // namespace

std::uint64_t ChangeWatch::Look() {
    const std::lock_guard<std::mutex> hold(lock_);
    if (mode_ == ChangeWatchMode::kOff) {
        ++policyGeneration_;
        return ++generation_;
    }
    if (armed_) {
        HANDLE events[kCount];
        for (int i = 0; i < kCount; ++i) events[i] = watched_[i].changed.get();
        const DWORD woke = WaitForMultipleObjects(kCount, events, FALSE, 0);
        if (woke == WAIT_TIMEOUT) return generation_;
        // The lowest one that fired answers: the user's settings alone, the
        // common case, need only their own registration again.
        if (woke == WAIT_OBJECT_0 + kCount - 1) {
            armed_ = Arm(watched_[kCount - 1]);
            return ++generation_;
        }
    }
    // Fired, or never armed: whatever happened before this point the caller's
    // reload will see; what happens after it fires the new registrations.
    ArmAll();
    ++policyGeneration_;
    return ++generation_;
}

ChangeWatch::JustLooked::JustLooked() { ++t_justLooked; }
ChangeWatch::JustLooked::~JustLooked() { --t_justLooked; }
bool ChangeWatch::JustLooked::OnThisThread() { return t_justLooked > 0; }

std::uint64_t ChangeWatch::PolicyGeneration() {
    const std::lock_guard<std::mutex> hold(lock_);
    return policyGeneration_;
}

void ChangeWatch::SetMode(ChangeWatchMode mode) {
    const std::lock_guard<std::mutex> hold(lock_);
    mode_ = mode;
    armed_ = false;
    for (Registration& watched : watched_) {
        watched.key.reset();
        watched.atPath = false;
    }
}

void ChangeWatch::ArmAll() {
    armed_ = true;
    for (Registration& watched : watched_) {
        if (watched.changed) ResetEvent(watched.changed.get());
        armed_ = Arm(watched) && armed_;
    }
}

bool ChangeWatch::Arm(Registration& watched) {
    if (!watched.changed) watched.changed.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!watched.changed) return false;
    const auto reopen = [&watched] {
        watched.key.reset(OpenNearestExisting(watched.root, watched.path, watched.view, watched.atPath));
    };
    if (!watched.atPath) reopen();
    // Thread-agnostic: the registration must outlive the thread that made it.
    const auto registerWatch = [this, &watched] {
        const HKEY key = mode_ == ChangeWatchMode::kRefused ? nullptr : watched.key.get();
        const DWORD what = watched.atPath ? REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET : REG_NOTIFY_CHANGE_NAME;
        return RegNotifyChangeKeyValue(key, watched.atPath, what | REG_NOTIFY_THREAD_AGNOSTIC, watched.changed.get(),
                                       TRUE);
    };
    LONG result = registerWatch();
    if (result != ERROR_SUCCESS) {  // ERROR_KEY_DELETED: the key went away since it was opened
        reopen();
        result = registerWatch();
    }
    if (result != ERROR_SUCCESS) watched.atPath = false;  // open afresh at the next try
    return result == ERROR_SUCCESS;
}

ChangeWatch& KestrelChangeWatch() {
    static ChangeWatch watch(ModeFromEnvironment());
    return watch;
}

}  // namespace optora
