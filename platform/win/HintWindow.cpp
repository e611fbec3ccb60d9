#include "platform/win/HintWindow.h"

#include "platform/win/Control.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

// The form window's tooltip control, remembered on the form's window; it is
// an owned pop-up of the form and goes with it.
constexpr const wchar_t* kTooltipProperty = L"Glyphora.Tooltip";
// Long hints wrap at this width rather than running across the screen.
constexpr int kMaxTipWidth = 400;

HWND RootOf(HWND window) {
    HWND root = ::GetAncestor(window, GA_ROOT);
    return root && root != window ? root : nullptr;
}

HWND Tooltip(HWND root, bool create) {
    HWND tip = static_cast<HWND>(::GetPropW(root, kTooltipProperty));
    if (tip && ::IsWindow(tip)) return tip;
    if (!create) return nullptr;
    tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, root, nullptr,
                            ::GetModuleHandleW(nullptr), nullptr);
    if (!tip) return nullptr;
    ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    ::SetPropW(root, kTooltipProperty, tip);
    return tip;
}

TTTOOLINFOW ToolOf(HWND root, HWND window) {
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = root;
    ti.uId = reinterpret_cast<UINT_PTR>(window);
    return ti;
}

}  // namespace

void SyncHintTool(TControl& control) {
    HWND window = control.WindowHandle();
    if (!window) return;
    HWND root = RootOf(window);
    if (!root) return;
    const bool wanted = control.ShowHint() && !control.Hint().empty();
    HWND tip = Tooltip(root, wanted);
    if (!tip) return;
    TTTOOLINFOW ti = ToolOf(root, window);
    ::SendMessageW(tip, TTM_DELTOOLW, 0, LPARAM(&ti));
    if (!wanted) return;
    std::wstring text = Wide(control.Hint());
    ti.lpszText = text.data();
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, LPARAM(&ti));
}

void RemoveHintTool(TControl& control) noexcept {
    HWND window = control.WindowHandle();
    if (!window) return;
    HWND root = RootOf(window);
    if (!root) return;
    HWND tip = Tooltip(root, false);
    if (!tip) return;
    TTTOOLINFOW ti = ToolOf(root, window);
    ::SendMessageW(tip, TTM_DELTOOLW, 0, LPARAM(&ti));
}
