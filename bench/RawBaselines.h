#pragma once
// The baselines: the same work done with plain GDI and user32 calls, no
// toolkit in between. Only this benchmark calls Win32 outside the platform
// layer, because the bare calls are what it measures against.

#include <string>
#include <vector>

#include "platform/win/WinTypes.h"

struct TRawPreviewStyle {
    int pointSize = 72;
    bool bold = true, italic = true, underline = true;
};

// Renders every family's preview (measure, 32-bit bitmap, white background,
// the name in its face) and keeps them until the returned object goes.
class TRawPreviews {
public:
    TRawPreviews(const std::vector<std::string>& faces, const std::vector<std::string>& names,
                 const TRawPreviewStyle& style);
    ~TRawPreviews();
    TRawPreviews(const TRawPreviews&) = delete;
    TRawPreviews& operator=(const TRawPreviews&) = delete;
    size_t Count() const { return bitmaps_.size(); }

private:
    std::vector<HBITMAP> bitmaps_;
};

// One screenful: each bitmap drawn with white transparent at its place.
struct TRawBlit {
    HBITMAP bitmap;
    int x, y;
};
// Draws the screenful into the window `repeats` times, each time between
// GetDC and ReleaseDC as a paint would; returns seconds per screenful.
double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats);

// A bare top-level window of the given size, shown and painted, then the
// screen's font families enumerated; returns the family names reported.
std::vector<std::string> BareWindowStartAndEnumerate(int width, int height);
