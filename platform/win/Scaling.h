#pragma once
// Screen density: the forms are designed at 96 pixels per inch, and every
// length of a form is brought to the density of the screen it shows on.

#include <optional>

#include "platform/win/WinTypes.h"

constexpr int kDesignPixelsPerInch = 96;

// `value` at `toPpi` pixels per inch when it was meant for `fromPpi`,
// rounded to the nearest pixel (halves away from zero).
int ScaleLength(int value, int toPpi, int fromPpi = kDesignPixelsPerInch);

// One designed length of a control (a coordinate, a size, a row height). The
// first Rescale takes the length it is given as the design; each later one
// works from that design again, so that moving between densities never adds
// up rounding. A length that has been set to something else meanwhile (the
// user dragged it, stored settings restored it) is carried over in
// proportion instead.
class TDesignedLength {
public:
    int Rescale(int current, int fromPpi, int toPpi);

private:
    std::optional<int> design_;
};

// The density of the monitor the window is on, as the window is told it;
// the screen's when the system cannot tell one window from another.
int WindowPixelsPerInch(HWND window);
