// The window side of controls: creation, the one window procedure that every
// control's messages pass through, and the default handling of messages.

#include <set>

#include "platform/core/Exceptions.h"
#include "platform/win/Application.h"
#include "platform/win/Control.h"
#include "platform/win/HintWindow.h"
#include "platform/win/MouseEvent.h"
#include "platform/win/Screen.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"
#include "platform/win/WinText.h"

class TWindowDispatch {
public:
    static void Create(TControl& control, const TCreateParams& params);
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static void Attach(TControl& control, HWND window);
    static void RegisterOwnClass(const TCreateParams& params);
};

namespace {

// The control whose own-class window is being made: its first message
// (which may come before WM_NCCREATE) binds the window to it.
thread_local TControl* t_creating = nullptr;

HINSTANCE ModuleInstance() { return ::GetModuleHandleW(nullptr); }

// Every child window gets an id of its own: the dialog manager finds the
// default button by id, and a notification is told from the dialog manager's
// IDOK/IDCANCEL by its id. Ids stay clear of those two and of 0xFFFF (-1).
HMENU NextControlId(uint32_t style) {
    if (!(style & WS_CHILD)) return nullptr;
    static uint16_t last = 99;
    last = last >= 0xFFF0 ? 100 : uint16_t(last + 1);
    return reinterpret_cast<HMENU>(uintptr_t(last));
}

// Marks a window as a control's, whoever subclasses it later (tooltips do);
// the procedure itself finds its control faster through GWLP_USERDATA.
constexpr const wchar_t* kControlProperty = L"Glyphora.Control";

}  // namespace

void TWindowDispatch::RegisterOwnClass(const TCreateParams& params) {
    static std::set<std::wstring> registered;
    if (registered.count(params.className)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = params.classStyle;
    wc.lpfnWndProc = &TWindowDispatch::Procedure;
    wc.hInstance = ModuleInstance();
    wc.hIcon = ::LoadIconW(wc.hInstance, L"MAINICON");
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = params.className.c_str();
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception(FormatText("Cannot register the window class %s", {Utf8(params.className)}));
    registered.insert(params.className);
}

void TWindowDispatch::Attach(TControl& control, HWND window) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    ::SetPropW(window, kControlProperty, &control);
    control.handle_.Reset(window);
}

void TWindowDispatch::Create(TControl& control, const TCreateParams& params) {
    const std::string name = control.Name().empty() ? control.ClassName() : control.Name();
    HWND window = nullptr;
    if (params.systemClass) {
        window = ::CreateWindowExW(params.exStyle, params.systemClass, params.caption.c_str(), params.style,
                                   params.x, params.y, params.width, params.height, params.parent,
                                   NextControlId(params.style), ModuleInstance(), nullptr);
        if (window) {
            Attach(control, window);
            control.defProc_ = uintptr_t(::SetWindowLongPtrW(
                window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindowDispatch::Procedure)));
        }
    } else {
        RegisterOwnClass(params);
        struct Creating {
            explicit Creating(TControl* c) { t_creating = c; }
            ~Creating() { t_creating = nullptr; }
        } creating(&control);
        window = ::CreateWindowExW(params.exStyle, params.className.c_str(), params.caption.c_str(), params.style,
                                   params.x, params.y, params.width, params.height, params.parent,
                                   NextControlId(params.style), ModuleInstance(), nullptr);
    }
    if (!window || control.handle_.Get() != window)
        throw Exception(FormatText("Cannot create the window of %s", {name}));
}

LRESULT CALLBACK TWindowDispatch::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<TControl*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!control) {
        if (!t_creating) return ::DefWindowProcW(window, msg, wParam, lParam);
        control = std::exchange(t_creating, nullptr);
        Attach(*control, window);
    }
    // The application-wide cursor wins over every window's own.
    if (msg == WM_SETCURSOR && static_cast<short>(LOWORD(lParam)) != HTERROR)
        if (HCURSOR cursor = ScreenCursorOverride()) {
            ::SetCursor(cursor);
            return TRUE;
        }
    TMessage m{msg, wParam, intptr_t(lParam), 0};
    try {
        // A copy: the procedure may put another in its place while it runs
        // (a hook removing itself), which must not destroy the running one.
        const std::function<void(TMessage&)> proc = control->WindowProc;
        if (proc)
            proc(m);
        else
            control->WndProc(m);
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
        HandleException(Exception("Unknown error"));
    }
    if (msg == WM_NCDESTROY) control->Detach(window);
    return LRESULT(m.Result);
}

TControl* TControl::FromHandle(HWND window) noexcept {
    if (!window) return nullptr;
    return static_cast<TControl*>(::GetPropW(window, kControlProperty));
}

void TControl::Detach(HWND window) noexcept {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    ::RemovePropW(window, kControlProperty);
    if (defProc_) ::SetWindowLongPtrW(window, GWLP_WNDPROC, LONG_PTR(defProc_));
    defProc_ = 0;
    // The window is being destroyed already: there is nothing left to give
    // back, only the owner to forget.
    if (handle_.Get() == window) (void)handle_.Release();
}

HWND TControl::Handle() {
    HandleNeeded();
    return handle_.Get();
}

void TControl::HandleNeeded() {
    if (handle_) return;
    if (!topLevel_) {
        if (!parent_) throw Exception(FormatText("Control '%s' has no parent window", {Name()}));
        // Making the parent's window makes its children's too.
        parent_->HandleNeeded();
        if (handle_) return;
    }
    CreateWnd();
}

void TControl::DestroyHandle() {
    if (!handle_) return;
    HWND window = handle_.Get();
    ::DestroyWindow(window);
    // WM_NCDESTROY has detached it; a window that would not go is let go.
    if (handle_.Get() == window) {
        Detach(window);
    }
}

void TControl::CreateParams(TCreateParams& params) const {
    params.caption = Wide(text_);
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) params.style |= WS_VISIBLE;
    if (!enabled_) params.style |= WS_DISABLED;
    params.x = left_;
    params.y = top_;
    params.width = width_;
    params.height = height_;
    params.className = Wide(ClassName());
    params.classStyle = CS_DBLCLKS;
}

void TControl::ApplyStyle() {
    if (!handle_) return;
    TCreateParams params;
    CreateParams(params);
    HWND window = handle_.Get();
    const LONG_PTR kept = ::GetWindowLongPtrW(window, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    ::SetWindowLongPtrW(window, GWL_STYLE, LONG_PTR(params.style) | kept);
}

void TControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (!topLevel_ && parent_) params.parent = parent_->WindowHandle();
    TWindowDispatch::Create(*this, params);
    ApplyFont();
    SyncHintTool(*this);
    // The system may have chosen or limited the position and size.
    UpdateBoundsFromWindow();
}

intptr_t TControl::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    TMessage m{msg, wParam, lParam, 0};
    const std::function<void(TMessage&)> proc = WindowProc;
    if (proc)
        proc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::DefaultHandler(TMessage& m) {
    HWND window = handle_.Get();
    if (!window) {
        m.Result = 0;
        return;
    }
    if (defProc_)
        m.Result = intptr_t(::CallWindowProcW(reinterpret_cast<WNDPROC>(defProc_), window, m.Msg, m.WParam, m.LParam));
    else
        m.Result = intptr_t(::DefWindowProcW(window, m.Msg, m.WParam, m.LParam));
}

namespace {

// BeginPaint and EndPaint as a pair, also when the painting raises.
class TPaintScope {
public:
    explicit TPaintScope(HWND window) : window_(window) { ::BeginPaint(window_, &ps_); }
    ~TPaintScope() { ::EndPaint(window_, &ps_); }
    TPaintScope(const TPaintScope&) = delete;
    TPaintScope& operator=(const TPaintScope&) = delete;

    HDC Dc() const noexcept { return ps_.hdc; }
    TRect Dirty() const noexcept { return {ps_.rcPaint.left, ps_.rcPaint.top, ps_.rcPaint.right, ps_.rcPaint.bottom}; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
};

}  // namespace

bool TControl::PaintOwnWindow(TMessage& m, const std::function<void(HDC dc, const TRect& dirty)>& paint) {
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;  // the painting covers it
        return true;
    }
    if (m.Msg != WM_PAINT) return false;
    {
        const TPaintScope scope(handle_.Get());
        paint(scope.Dc(), scope.Dirty());
    }
    m.Result = 0;
    return true;
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
        UpdateBoundsFromWindow();
        break;
    case WM_DESTROY:
        RemoveHintTool(*this);
        break;
    case WM_MOUSEMOVE: {
        const TPoint p = MousePoint(m.LParam);
        MouseMoved(MouseShiftState(m.WParam), p.x, p.y);
        break;
    }
    case WM_SETCURSOR:
        // Only over our own client area: the frame keeps its sizing pointers.
        if (reinterpret_cast<HWND>(m.WParam) == handle_.Get() && LOWORD(m.LParam) == HTCLIENT) {
            if (HICON pointer = CursorHandle(cursor_)) {
                ::SetCursor(pointer);
                m.Result = TRUE;
                return;
            }
        }
        break;
    case WM_ERASEBKGND:
        if (!defProc_) {
            RECT r;
            ::GetClientRect(handle_.Get(), &r);
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, Brush());
            m.Result = 1;
            return;
        }
        break;
    default:
        // A notification passed on by the parent that this control has no
        // use for; the standard control's own procedure must not see it.
        if (m.Msg >= CN_BASE && m.Msg < CN_BASE + WM_USER) {
            m.Result = 0;
            return;
        }
        break;
    }
    DefaultHandler(m);
}
