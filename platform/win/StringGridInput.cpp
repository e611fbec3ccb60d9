// The string grid's input: keys, the mouse, scroll bars and the wheel.

#include <algorithm>

#include "platform/win/MouseEvent.h"
#include "platform/win/StringGrid.h"
#include "platform/win/Win32.h"

void TStringGrid::KeyDown(uint16_t key) {
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    int c = col_, r = row_;
    const int page = std::max(1, FitRows());
    switch (key) {
    case VK_UP: --r; break;
    case VK_DOWN: ++r; break;
    case VK_LEFT: --c; break;
    case VK_RIGHT: ++c; break;
    case VK_PRIOR: r -= page; break;
    case VK_NEXT: r += page; break;
    case VK_HOME:
        c = fixedCols_;
        if (ctrl) r = fixedRows_;
        break;
    case VK_END:
        c = colCount_ - 1;
        if (ctrl) r = rowCount_ - 1;
        break;
    case VK_TAB:
        if (!Wants(TGridOption::goTabs)) return;
        // Along the row, on into the next (or previous) one.
        if (shift) {
            if (--c < fixedCols_ && r > fixedRows_) {
                c = colCount_ - 1;
                --r;
            }
        } else if (++c >= colCount_ && r < rowCount_ - 1) {
            c = fixedCols_;
            ++r;
        }
        break;
    default:
        return;
    }
    c = std::clamp(c, fixedCols_, colCount_ - 1);
    r = std::clamp(r, fixedRows_, rowCount_ - 1);
    if (c == col_ && r == row_) return;
    const bool extend = shift && key != VK_TAB;
    if (MoveCurrent(c, r, true, extend)) OnClick(this);
}

void TStringGrid::MouseDown(int x, int y) {
    if (CanFocus() && !Focused()) SetFocus();
    int c, r;
    if (!MouseToCell(x, y, c, r) || c < fixedCols_ || r < fixedRows_) return;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (!MoveCurrent(c, r, true, shift)) return;
    tracking_ = true;
    ::SetCapture(WindowHandle());
}

void TStringGrid::MouseMove(int x, int y) {
    if (!tracking_) return;
    // Dragging past an edge reaches the cell beyond it.
    x = std::clamp(x, 0, std::max(0, ClientWidth() - 1));
    y = std::clamp(y, 0, std::max(0, ClientHeight() - 1));
    if (x == 0 && leftCol_ > fixedCols_) SetLeftCol(leftCol_ - 1);
    if (y == 0 && topRow_ > fixedRows_) SetTopRow(topRow_ - 1);
    int c, r;
    if (!MouseToCell(x, y, c, r)) return;
    c = std::max(c, fixedCols_);
    r = std::max(r, fixedRows_);
    if (c != col_ || r != row_) MoveCurrent(c, r, true, true);
}

void TStringGrid::MouseUp() {
    if (!tracking_) return;
    tracking_ = false;
    if (::GetCapture() == WindowHandle()) ::ReleaseCapture();
    OnClick(this);
}

void TStringGrid::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    // A scroll bar shows up as soon as it gets a range: only the wanted ones
    // are set at all.
    const bool vert = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    const bool horz = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
    if (vert) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, rowCount_ - fixedRows_ - 1, UINT(FitRows()),
                      topRow_ - fixedRows_, 0};
        ::SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
    }
    if (horz) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, colCount_ - fixedCols_ - 1, UINT(FitCols()),
                      leftCol_ - fixedCols_, 0};
        ::SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
    }
}

void TStringGrid::Scroll(bool vertical, int code) {
    const int first = vertical ? fixedRows_ : fixedCols_;
    const int pos = (vertical ? topRow_ : leftCol_) - first;
    const int page = vertical ? FitRows() : FitCols();
    int to = pos;
    switch (code) {
    case SB_LINEUP: --to; break;
    case SB_LINEDOWN: ++to; break;
    case SB_PAGEUP: to -= page; break;
    case SB_PAGEDOWN: to += page; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = vertical ? rowCount_ : colCount_; break;
    case SB_THUMBTRACK:
        if (!Wants(TGridOption::goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        ::GetScrollInfo(WindowHandle(), vertical ? SB_VERT : SB_HORZ, &si);
        to = si.nTrackPos;
        break;
    }
    default: return;
    }
    if (vertical)
        SetTopRow(first + to);
    else
        SetLeftCol(first + to);
}

void TStringGrid::WndProc(TMessage& m) {
    if (PaintOwnWindow(m, [this](HDC dc, const TRect& dirty) { Paint(dc, dirty); })) return;
    switch (m.Msg) {
    case WM_GETDLGCODE:
        // The arrows move between cells; Enter and Esc stay with the form
        // (its default and cancel buttons), and Tab too unless goTabs.
        m.Result = DLGC_WANTARROWS | (Wants(TGridOption::goTabs) ? DLGC_WANTTAB : 0);
        return;
    case WM_KEYDOWN:
        if (DoKeyDown(m)) return;
        KeyDown(uint16_t(m.WParam));
        m.Result = 0;
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const TPoint p = MousePoint(m.LParam);
        MouseDown(p.x, p.y);
        m.Result = 0;
        return;
    }
    case WM_MOUSEMOVE: {
        const TPoint p = MousePoint(m.LParam);
        MouseMove(p.x, p.y);
        MouseMoved(MouseShiftState(m.WParam), p.x, p.y);
        m.Result = 0;
        return;
    }
    case WM_LBUTTONUP:
        MouseUp();
        m.Result = 0;
        return;
    case WM_CAPTURECHANGED:
        // Someone else took the mouse: the press ends without a click.
        if (reinterpret_cast<HWND>(m.LParam) != WindowHandle()) tracking_ = false;
        break;
    case WM_MOUSEWHEEL:
        SetTopRow(topRow_ - short(HIWORD(m.WParam)) / WHEEL_DELTA);
        m.Result = 0;
        return;
    case WM_VSCROLL:
    case WM_HSCROLL:
        if (m.LParam == 0) {  // our own scroll bars, not a child's
            Scroll(m.Msg == WM_VSCROLL, LOWORD(m.WParam));
            m.Result = 0;
            return;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateCell(col_, row_);  // the focus frame
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
}
