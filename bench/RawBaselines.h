#pragma once
// The baselines: the same work done with plain GDI and user32 calls, no
// toolkit in between. Only this benchmark calls Win32 outside the platform
// layer, because the bare calls are what it measures against.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

struct TRawPreviewStyle {
    int pointSize = 72;
    bool bold = true, italic = true, underline = true;
};

// Renders every family's preview (measure, 32-bit bitmap, white background,
// the name in its face), one after the other; returns how many were made.
// Each bitmap is freed once drawn: ten thousand such bitmaps at 72 points
// would not fit, and the program keeps a packed copy instead.
int RawRenderLoop(const std::vector<std::string>& faces, const std::vector<std::string>& names,
                  const TRawPreviewStyle& style);

// One row of a screenful: its rectangle, and its picture with white
// transparent: the pixels as a 32-bit top-down image (width x height,
// 0x00RRGGBB) and their place.
struct TRawBlit {
    int rowLeft = 0, rowTop = 0, rowRight = 0, rowBottom = 0;
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    int x = 0, y = 0;
};
// Draws the screenful into the window `repeats` times, each time between
// GetDC and ReleaseDC as a paint would; returns seconds per screenful. Each
// row is filled with the window colour, then its picture drawn as plain GDI
// draws a transparent bitmap whose mask is made beforehand: two blits, AND
// with the mask, OR with the pixels (white made black), from bitmaps
// selected into memory DCs before the clock runs.
double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats);

// A bare top-level window of the given size, shown and painted, then the
// screen's font families enumerated; returns the family names reported.
std::vector<std::string> BareWindowStartAndEnumerate(int width, int height);
