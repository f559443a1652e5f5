// The browse button drawn in the field's own border: its place, its look in
// each state, and the mouse that presses it.
#include "controls/file_edit_ctrl.h"

#include <windowsx.h>

#include "controls/window_rects.h"
#include "store/unique_resource.h"

namespace optora {
namespace {

COLORREF Grey(COLORREF colour) {
    const int luminance = (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
    return RGB(luminance, luminance, luminance);
}

// The whole window's DC, border included, given back however drawing ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for a scope; the one it replaced comes back
// before the object's owner, declared earlier, deletes it.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

void FileEditCtrl::OnNcCalcSize(RECT& proposed, const RECT& window) {
    const LONG width = (proposed.bottom - proposed.top) * 4 / 5;
    if (buttonSide_ == ButtonLeft) {
        button_ = {proposed.left, proposed.top, proposed.left + width, proposed.bottom};
        proposed.left += width;
    } else {
        button_ = {proposed.right - width, proposed.top, proposed.right, proposed.bottom};
        proposed.right -= width;
    }
    OffsetRect(&button_, -window.left, -window.top);
}

LRESULT FileEditCtrl::OnNcHitTest(LPARAM lParam) {
    const LRESULT hit = Default(WM_NCHITTEST, 0, lParam);
    if (hit != HTNOWHERE) return hit;
    const RECT window = WindowRectOf(Handle());
    return OverButton({GET_X_LPARAM(lParam) - window.left, GET_Y_LPARAM(lParam) - window.top}) ? HTBORDER : hit;
}

void FileEditCtrl::OnNcPaint(WPARAM region) {
    if (buttonState_ & kFlat) {
        const HDC dc = GetWindowDC(Handle());
        RECT outer = WindowRectOf(Handle());
        OffsetRect(&outer, -outer.left, -outer.top);
        const RECT client = ClientInWindow(Handle());
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        ExcludeClipRect(dc, button_.left, button_.top, button_.right, button_.bottom);
        const bool enabled = IsWindowEnabled(Handle()) && !(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY);
        FillRect(dc, &outer, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE));
        FrameRect(dc, &outer, GetSysColorBrush(COLOR_WINDOWFRAME));
        ReleaseDC(Handle(), dc);
    } else {
        Default(WM_NCPAINT, region, 0);
    }
    DrawButton(buttonState_);
}

bool FileEditCtrl::OverButton(POINT window) const { return PtInRect(&button_, window) != FALSE; }

POINT FileEditCtrl::ClientToWindow(LPARAM lParam) const {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &point);
    const RECT window = WindowRectOf(Handle());
    return {point.x - window.left, point.y - window.top};
}

void FileEditCtrl::Press() {
    SetFocus(Handle());
    tracking_ = false;
    SetCapture(Handle());
    pressed_ = true;
    DrawButton(kPressed);
}

void FileEditCtrl::OnMouseMove(LPARAM lParam) {
    const POINT at = ClientToWindow(lParam);
    if (pressed_) {
        DrawButton(OverButton(at) ? kPressed : kUp);
        return;
    }
    if (!(flags_ & FlatButton) || GetFocus() == Handle()) return;
    const RECT window = WindowRectOf(Handle());
    const bool inside = at.x >= 0 && at.y >= 0 && at.x < window.right - window.left && at.y < window.bottom - window.top;
    if (inside && !tracking_) {
        tracking_ = true;
        SetCapture(Handle());
    } else if (!inside && tracking_) {
        StopTracking();
    }
    if (inside) SetCursor(LoadCursor(nullptr, OverButton(at) ? IDC_ARROW : IDC_IBEAM));
    UpdateFlatState();
}

void FileEditCtrl::StopTracking() {
    if (!tracking_) return;
    tracking_ = false;
    if (GetCapture() == Handle()) ReleaseCapture();
    UpdateFlatState();
}

void FileEditCtrl::OnButtonRelease(LPARAM lParam) {
    pressed_ = false;
    ReleaseCapture();
    DrawButton(kUp);
    if (OverButton(ClientToWindow(lParam))) ButtonClicked();
}

void FileEditCtrl::UpdateFlatState() {
    int state = buttonState_ & ~kFlat;
    if (flags_ & FlatButton) {
        const bool usable = IsWindowEnabled(Handle()) && !(GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY);
        if (!(usable && (tracking_ || GetFocus() == Handle()))) state |= kFlat;
    }
    if (state == buttonState_) return;
    buttonState_ = state;
    if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void FileEditCtrl::DrawButton(int state) {
    if (!Handle()) return;
    if (!IsWindowEnabled(Handle())) state = kDisabled | (state & kFlat);
    buttonState_ = state;
    const int width = button_.right - button_.left, height = button_.bottom - button_.top;
    if (width < 3 || height < 3) return;
    const WindowDc window(Handle());
    const UniqueCreatedDc memory(CreateCompatibleDC(window.get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(window.get(), width, height));
    const Selection drawn(memory.get(), bitmap.get());
    RECT face = {0, 0, width, height};
    FillRect(memory.get(), &face, GetSysColorBrush(COLOR_3DFACE));
    if (state & kPressed)
        FrameRect(memory.get(), &face, GetSysColorBrush(COLOR_3DSHADOW));
    else if (state & kFlat)
        FrameRect(memory.get(), &face, GetSysColorBrush(COLOR_WINDOWFRAME));
    else
        DrawEdge(memory.get(), &face, EDGE_RAISED, BF_RECT);
    DrawDots(memory.get(), width, height, state);
    BitBlt(window.get(), button_.left, button_.top, width, height, memory.get(), 0, 0, SRCCOPY);
}

void FileEditCtrl::DrawDots(HDC dc, int width, int height, int state) const {
    const int diameter = width / 10, spacing = width / 4, shift = (state & kPressed) ? 1 : 0;
    const auto draw = [&](COLORREF colour, int offset) {
        const UniqueBrush brush(CreateSolidBrush(colour));
        const UniquePen pen(CreatePen(PS_SOLID, 1, colour));
        const Selection brushIn(dc, brush.get()), penIn(dc, pen.get());
        const int y = height / 2 + shift + offset;
        for (int i = -1; i <= 1; ++i) {
            const int x = width / 2 + i * spacing + shift + offset;
            if (diameter < 2)
                SetPixel(dc, x, y, colour);
            else
                Ellipse(dc, x - diameter / 2, y - diameter / 2, x - diameter / 2 + diameter, y - diameter / 2 + diameter);
        }
    };
    if (state & kDisabled) {
        draw(GetSysColor(COLOR_3DHILIGHT), 1);
        draw(GetSysColor(COLOR_3DSHADOW), 0);
        return;
    }
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    draw((state & kFlat) && (flags_ & GreyDots) ? Grey(text) : text, 0);
}

}  // namespace optora
