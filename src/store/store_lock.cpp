#include "store/store_lock.h"

namespace optora {
namespace {

constexpr const char* kStoreMutex = "Local\\KestrelOptionStore";
constexpr DWORD kHolderWait = 10000;

// Counted per thread so that only the outermost hold pays a wait.
thread_local unsigned t_depth = 0;

// Opened once per process and kept to the end: taking it then costs one wait.
HANDLE StoreMutex() {
    static const HANDLE mutex = CreateMutexA(nullptr, FALSE, kStoreMutex);
    return mutex;
}

}  // namespace

StoreLock::StoreLock() {
    if (t_depth++ > 0) return;
    const HANDLE mutex = StoreMutex();
    if (!mutex) return;
    const DWORD waited = WaitForSingleObject(mutex, kHolderWait);
    acquired_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

StoreLock::~StoreLock() {
    --t_depth;
    if (acquired_) ReleaseMutex(StoreMutex());
}

}  // namespace optora
