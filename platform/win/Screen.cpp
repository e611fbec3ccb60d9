#include "platform/win/Screen.h"

#include "platform/win/Win32.h"

namespace {

HCURSOR SystemCursor(TCursor cursor) noexcept {
    switch (cursor) {
    case crHourGlass: return ::LoadCursorW(nullptr, IDC_WAIT);
    case crArrow:
    case crDefault:
    default: return ::LoadCursorW(nullptr, IDC_ARROW);
    }
}

}  // namespace

void TScreen::SetCursor(TCursor value) {
    cursor_ = value;
    // crDefault hands the cursor back to the windows; the arrow stands until
    // the next mouse move lets the window under it choose again.
    ::SetCursor(SystemCursor(value));
}

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

HICON ScreenCursorOverride() noexcept {
    const TCursor cursor = Screen().Cursor();
    return cursor == crDefault ? nullptr : SystemCursor(cursor);
}
