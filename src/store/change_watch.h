#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>

#include "store/unique_resource.h"

namespace optora {

// kOff never watches; kRefused asks the system for a watch it refuses, as a
// system without one would. Both make every look report a change.
enum class ChangeWatchMode { kOn, kOff, kRefused };

// Whether anything under HKCU\Software\Kestrel (a name or a value, at any
// depth) may have changed, without reading it: one zero-time wait.
class ChangeWatch {
public:
    explicit ChangeWatch(ChangeWatchMode mode) : mode_(mode) {}
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    // A number that grows whenever something may have changed since the
    // previous look; the same number means nothing did. The watch is armed
    // again before it returns, so a change made while the caller reloads
    // shows at the next look.
    std::uint64_t Look();
    void SetMode(ChangeWatchMode mode);

private:
    bool Arm();
    void OpenNearestExisting();

    std::mutex lock_;
    ChangeWatchMode mode_;
    UniqueHKey key_;
    bool keyIsKestrel_ = false;
    UniqueKernelHandle changed_;
    bool armed_ = false;
    std::uint64_t generation_ = 0;
};

// The process's watch. OPTORA_CHANGE_WATCH=off (or =refused) in the
// environment at the first look turns it off, to compare the library with
// and without it.
ChangeWatch& KestrelChangeWatch();

}  // namespace optora
