#pragma once
#include <windows.h>

namespace optora {

// Held around every load and every save of an option set, in every process
// that loads the library, so that a load never sees half of another
// program's save. A thread that holds it already takes it again for free,
// so a load that repairs its set saves under the same hold.
//
// Order, everywhere: this lock first, then the device file's. Never hold it
// while waiting for a window message: a save broadcasts after letting go.
//
// A holder that died (a program killed while saving) hands it over at once;
// what it left half written is repaired by the next load like any stored
// set. A holder that hangs is waited for a while, then the caller goes
// ahead unserialised rather than freezing its window.
class StoreLock {
public:
    StoreLock();
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    bool acquired_ = false;  // by this object, the outermost one on its thread
};

}  // namespace optora
