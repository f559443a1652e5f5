#include "dialogs/open_dialogs.h"

#include <cstdint>
#include <map>
#include <mutex>

#include "ui/dialog.h"

namespace optora {
namespace {

// Callers with a user-interface thread each may open and close at once.
std::mutex g_lock;

std::map<uintptr_t, ui::ModalDialog*>& Registry() {
    static std::map<uintptr_t, ui::ModalDialog*> registry;
    return registry;
}

uintptr_t Key(HWND owner) { return reinterpret_cast<uintptr_t>(owner); }

}  // namespace

OpenDialogEntry::OpenDialogEntry(HWND owner, ui::ModalDialog& dialog) : owner_(owner) {
    const std::lock_guard<std::mutex> hold(g_lock);
    ui::ModalDialog*& slot = Registry()[Key(owner)];
    previous_ = slot;
    slot = &dialog;
}

OpenDialogEntry::~OpenDialogEntry() {
    const std::lock_guard<std::mutex> hold(g_lock);
    if (previous_)
        Registry()[Key(owner_)] = previous_;
    else
        Registry().erase(Key(owner_));
}

void CloseOpenDialog(HWND owner) {
    HWND window = nullptr;
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        const auto found = Registry().find(Key(owner));
        if (found != Registry().end()) window = found->second->Handle();
    }
    // Outside the lock: ending a dialog of another thread waits for that
    // thread, which may itself be waiting to leave its entry.
    if (window) EndDialog(window, 0);
}

}  // namespace optora
