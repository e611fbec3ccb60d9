#include "platform/win/Scaling.h"

#include "platform/win/Font.h"
#include "platform/win/Win32.h"

int ScaleLength(int value, int toPpi, int fromPpi) {
    if (toPpi == fromPpi || fromPpi <= 0) return value;
    return ::MulDiv(value, toPpi, fromPpi);
}

int TDesignedLength::Rescale(int current, int fromPpi, int toPpi) {
    if (!design_) design_ = ScaleLength(current, kDesignPixelsPerInch, fromPpi);
    if (current != ScaleLength(*design_, fromPpi)) return ScaleLength(current, toPpi, fromPpi);
    return ScaleLength(*design_, toPpi);
}

int WindowPixelsPerInch(HWND window) {
    // Looked up, not linked: the function came with Windows 10 and the
    // program also runs on older systems, where the screen's density holds.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi && window ? getDpi(window) : 0;
    return dpi > 0 ? int(dpi) : TFont::ScreenPixelsPerInch();
}
