#pragma once
// Flat fills and one-pixel 3-D frames in plain colours, as panels, bevels
// and flat speed buttons draw them. Colours are 0x00BBGGRR, as ColorToRGB
// gives them.

#include <cstdint>

#include "platform/win/Geometry.h"
#include "platform/win/WinTypes.h"

// Fills `r` with `rgb`. Leaves `rgb` as the DC's background colour.
void FillSolid(HDC dc, const TRect& r, uint32_t rgb);

// A frame one pixel wide just inside `r`: `topLeft` along the top and left
// edges, `bottomRight` along the others, which own the two corners where the
// colours meet.
void DrawFrame(HDC dc, const TRect& r, uint32_t topLeft, uint32_t bottomRight);
