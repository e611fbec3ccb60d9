#pragma once
// A picture on white kept as its non-white pixels only, and drawn with white
// left out: what a transparent TBitmap with the transparent colour white
// shows, in a fraction of the memory and with no GDI object of its own.
//
// Memory. Each row keeps runs of non-white pixels, one byte per pixel where
// the pixel is grey (red = green = blue, as black or grey text on white
// renders with grey-level smoothing) and three bytes per pixel otherwise
// (coloured text, sub-pixel smoothing): the whole picture is grey or it is
// kept in colour. White pixels cost nothing, so text on white needs well
// under a byte per pixel against the four of a 32-bit bitmap.
//
// GDI cost. None per picture. Drawing unpacks the pixels into two DIB
// sections that each drawing thread keeps for all pictures (a 32-bit one
// with the colours, black where white is left out, and a 1-bit mask, set
// where white is) and combines them with the destination in two blits:
// AND with the mask keeps the destination only where white is left out, OR
// with the colours then adds the rest. Both are blits between DIB sections
// and the destination, the fast case under Wine, and only the rectangle that
// holds non-white pixels is blitted. The two sections hold the last 16
// pictures drawn, so a repaint of the same rows only blits; they grow
// to the largest picture drawn on the thread and are freed when the thread
// ends.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win/Colors.h"
#include "platform/win/Geometry.h"
#include "platform/win/WinTypes.h"

class TBitmap;

class TCompactBitmap {
public:
    // An empty picture (no pixels).
    TCompactBitmap() = default;
    // The pixels of `source` inside (0, 0, width, height), clipped to the
    // source; white (of any top byte) is what is left out.
    TCompactBitmap(const TBitmap& source, int width, int height);

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    bool Empty() const noexcept { return width_ <= 0 || height_ <= 0; }
    // White is always left out when drawn.
    bool Transparent() const noexcept { return true; }
    // Kept as one grey level per pixel rather than in colour.
    bool Grey() const noexcept { return grey_; }
    // The smallest rectangle that holds every non-white pixel (empty when
    // the picture is all white).
    TRect Ink() const noexcept { return ink_; }
    // Bytes of memory the picture holds, itself included.
    size_t MemoryBytes() const noexcept { return sizeof *this + runs_.capacity(); }
    // The RGB colour of one pixel (clWhite where white, clNone outside).
    TColor Pixel(int x, int y) const;

    // Draws the picture with its top-left corner at (x, y) in `dc`, white
    // left out. The DC's text and background colours are put back.
    void Draw(HDC dc, int x, int y) const;

private:
    int width_ = 0, height_ = 0;
    bool grey_ = true;
    TRect ink_{};
    // Tells the picture apart from every other made in the process (0 when
    // it has no pixels), for the drawing sections that keep the last few
    // pictures unpacked.
    uint64_t serial_ = 0;
    // For each row of the ink rectangle: the number of runs, then for each
    // run the gap of white before it, its length and its pixels (one grey
    // byte, or blue, green and red); numbers as 7-bit groups, low first.
    std::vector<uint8_t> runs_;
};
