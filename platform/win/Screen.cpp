#include "platform/win/Screen.h"

#include "platform/win/Win32.h"

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    // crDefault hands the cursor back to the windows; the arrow stands until
    // the next mouse move lets the window under it choose again.
    HICON shown = CursorHandle(value);
    ::SetCursor(shown ? shown : ::LoadCursorW(nullptr, IDC_ARROW));
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

HICON ScreenCursorOverride() noexcept {
    const TCursor cursor = Screen().Cursor();
    return cursor == crDefault ? nullptr : CursorHandle(cursor);
}
