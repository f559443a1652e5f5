#pragma once
#include <windows.h>

#include "ui/control.h"

namespace optora {

// The size-digitized field: typed characters outside sizes are dropped
// without a sound. A double-byte character is let through whole.
class CSizeDigitizedEdit : public ui::SubclassedControl {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool secondBytePending_ = false;  // the next character ends a double-byte one
};

}  // namespace optora
