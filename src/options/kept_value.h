#pragma once
#include <cstdint>
#include <mutex>

#include "store/change_watch.h"

namespace optora {

// A single value's last answer, given again while the change watch saw
// nothing change: its one zero-time wait costs no more than the read it
// saves, and a policy consulted by the read costs nothing more.
class KeptValue {
public:
    // read(keep) gives the value; clearing keep says it rests on something
    // no watch sees (the region's measurement system), so it is read anew.
    template <typename Read>
    int Get(Read&& read) {
        const std::lock_guard<std::mutex> hold(lock_);
        const std::uint64_t generation = KestrelChangeWatch().Look();
        if (kept_ && generation == generation_) return value_;
        bool keep = true;
        kept_ = false;  // a read that throws leaves nothing to trust
        const ChangeWatch::JustLooked looked;
        value_ = read(keep);
        generation_ = generation;
        kept_ = keep;
        return value_;
    }

private:
    std::mutex lock_;
    bool kept_ = false;
    std::uint64_t generation_ = 0;
    int value_ = 0;
};

}  // namespace optora
