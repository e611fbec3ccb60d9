// Compact pictures: every non-white pixel kept, grey ones in one byte,
// drawn with white left out, and small beside the 32-bit pixels they replace.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win/CompactBitmap.h"
#include "platform/win/Graphics.h"
#include "tests/win/GdiTestUtil.h"

namespace {

constexpr COLORREF kNavy = RGB(0, 0, 128);

struct TDot {
    int x, y;
    COLORREF color;
};

// A white bitmap with the given pixels set.
void Paint(TBitmap& bitmap, int width, int height, const std::vector<TDot>& dots) {
    bitmap.SetSize(width, height);
    for (const TDot& d : dots) bitmap.Canvas()->SetPixel(d.x, d.y, TColor(d.color));
}

TEST(CompactBitmap, KeepsEveryPixelThatIsNotWhiteAndDrawsOnlyThose) {
    struct Case {
        const char* what;
        int width;
        std::vector<TDot> dots;
        bool grey;
        RECT ink;
    };
    const Case cases[] = {
        {"grey levels", 10, {{1, 1, RGB(0, 0, 0)}, {2, 1, RGB(128, 128, 128)}, {8, 4, RGB(254, 254, 254)}}, true, {1, 1, 9, 5}},
        {"one coloured pixel", 10,
         {{0, 5, RGB(0, 0, 0)}, {3, 2, RGB(200, 10, 30)}, {4, 2, RGB(7, 7, 7)}, {9, 0, RGB(255, 255, 254)}},
         false,
         {0, 0, 10, 6}},
        {"a single pixel", 10, {{5, 3, RGB(40, 40, 40)}}, true, {5, 3, 6, 4}},
        // Odd widths and pixels at odd columns, the last column included;
        // a colour between two grey ends of its row.
        {"odd width, last column", 11, {{10, 2, RGB(90, 90, 90)}, {3, 4, RGB(1, 1, 1)}}, true, {3, 2, 11, 5}},
        {"colour between grey ends", 11,
         {{0, 1, RGB(0, 0, 0)}, {5, 1, RGB(10, 200, 10)}, {10, 1, RGB(3, 3, 3)}},
         false,
         {0, 1, 11, 2}},
        {"a run across the pairs", 11,
         {{1, 0, RGB(5, 5, 5)}, {2, 0, RGB(6, 6, 6)}, {3, 0, RGB(7, 7, 7)}, {6, 5, RGB(255, 254, 255)}},
         false,
         {1, 0, 7, 6}},
        // Wider than the eight pixels skipped at a time, from either end:
        // ink at the edges of those steps, a row inked only at its left and
        // one only at its right.
        {"eight at a time", 37,
         {{0, 0, RGB(9, 9, 9)}, {36, 1, RGB(8, 8, 8)}, {17, 2, RGB(7, 7, 7)}, {18, 2, RGB(6, 6, 6)},
          {3, 3, RGB(5, 5, 5)}, {33, 4, RGB(4, 4, 4)}, {8, 5, RGB(3, 3, 3)}, {15, 5, RGB(2, 2, 2)}},
         true,
         {0, 0, 37, 6}},
        {"eight at a time, one colour", 37, {{23, 3, RGB(0, 0, 200)}, {24, 3, RGB(1, 1, 1)}}, false, {23, 3, 25, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap bitmap;
        Paint(bitmap, c.width, 6, c.dots);
        const TCompactBitmap picture(bitmap, c.width, 6);
        EXPECT_EQ(picture.Width(), c.width);
        EXPECT_EQ(picture.Height(), 6);
        EXPECT_EQ(picture.Grey(), c.grey);
        EXPECT_EQ(picture.Ink(), (TRect{int(c.ink.left), int(c.ink.top), int(c.ink.right), int(c.ink.bottom)}));
        const auto dotAt = [&](int x, int y) -> const TDot* {
            for (const TDot& d : c.dots)
                if (d.x == x && d.y == y) return &d;
            return nullptr;
        };
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < c.width; ++x) {
                const TDot* d = dotAt(x, y);
                EXPECT_EQ(picture.Pixel(x, y), TColor(d ? d->color : RGB(255, 255, 255))) << x << ", " << y;
            }
        EXPECT_EQ(picture.Pixel(c.width, 0), clNone);
        EXPECT_EQ(picture.Pixel(0, -1), clNone);

        // Drawn at (5, 7) on navy: the dots land there, everything else
        // stays navy.
        const int surfaceWidth = c.width + 13;
        TTestSurface surface(surfaceWidth, 20, kNavy);
        picture.Draw(surface.DC(), 5, 7);
        int navy = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < surfaceWidth; ++x) {
                if (const TDot* d = dotAt(x - 5, y - 7)) {
                    EXPECT_EQ(surface.At(x, y), d->color) << x << ", " << y;
                } else {
                    navy += surface.At(x, y) == kNavy;
                }
            }
        EXPECT_EQ(navy, surfaceWidth * 20 - int(c.dots.size()));
    }
}

TEST(CompactBitmap, EmptyAllWhiteAndClippedPictures) {
    TBitmap bitmap;
    Paint(bitmap, 10, 6, {{9, 5, RGB(0, 0, 0)}});
    struct Case {
        int width, height;
        bool empty;
        RECT ink;
    };
    const Case cases[] = {
        {10, 6, false, {9, 5, 10, 6}},
        {20, 30, false, {9, 5, 10, 6}},  // beyond the source: white
        {9, 6, false, {0, 0, 0, 0}},     // the one dot cut off: all white
        {0, 6, true, {0, 0, 0, 0}},
        {10, -3, true, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const TCompactBitmap picture(bitmap, c.width, c.height);
        EXPECT_EQ(picture.Empty(), c.empty);
        EXPECT_EQ(picture.Ink(), (TRect{int(c.ink.left), int(c.ink.top), int(c.ink.right), int(c.ink.bottom)}));
        if (c.width > 15) {
            EXPECT_EQ(picture.Pixel(15, 15), clWhite);
        }
        TTestSurface surface(30, 30, kNavy);
        picture.Draw(surface.DC(), 0, 0);
        const bool dot = c.ink.right > c.ink.left;
        EXPECT_EQ(surface.Count({0, 0, 30, 30}, kNavy), 30 * 30 - (dot ? 1 : 0));
        if (dot) {
            EXPECT_EQ(surface.At(9, 5), RGB(0, 0, 0));
        }
    }
}

TEST(CompactBitmap, TextOnWhiteTakesFarLessThanItsThirtyTwoBitPixels) {
    // Text: one byte per inked pixel at most. A picture with every pixel in
    // a different colour cannot be packed below three bytes per pixel.
    TBitmap text;
    TCanvas& c = *text.Canvas();
    c.Font()->SetName("Liberation Serif");
    c.Font()->SetHeight(-96);
    c.Font()->SetStyle(TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic, TFontStyle::fsUnderline});
    const std::string name = "Liberation Serif";
    text.SetSize(c.TextWidth(name + " "), c.TextHeight(name));
    c.TextOut(0, 0, name);
    const TCompactBitmap packedText(text, text.Width(), text.Height());
    const double textBytes = double(text.Width()) * text.Height() * 4;
    EXPECT_TRUE(packedText.Grey());
    EXPECT_LT(packedText.MemoryBytes(), 0.3 * textBytes);

    TBitmap noise;
    std::vector<TDot> dots;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) dots.push_back({x, y, RGB(x * 16, y * 16, 100)});
    Paint(noise, 16, 16, dots);
    const TCompactBitmap packedNoise(noise, 16, 16);
    EXPECT_FALSE(packedNoise.Grey());
    EXPECT_GE(packedNoise.MemoryBytes(), 3u * 16 * 16);
    EXPECT_EQ(packedNoise.Pixel(15, 15), TColor(RGB(240, 240, 100)));
}

}  // namespace

namespace {

// Picture k: a white bitmap with one black pixel at (k mod w, k div w) and,
// for every third, a wider and taller size, so that the drawing sections
// have to grow while pictures are kept in them.
struct TNumbered {
    int width, height, x, y;
};
TNumbered Numbered(int k) {
    const bool large = k % 3 == 2;
    const int width = large ? 40 + k : 12, height = large ? 30 + k % 7 : 9;
    return {width, height, k % width, (k / width) % height};
}

}  // namespace

TEST(CompactBitmap, PicturesDrawnAgainInAnyOrderShowTheirOwnPixels) {
    // More pictures than the drawing sections keep, drawn in three rounds
    // (in order, backwards, in steps of seven): each draw must show its own
    // single pixel whatever was drawn before it.
    constexpr int kCount = 40;
    std::vector<std::unique_ptr<TCompactBitmap>> pictures;
    for (int k = 0; k < kCount; ++k) {
        const TNumbered n = Numbered(k);
        TBitmap bitmap;
        Paint(bitmap, n.width, n.height, {{n.x, n.y, RGB(0, 0, 0)}});
        pictures.push_back(std::make_unique<TCompactBitmap>(bitmap, n.width, n.height));
    }
    const auto drawAndCheck = [&](int k) {
        const TNumbered n = Numbered(k);
        TTestSurface surface(n.width + 4, n.height + 4, kNavy);
        pictures[size_t(k)]->Draw(surface.DC(), 2, 2);
        int black = 0, navy = 0;
        for (int y = 0; y < n.height + 4; ++y)
            for (int x = 0; x < n.width + 4; ++x) {
                black += surface.At(x, y) == RGB(0, 0, 0);
                navy += surface.At(x, y) == kNavy;
            }
        EXPECT_EQ(surface.At(n.x + 2, n.y + 2), RGB(0, 0, 0)) << "picture " << k;
        EXPECT_EQ(black, 1) << "picture " << k;
        EXPECT_EQ(navy, (n.width + 4) * (n.height + 4) - 1) << "picture " << k;
    };
    for (int k = 0; k < kCount; ++k) drawAndCheck(k);
    for (int k = kCount - 1; k >= 0; --k) drawAndCheck(k);
    for (int i = 0, k = 0; i < kCount; ++i, k = (k + 7) % kCount) drawAndCheck(k);

    // A picture freed and another made in its place (often at the same
    // address) shows the new pixels, not what the old one left behind.
    for (int round = 0; round < 5; ++round) {
        pictures[0].reset();
        TBitmap bitmap;
        Paint(bitmap, 12, 9, {{round + 3, 4, RGB(0, 0, 0)}});
        pictures[0] = std::make_unique<TCompactBitmap>(bitmap, 12, 9);
        TTestSurface surface(12, 9, kNavy);
        pictures[0]->Draw(surface.DC(), 0, 0);
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(surface.At(x, 4), x == round + 3 ? RGB(0, 0, 0) : kNavy) << "round " << round << ", x " << x;
    }
}
