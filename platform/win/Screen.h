#pragma once
// The application-wide cursor. While it is anything but crDefault, every
// window of the program shows it, whatever its own cursor is.

#include "platform/win/Cursors.h"
#include "platform/win/WinTypes.h"

class TScreen {
public:
    TCursor Cursor() const noexcept { return cursor_; }
    // Takes effect at once, not only at the next mouse move.
    void SetCursor(TCursor value);

private:
    TCursor cursor_ = crDefault;
};

// The one screen object of the program.
TScreen& Screen();

// Shows the busy cursor for a scope and the default cursor after it, also
// when the scope is left by an exception.
class TBusyCursor {
public:
    TBusyCursor() { Screen().SetCursor(crHourGlass); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
    ~TBusyCursor() { Screen().SetCursor(crDefault); }
};

// The Win32 cursor that windows show instead of their own, or null while
// the application-wide cursor is crDefault.
HICON ScreenCursorOverride() noexcept;
