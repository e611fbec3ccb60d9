// The mouse over controls that let the pointer through their windows
// (labels, bevels): the system gives it to the parent, which hands it on.

#include <utility>

#include "platform/win/MouseEvent.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"

TControl* TWinControl::TransparentChildAt(int x, int y) const {
    HWND self = WindowHandle();
    if (!self) return nullptr;
    POINT screen{x, y};
    ::ClientToScreen(self, &screen);
    // From the top of the Z order down, as the system looks for the window
    // under the pointer: the first one there decides.
    for (HWND child = ::GetWindow(self, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child) || !::IsWindowEnabled(child)) continue;
        RECT r;
        if (!::GetWindowRect(child, &r) || !::PtInRect(&r, screen)) continue;
        if (::SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTTRANSPARENT) return nullptr;
        TControl* control = FromHandle(child);
        return control && control->Parent() == this ? control : nullptr;
    }
    return nullptr;
}

bool TWinControl::RouteMouse(TMessage& m) {
    HWND self = WindowHandle();
    if (m.Msg == WM_CAPTURECHANGED) {
        // The press on a child ends without a release.
        if (TControl* pressed = std::exchange(mouseChild_, nullptr)) pressed->Perform(m.Msg, m.WParam, m.LParam);
        return false;
    }
    const TPoint p = MousePoint(m.LParam);
    TControl* target = mouseChild_ && ::GetCapture() == self ? mouseChild_ : TransparentChildAt(p.x, p.y);
    if (!target || !target->HandleAllocated()) return false;
    POINT at{p.x, p.y};
    ::MapWindowPoints(self, target->WindowHandle(), &at, 1);
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The release reaches the same child, wherever the pointer is then.
        mouseChild_ = target;
        ::SetCapture(self);
        break;
    case WM_LBUTTONUP:
        mouseChild_ = nullptr;
        if (::GetCapture() == self) ::ReleaseCapture();
        break;
    default:
        break;
    }
    m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(at.x, at.y));
    return true;
}

bool TWinControl::RouteCursor(TMessage& m) {
    HWND self = WindowHandle();
    if (reinterpret_cast<HWND>(m.WParam) != self || LOWORD(m.LParam) != HTCLIENT) return false;
    POINT p;
    if (!::GetCursorPos(&p)) return false;
    ::ScreenToClient(self, &p);
    TControl* child = TransparentChildAt(p.x, p.y);
    HICON pointer = child ? CursorHandle(child->Cursor()) : nullptr;
    // A child with the default pointer shows ours.
    if (!pointer) return false;
    ::SetCursor(pointer);
    m.Result = TRUE;
    return true;
}
