#include "dialogs/open_dialogs.h"

#include <cstdint>
#include <map>

#include "ui/dialog.h"

namespace optora {
namespace {

// Callers with a user-interface thread each may open and close at once.
SRWLOCK g_lock = SRWLOCK_INIT;

std::map<uintptr_t, ui::ModalDialog*>& Registry() {
    static std::map<uintptr_t, ui::ModalDialog*> registry;
    return registry;
}

uintptr_t Key(HWND owner) { return reinterpret_cast<uintptr_t>(owner); }

class Locked {
public:
    Locked() { AcquireSRWLockExclusive(&g_lock); }
    ~Locked() { ReleaseSRWLockExclusive(&g_lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
};

}  // namespace

OpenDialogEntry::OpenDialogEntry(HWND owner, ui::ModalDialog& dialog) : owner_(owner) {
    const Locked hold;
    ui::ModalDialog*& slot = Registry()[Key(owner)];
    previous_ = slot;
    slot = &dialog;
}

OpenDialogEntry::~OpenDialogEntry() {
    const Locked hold;
    if (previous_)
        Registry()[Key(owner_)] = previous_;
    else
        Registry().erase(Key(owner_));
}

void CloseOpenDialog(HWND owner) {
    HWND window = nullptr;
    {
        const Locked hold;
        const auto found = Registry().find(Key(owner));
        if (found != Registry().end()) window = found->second->Handle();
    }
    // Outside the lock: ending a dialog of another thread waits for that
    // thread, which may itself be waiting to leave its entry.
    if (window) EndDialog(window, 0);
}

}  // namespace optora
