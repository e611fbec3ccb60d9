#pragma once
// The baselines of a screenful's repaint: the list's visible rows drawn with
// plain GDI and user32 calls, no toolkit in between.

#include <cstdint>
#include <vector>

#include "platform/win/WinTypes.h"

// One row of a screenful: its rectangle, and its picture with white
// transparent: the pixels as a 32-bit top-down image (width x height,
// 0x00RRGGBB) and their place.
struct TRawBlit {
    int rowLeft = 0, rowTop = 0, rowRight = 0, rowBottom = 0;
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    int x = 0, y = 0;
};

// Both draw the rows as plain GDI draws a bitmap with white transparent
// whose mask is made beforehand: each row filled with the window colour,
// then two blits, AND with the mask and OR with the pixels (white made
// black), from bitmaps selected into memory DCs before the clock runs.
// Each returns seconds per screenful over `repeats` screenfuls.

// The blits alone, into the window between GetDC and ReleaseDC.
double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats);

// A repaint as any window has one: a plain child window of the list's size,
// frame and place, invalidated and updated (InvalidateRect, UpdateWindow)
// as the list is, whose WM_PAINT draws the rows between BeginPaint and
// EndPaint and fills what is below them.
double RawWindowRepaint(HWND list, const std::vector<TRawBlit>& blits, int repeats);
