#pragma once
#include <mutex>

namespace optora {

// Each library-held record is reloaded in place by its getter; callers on
// several threads must not load the same record at once. One lock per record
// type (the library holds one record of each). Recursive, so a getter let back
// in on the same thread while it holds the lock goes on rather than wait for
// itself.
template <typename Record>
std::unique_lock<std::recursive_mutex> LockRecord(const Record&) {
    static std::recursive_mutex lock;
    return std::unique_lock<std::recursive_mutex>(lock);
}

}  // namespace optora
