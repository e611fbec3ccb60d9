// Where a form goes when its stored geometry is applied: first runs, the
// same screen, a changed screen.

#include <gtest/gtest.h>

#include <limits>

#include "psetting/FormBounds.h"

namespace {

constexpr int kMax = std::numeric_limits<int>::max();
constexpr int kMin = std::numeric_limits<int>::min();

struct Case {
    const char* what;
    TFormBoundsRequest request;
    TFormBounds expected;
};

// A form that now stands at (30, 40) and measures 646 x 500, on a 1024 x 768 screen.
TFormBoundsRequest Now(int left, int top, int width, int height, const char* savedRes, bool centre = false) {
    TFormBoundsRequest r;
    r.left = left;
    r.top = top;
    r.width = width;
    r.height = height;
    r.savedRes = savedRes;
    r.screenWidth = 1024;
    r.screenHeight = 768;
    r.currentLeft = 30;
    r.currentTop = 40;
    r.currentWidth = 646;
    r.currentHeight = 500;
    r.centre = centre;
    return r;
}

TFormBoundsRequest At(TFormBoundsRequest r, int currentLeft, int currentTop) {
    r.currentLeft = currentLeft;
    r.currentTop = currentTop;
    return r;
}

TFormBoundsRequest OnScreen(TFormBoundsRequest r, int width, int height) {
    r.screenWidth = width;
    r.screenHeight = height;
    return r;
}

TFormBoundsRequest Sized(TFormBoundsRequest r, int width, int height) {
    r.currentWidth = width;
    r.currentHeight = height;
    return r;
}

}  // namespace

TEST(FormBounds, FirstRunKeepsTheSizeAndCentresOrKeepsTheFormOnTheScreen) {
    const Case cases[] = {
        {"where the system put it", Now(-1, -1, -1, -1, ""), {30, 40, 646, 500}},
        {"centred", Now(-1, -1, -1, -1, "", true), {189, 134, 646, 500}},
        // (800 - 1001) / 2 truncates toward zero: -100, not -101; no clamping when centred.
        {"centred, larger than the screen", Sized(OnScreen(Now(-1, -1, -1, -1, "", true), 800, 600), 1001, 701),
         {-100, -50, 1001, 701}},
        {"past the right and bottom edges", At(Now(-1, -1, -1, -1, ""), 900, 700), {378, 268, 646, 500}},
        {"above and left of the screen", At(Now(-1, -1, -1, -1, ""), -30, -5), {0, 0, 646, 500}},
        {"wider than the screen", Sized(Now(-1, -1, -1, -1, ""), 1200, 900), {0, 0, 1200, 900}},
        // A stored resolution alone is no stored geometry.
        {"only a resolution stored", At(Now(-1, -1, -1, -1, "1024x768"), 900, 700), {378, 268, 646, 500}},
    };
    for (const Case& c : cases) EXPECT_EQ(ComputeFormBounds(c.request), c.expected) << c.what;
}

TEST(FormBounds, OnTheSameScreenTheTopLeftCornerStaysTwentyPixelsInside) {
    const Case cases[] = {
        {"as stored", Now(100, 120, 400, 300, "1024x768"), {100, 120, 400, 300}},
        {"left beyond the right edge", Now(1500, 120, 400, 300, "1024x768"), {1004, 120, 400, 300}},
        {"top beyond the bottom edge", Now(100, 900, 400, 300, "1024x768"), {100, 748, 400, 300}},
        // Partly off the screen is allowed on the same screen: the user put it there.
        {"partly off the right edge", Now(900, 600, 400, 300, "1024x768"), {900, 600, 400, 300}},
        {"negative", Now(-40, -8, 400, 300, "1024x768"), {0, 0, 400, 300}},
        // -1 is the mark of a value that was not stored: the form keeps its own.
        {"left not stored", Now(-1, 120, 400, 300, "1024x768"), {30, 120, 400, 300}},
    };
    for (const Case& c : cases) EXPECT_EQ(ComputeFormBounds(c.request), c.expected) << c.what;
}

TEST(FormBounds, OnAnotherScreenTheWholeFormIsBroughtOnIt) {
    const Case cases[] = {
        {"1600x1200 to 800x600", OnScreen(Now(1000, 700, 500, 400, "1600x1200"), 800, 600), {300, 200, 500, 400}},
        {"fits the new screen", OnScreen(Now(100, 50, 500, 400, "1600x1200"), 800, 600), {100, 50, 500, 400}},
        {"no resolution stored", Now(900, 600, 400, 300, ""), {624, 468, 400, 300}},
        {"larger than the new screen", OnScreen(Now(300, 200, 1000, 700, "1600x1200"), 800, 600), {0, 0, 1000, 700}},
        // A form that keeps only its place (a dialog) is brought on the
        // screen with its own size, not pushed past the edge by the -1 of
        // the size that was not stored.
        {"place only", OnScreen(Now(1500, 1100, -1, -1, "1600x1200"), 800, 600), {154, 100, 646, 500}},
        // Damaged stored numbers at the ends of the range: the sums do not
        // wrap around, so the form still lands on the screen.
        {"largest place", Now(kMax, kMax, 500, 400, ""), {524, 368, 500, 400}},
        {"largest size", Now(10, 20, kMax, kMax, ""), {0, 0, kMax, kMax}},
        {"smallest place and size", Now(kMin, kMin, -100000, -100000, ""), {0, 0, -100000, -100000}},
        {"smallest size", Now(10, 20, kMin, kMin, ""), {10, 20, kMin, kMin}},
        // A size below one pixel cannot keep the form in sight: its place
        // is judged by the form's own size (646 x 500).
        {"far off with a negative size", Now(5000, 5000, -5000, -5000, ""), {378, 268, -5000, -5000}},
        {"far off with a zero size", OnScreen(Now(3000, 2000, 0, 0, "1600x1200"), 800, 600), {154, 100, 0, 0}},
    };
    for (const Case& c : cases) EXPECT_EQ(ComputeFormBounds(c.request), c.expected) << c.what;
}

TEST(FormBounds, ResolutionTextIsWidthXHeight) {
    EXPECT_EQ(ResolutionText(1600, 1200), "1600x1200");
    EXPECT_EQ(ResolutionText(800, 600), "800x600");
}
