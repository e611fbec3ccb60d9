#pragma once
// Points, sizes and rectangles in pixels, shared by controls and drawing.

struct TPoint {
    int x = 0, y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0, cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and bottom are exclusive, as GDI has them.
struct TRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    bool Contains(TPoint p) const noexcept { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};
