#pragma once
#include <windows.h>

#include "frame/call_frame.h"

namespace optora::ui {

// The steps every dialog launcher takes: the library's module state, the
// dialog on this stack owned by the caller's window, a modal run. The
// caller's window is only borrowed: nothing here destroys or keeps it. OK and
// Cancel both return normally; the dialog saves what it saves itself.
template <typename Dialog, typename... Args>
void LaunchModal(HWND owner, Args... args) noexcept {
    Shielded([&] {
        Dialog dialog(owner, args...);
        dialog.DoModal();
    });
}

}  // namespace optora::ui
