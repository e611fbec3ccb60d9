#include "platform/win/WindowPlacement.h"

#include "platform/win/Win32.h"

namespace {

bool Placement(HWND window, WINDOWPLACEMENT& wp) {
    wp = WINDOWPLACEMENT{};
    wp.length = sizeof wp;
    return window && ::GetWindowPlacement(window, &wp);
}

}  // namespace

TRect WindowNormalRect(HWND window) {
    WINDOWPLACEMENT wp;
    if (!Placement(window, wp)) return {};
    const RECT& r = wp.rcNormalPosition;
    return {r.left, r.top, r.right, r.bottom};
}

TRect DesktopWorkArea() {
    RECT r{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

TSize SurfaceResolution(HWND window) {
    HDC dc = ::GetDC(window);
    if (!dc) return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const TSize size{::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)};
    ::ReleaseDC(window, dc);
    return size;
}

bool WindowShowsMinimized(HWND window) {
    WINDOWPLACEMENT wp;
    return Placement(window, wp) && wp.showCmd == SW_SHOWMINIMIZED;
}

void PostMinimizeCommand(HWND window) {
    if (window) ::PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}
