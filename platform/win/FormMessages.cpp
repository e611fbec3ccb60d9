#include "platform/win/FormMessages.h"

#include "platform/win/Win32.h"

bool IsSessionEnding(const TMessage& m) noexcept { return m.Msg == WM_ENDSESSION && m.WParam != 0; }

bool IsBeingShown(const TMessage& m) noexcept { return m.Msg == WM_SHOWWINDOW && m.WParam != 0; }

bool IsPositionChanged(const TMessage& m) noexcept { return m.Msg == WM_WINDOWPOSCHANGED; }

bool IsHiddenByPositionChange(const TMessage& m) noexcept {
    if (m.Msg != WM_WINDOWPOSCHANGED || m.LParam == 0) return false;
    return (reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_HIDEWINDOW) != 0;
}

bool IsClosingMessage(const TMessage& m) noexcept {
    return m.Msg == WM_CLOSE || m.Msg == WM_QUIT || m.Msg == WM_DESTROY;
}

bool IsDestroyMessage(const TMessage& m) noexcept { return m.Msg == WM_DESTROY; }
