#pragma once
#include "ui/control.h"

namespace optora {

// A combo box stepped by clicking: a click on its body selects the next item
// (after the last, the first) and tells the dialog as a list selection would;
// a click on the arrow drops the list as usual.
class CLButComboBox : public ui::ComboBox {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLButtonDown(UINT flags, POINT point);
};

}  // namespace optora
