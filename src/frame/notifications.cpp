#include "frame/notifications.h"

namespace optora {

UINT MessageId(const char* name) { return RegisterWindowMessageA(name); }

void Broadcast(const char* name, WPARAM wParam, LPARAM lParam, DWORD flags) {
    DWORD recipients = BSM_APPLICATIONS;
    BroadcastSystemMessageA(flags, &recipients, MessageId(name), wParam, lParam);
}

}  // namespace optora
