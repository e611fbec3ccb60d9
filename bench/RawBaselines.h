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

// Renders every family's preview (measure, white background, the name in
// its face) into one 32-bit bitmap, one after the other; returns how many
// were made. Nothing is kept: ten thousand 32-bit previews at 72 points
// would not fit, and the program keeps packed copies instead.
int RawRenderLoop(const std::vector<std::string>& faces, const std::vector<std::string>& names,
                  const TRawPreviewStyle& style);

// A bare top-level window of the given size, shown and painted, then the
// screen's font families enumerated; returns the family names reported.
std::vector<std::string> BareWindowStartAndEnumerate(int width, int height);
