#pragma once
// Where a form goes when its stored geometry is applied: the rules for a
// first run (nothing stored), for the resolution it was stored at, and for
// a resolution that changed since. Pure, so that the rules can be checked
// case by case without a screen.

#include <string>

struct TFormBoundsRequest {
    // Stored values; -1 for one that was not stored.
    int left = -1, top = -1, width = -1, height = -1;
    // The stored resolution ("%dx%d"), empty when none was stored.
    std::string savedRes;
    // The resolution of the form's drawing surface now.
    int screenWidth = 0, screenHeight = 0;
    // The form's bounds now.
    int currentLeft = 0, currentTop = 0, currentWidth = 0, currentHeight = 0;
    // The form asked to be centred on the screen.
    bool centre = false;
};

struct TFormBounds {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const TFormBounds&, const TFormBounds&) = default;
};

// "%dx%d" of a resolution, as it is stored.
std::string ResolutionText(int width, int height);

TFormBounds ComputeFormBounds(const TFormBoundsRequest& request);
