#pragma once
// The window messages through which a watcher of a form (a hook on its
// window procedure) sees the form being shown, moved, hidden, closed and
// destroyed, and Windows ending the user's session.

#include "platform/win/Messages.h"

// WM_ENDSESSION saying that the session really ends.
bool IsSessionEnding(const TMessage& message) noexcept;
// WM_SHOWWINDOW saying that the window is being shown.
bool IsBeingShown(const TMessage& message) noexcept;
// WM_WINDOWPOSCHANGED, for whatever reason.
bool IsPositionChanged(const TMessage& message) noexcept;
// WM_WINDOWPOSCHANGED whose position record carries SWP_HIDEWINDOW.
bool IsHiddenByPositionChange(const TMessage& message) noexcept;
// WM_CLOSE, WM_QUIT or WM_DESTROY.
bool IsClosingMessage(const TMessage& message) noexcept;
// WM_DESTROY.
bool IsDestroyMessage(const TMessage& message) noexcept;
