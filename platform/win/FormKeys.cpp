// The keys that move around a form. Tab follows the tab orders of the
// controls, into the notebook and the page it shows. The dialog manager
// cannot do that: it walks the windows' z-order and never stops at a window
// that it looks inside, and a notebook is both a tab stop and the holder of
// its pages. The other dialog keys (Enter, Esc, arrows, access keys) stay
// with the dialog manager.

#include <vector>

#include "platform/win/Form.h"
#include "platform/win/PageControl.h"
#include "platform/win/Win32.h"

namespace {

// Our control whose window is `window` or holds it, or null.
TWinControl* OwnControl(HWND window) {
    while (window) {
        if (auto* control = ObjectAs<TWinControl>(TControl::FromHandle(window))) return control;
        window = (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) ? ::GetParent(window) : nullptr;
    }
    return nullptr;
}

bool TakesTab(TWinControl* control) {
    if (!control->TabStop() || !control->HandleAllocated() || !control->CanFocus()) return false;
    HWND window = control->WindowHandle();
    return ::IsWindowVisible(window) && ::IsWindowEnabled(window);
}

bool WantsKey(const MSG& msg) {
    const LRESULT code = ::SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    return (code & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) != 0;
}

BOOL CALLBACK TakeDefaultLook(HWND child, LPARAM) {
    if (::SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
        ::SendMessageW(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    return TRUE;
}

// What the dialog manager does when Tab moves the focus: an edit's text is
// selected whole, and the default button's look goes to a push button that
// takes the focus (the default button keeps it otherwise, see Button.cpp).
void FocusAsTabDoes(HWND form, HWND next) {
    const LRESULT code = ::SendMessageW(next, WM_GETDLGCODE, 0, 0);
    if (code & DLGC_HASSETSEL) ::SendMessageW(next, EM_SETSEL, 0, -1);
    ::SetFocus(next);
    ::EnumChildWindows(form, &TakeDefaultLook, 0);
    if (code & DLGC_UNDEFPUSHBUTTON) ::SendMessageW(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    // Moving with the keyboard shows where the focus is.
    ::SendMessageW(form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace

void TCustomForm::SelectNext(TWinControl* from, bool forward) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const ptrdiff_t n = ptrdiff_t(list.size());
    if (n == 0) return;
    ptrdiff_t at = forward ? -1 : n;
    for (ptrdiff_t i = 0; i < n; ++i)
        if (list[size_t(i)] == from) at = i;
    for (ptrdiff_t step = 1; step <= n; ++step) {
        const ptrdiff_t i = ((at + (forward ? step : -step)) % n + n) % n;
        if (TWinControl* next = list[size_t(i)]; TakesTab(next)) {
            FocusAsTabDoes(WindowHandle(), next->WindowHandle());
            return;
        }
    }
}

bool TCustomForm::DialogKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || ::GetKeyState(VK_MENU) < 0) return false;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    TWinControl* focused = OwnControl(msg.hwnd);
    // The notebook that holds the focus, or else the form's first one that
    // shows, in tab order.
    auto switchPage = [&](bool forward) {
        TPageControl* notebook = nullptr;
        for (TControl* c = focused; c && c != this && !notebook; c = c->Parent()) notebook = c->As<TPageControl>();
        if (!notebook) {
            std::vector<TWinControl*> list;
            GetTabOrderList(list);
            for (TWinControl* w : list)
                if (auto* p = w->As<TPageControl>(); p && p->HandleAllocated() && ::IsWindowVisible(p->WindowHandle())) {
                    notebook = p;
                    break;
                }
        }
        return notebook && notebook->CanFocus() && notebook->SelectNextPage(forward);
    };
    switch (msg.wParam) {
    case VK_TAB:
        if (ctrl && switchPage(!shift)) return true;
        if (WantsKey(msg)) return false;
        SelectNext(focused == this ? nullptr : focused, !shift);
        return true;
    case VK_NEXT:
    case VK_PRIOR:
        return ctrl && switchPage(msg.wParam == VK_NEXT);
    default:
        return false;
    }
}
