#pragma once
#include <windows.h>

#include "ui/control.h"

namespace optora {

// F4 in a field presses the "..." button beside it, as in the directory and
// storage-area fields: those buttons are no tab stops, so without it the
// keyboard could not reach them. Shift, Ctrl or Alt with F4 do nothing here.
class BrowseKey : public ui::SubclassedControl {
public:
    explicit BrowseKey(int buttonId) : buttonId_(buttonId) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int buttonId_;
};

}  // namespace optora
