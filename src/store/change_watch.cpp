#include "store/change_watch.h"

#include <cstring>

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
            armed_ = Arm(kCount - 1);
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
        watched.atTree = false;
    }
}

void ChangeWatch::ArmAll() {
    armed_ = true;
    for (int which = 0; which < kCount; ++which) {
        if (watched_[which].changed) ResetEvent(watched_[which].changed.get());
        armed_ = Arm(which) && armed_;
    }
}

bool ChangeWatch::Arm(int which) {
    Registration& watched = watched_[which];
    if (!watched.changed) watched.changed.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!watched.changed) return false;
    const auto reopen = [&] { watched.key = OpenForNotification(kSettingsTrees[which], watched.atTree); };
    if (!watched.atTree) reopen();
    // Thread-agnostic: the registration must outlive the thread that made it.
    const auto registerWatch = [this, &watched] {
        const HKEY key = mode_ == ChangeWatchMode::kRefused ? nullptr : watched.key.get();
        const DWORD what = watched.atTree ? REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET : REG_NOTIFY_CHANGE_NAME;
        return RegNotifyChangeKeyValue(key, watched.atTree, what | REG_NOTIFY_THREAD_AGNOSTIC, watched.changed.get(),
                                       TRUE);
    };
    LONG result = registerWatch();
    if (result != ERROR_SUCCESS) {  // ERROR_KEY_DELETED: the key went away since it was opened
        reopen();
        result = registerWatch();
    }
    if (result != ERROR_SUCCESS) watched.atTree = false;  // open afresh at the next try
    return result == ERROR_SUCCESS;
}

ChangeWatch& KestrelChangeWatch() {
    static ChangeWatch watch(ModeFromEnvironment());
    return watch;
}

}  // namespace optora
