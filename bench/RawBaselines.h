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

// Renders every family's preview (measure, white background, the name in
// its face) into one 32-bit bitmap, one after the other; returns how many
// were made. Nothing is kept: ten thousand 32-bit previews at 72 points
// would not fit, and the program keeps packed copies instead.
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
