#pragma once
// Measurements of the program itself: its main window, loaded from the real
// form file, doing what a user makes it do.

#include <cstdint>
#include <vector>

#include "RawBaselines.h"
#include "RawRepaint.h"

class TMainForm;

// Starts the program as Glyphora.exe does, up to a shown main window whose
// font list has painted (the rest of the window paints from the message
// loop later); returns the window.
TMainForm* StartProgram();

// Puts the window's style controls at the given style with the preview cache
// off, so that nothing is kept and no thread runs.
void SetStyleWithCacheOff(TMainForm& form, const TRawPreviewStyle& style);

struct TWalkFigures {
    double seconds = 0;       // from ticking the cache option to the thread's end
    int kept = 0;             // previews kept afterwards
    uint64_t committed = 0;   // private memory committed during the walk
    uint64_t pixelBytes = 0;  // the kept previews' pixels as 32-bit bitmaps
    uint64_t held = 0;        // the bytes the kept previews hold by their own count
};
// Ticks the cache option and waits for the preview thread's walk to end.
TWalkFigures MeasureWalk(TMainForm& form);

// The visible rows and the pixels of their kept previews, read back.
std::vector<TRawBlit> VisiblePreviews(TMainForm& form);

// Seconds per repaint of the font list's visible rows from kept previews.
double MeasureRepaint(TMainForm& form, int repeats);

// Milliseconds from a click on a row (mouse messages posted to the font
// list) to the status bar's name panel showing that row's family, painted,
// and to the whole window painted after it; `clicks` of them, while the
// preview walk runs (started over whenever it ends first) or, for
// comparison, with the cache off and no walk.
struct TClickTimes {
    std::vector<double> toPanel;
    std::vector<double> toWindow;
};
TClickTimes MeasureClicks(TMainForm& form, int clicks, bool duringWalk);

// Seconds per screenful of only the visible rows' kept previews drawn into
// the font list's DC (unpacking and blits; no row backgrounds, no messages).
double MeasurePreviewDraws(TMainForm& form, int repeats);
