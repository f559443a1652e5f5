#pragma once
#include <windows.h>

#include <cstdint>
#include <mutex>

#include "store/settings_trees.h"
#include "store/unique_resource.h"

namespace optora {

// kOff never watches; kRefused asks the system for a watch it refuses, as a
// system without one would. Both make every look report a change.
enum class ChangeWatchMode { kOn, kOff, kRefused };

// Whether anything under HKCU\Software\Kestrel or under either hive's
// Software\Policies\Kestrel (a name or a value, at any depth) may have
// changed, without reading it: one zero-time wait for all three.
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
    // While one lives, the thread has just looked: the policy it reads next
    // needs no look of its own, one zero-time wait per call being the budget.
    class JustLooked {
    public:
        JustLooked();
        ~JustLooked();
        JustLooked(const JustLooked&) = delete;
        JustLooked& operator=(const JustLooked&) = delete;
        static bool OnThisThread();
    };
    // The same for the policy trees alone, as of the last look.
    std::uint64_t PolicyGeneration();
    void SetMode(ChangeWatchMode mode);

private:
    // One watched tree; while it is missing, its nearest existing parent,
    // watched for new subkeys only.
    struct Registration {
        UniqueHKey key;
        bool atTree = false;
        UniqueKernelHandle changed;
    };
    static constexpr int kCount = kSettingsTreeCount;  // the user's own settings last

    bool Arm(int which);
    void ArmAll();

    std::mutex lock_;
    ChangeWatchMode mode_;
    Registration watched_[kCount];
    bool armed_ = false;
    std::uint64_t generation_ = 0;
    std::uint64_t policyGeneration_ = 0;
};

// The process's watch. OPTORA_CHANGE_WATCH=off (or =refused) in the
// environment at the first look turns it off, to compare the library with
// and without it.
ChangeWatch& KestrelChangeWatch();

}  // namespace optora
