#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "ui/window_text.h"

namespace optora {

// What the Cut Options and Plot Options dialogs share.


// After a reload: a field still showing what the dialog last put there
// (shown) takes the loaded text; one the user edited keeps the edit.
void RefreshUntouched(HWND field, std::string& shown, const std::string& loaded);

void EnableControls(HWND dialog, std::initializer_list<int> ids, bool enable);

// Both sets changed, cut first, from this dialog: its own copy does not
// reload on it, every other listening application does.
void BroadcastOutputChange(HWND dialog);

// Registered cut or plot message from a window other than this dialog.
inline bool FromElsewhere(HWND dialog, WPARAM sender) { return reinterpret_cast<HWND>(sender) != dialog; }

// The file-name rules of both dialogs; true when they changed a member, which
// the dialog then shows. A count as the extension leaves no count for the
// name: extension type 1 clears and disables the append box.
bool ExtensionCountRule(HWND dialog, int appendCountId, int extensionType, int& appendCount);
// A count appended to the name disables the count extension, and replaces
// it by no extension (3).
bool AppendCountRule(HWND dialog, int extensionCountId, int appendCount, int& extensionType);

// The system's colours for a static control or an edit, with red text when
// rejected.
HBRUSH ColourControl(HWND dialog, UINT message, WPARAM dc, LPARAM control, bool rejected);

}  // namespace optora
