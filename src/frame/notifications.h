#pragma once
#include <windows.h>

namespace optora {

// Identifier of a registered message name; the same in every process.
UINT MessageId(const char* name);

// Sends the registered message to the top-level windows of every application
// and returns when all have handled it (or were passed over as hung).
void Broadcast(const char* name, WPARAM wParam, LPARAM lParam, DWORD flags);

constexpr DWORD kBroadcastDefault = BSF_FORCEIFHUNG;
// Keeps the message from the sending application's own windows.
constexpr DWORD kBroadcastOthers = BSF_FORCEIFHUNG | BSF_IGNORECURRENTTASK;

}  // namespace optora
