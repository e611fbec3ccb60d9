// Canvases draw on lent DCs with their font, brush and pen, and give the DCs
// back as they were lent.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win/Graphics.h"
#include "tests/win/GdiTestUtil.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct TCurrentObjects {
    HGDIOBJ font, brush, pen;
    explicit TCurrentObjects(HDC dc)
        : font(::GetCurrentObject(dc, OBJ_FONT)),
          brush(::GetCurrentObject(dc, OBJ_BRUSH)),
          pen(::GetCurrentObject(dc, OBJ_PEN)) {}
};

void UseAll(TCanvas& canvas) {
    canvas.TextOut(0, 0, "x");
    canvas.Rectangle(0, 0, 5, 5);
}

TEST(Canvas, GivesTheDCItsOwnObjectsBackAndDeletesItsOwn) {
    TTestSurface surface(60, 30, kWhite);
    const TCurrentObjects original(surface.DC());
    HGDIOBJ firstFont = nullptr, secondFont = nullptr, brush = nullptr, pen = nullptr;
    {
        TCanvas canvas(surface.DC());
        canvas.Font()->SetName("Liberation Sans");
        UseAll(canvas);
        const TCurrentObjects used(surface.DC());
        EXPECT_NE(used.font, original.font);
        EXPECT_NE(used.brush, original.brush);
        EXPECT_NE(used.pen, original.pen);
        firstFont = used.font;
        brush = used.brush;
        pen = used.pen;

        // A change replaces the selected font: the old one leaves the DC
        // before it is deleted.
        canvas.Font()->SetHeight(-20);
        EXPECT_EQ(::GetObjectType(firstFont), 0u);
        canvas.TextOut(0, 0, "x");
        secondFont = ::GetCurrentObject(surface.DC(), OBJ_FONT);
        EXPECT_NE(secondFont, original.font);
        EXPECT_EQ(::GetObjectType(secondFont), DWORD(OBJ_FONT));

        canvas.SetHandle(nullptr);
        const TCurrentObjects released(surface.DC());
        EXPECT_EQ(released.font, original.font);
        EXPECT_EQ(released.brush, original.brush);
        EXPECT_EQ(released.pen, original.pen);

        // Lent again, then destroyed while lent.
        canvas.SetHandle(surface.DC());
        UseAll(canvas);
        EXPECT_EQ(::GetCurrentObject(surface.DC(), OBJ_FONT), secondFont);
    }
    const TCurrentObjects after(surface.DC());
    EXPECT_EQ(after.font, original.font);
    EXPECT_EQ(after.brush, original.brush);
    EXPECT_EQ(after.pen, original.pen);
    for (HGDIOBJ own : {secondFont, brush, pen}) EXPECT_EQ(::GetObjectType(own), 0u);
}

TEST(Canvas, WithoutADCRefusesToDraw) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.FillRect({0, 0, 1, 1}), EInvalidOperation);
    EXPECT_THROW(canvas.TextExtent("x"), EInvalidOperation);
    TTestSurface surface(4, 4, kWhite);
    canvas.SetHandle(surface.DC());
    EXPECT_NO_THROW(canvas.FillRect({0, 0, 1, 1}));
}

struct TTextCase {
    const char* text;
    TBrushStyle style;
};

class CanvasText : public testing::TestWithParam<TTextCase> {};

TEST_P(CanvasText, FillsTheCellWithTheBrushUnlessClearAndWritesInTheFontColour) {
    const TTextCase& c = GetParam();
    TTestSurface surface(80, 40, kGreen);
    TCanvas canvas(surface.DC());
    canvas.Font()->SetName("Liberation Sans");
    canvas.Font()->SetHeight(-16);
    canvas.Font()->SetColor(TColor(kBlue));
    canvas.Brush()->SetColor(TColor(kRed));
    canvas.Brush()->SetStyle(c.style);
    canvas.TextOut(5, 5, c.text);
    const TSize size = canvas.TextExtent(c.text);
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    const RECT cell{5, 5, 5 + size.cx, 5 + size.cy};
    const int area = size.cx * size.cy;
    const bool opaque = c.style == TBrushStyle::bsSolid;
    const bool ink = std::string(c.text) != " ";

    EXPECT_EQ(surface.Count(cell, kBlue) > 0, ink);
    EXPECT_EQ(surface.Count(cell, kRed) > 0, opaque);
    EXPECT_EQ(surface.Count(cell, kGreen) > 0, !opaque);
    if (!ink) {
        EXPECT_EQ(surface.Count(cell, opaque ? kRed : kGreen), area);
    }
    // Nothing outside the text's cell changed.
    const RECT all{0, 0, surface.Width(), surface.Height()};
    EXPECT_EQ(surface.Count(all, kGreen) - surface.Count(cell, kGreen), surface.Width() * surface.Height() - area);
}

INSTANTIATE_TEST_SUITE_P(Cases, CanvasText,
                         testing::Values(TTextCase{" ", TBrushStyle::bsSolid}, TTextCase{" ", TBrushStyle::bsClear},
                                         TTextCase{"Wm", TBrushStyle::bsSolid},
                                         TTextCase{"Wm", TBrushStyle::bsClear}));

TEST(Canvas, TextRectStaysInsideItsRectangle) {
    for (const TBrushStyle style : {TBrushStyle::bsSolid, TBrushStyle::bsClear}) {
        TTestSurface surface(80, 40, kGreen);
        TCanvas canvas(surface.DC());
        canvas.Font()->SetName("Liberation Sans");
        canvas.Font()->SetHeight(-24);
        canvas.Font()->SetColor(TColor(kBlue));
        canvas.Brush()->SetColor(TColor(kRed));
        canvas.Brush()->SetStyle(style);
        const RECT clip{20, 8, 50, 30};
        canvas.TextRect({clip.left, clip.top, clip.right, clip.bottom}, 0, 4, "WWWWWWWW");
        const RECT all{0, 0, surface.Width(), surface.Height()};
        const int clipArea = (clip.right - clip.left) * (clip.bottom - clip.top);
        EXPECT_EQ(surface.Count(all, kGreen) - surface.Count(clip, kGreen),
                  surface.Width() * surface.Height() - clipArea);
        EXPECT_GT(surface.Count(clip, kBlue), 0);
        if (style == TBrushStyle::bsSolid) {
            EXPECT_EQ(surface.Count(clip, kGreen), 0);
        } else {
            EXPECT_EQ(surface.Count(clip, kRed), 0);
        }
    }
}

TEST(Canvas, TextExtentGrowsWithTheFontAndTheText) {
    TTestSurface surface(4, 4, kWhite);
    TCanvas canvas(surface.DC());
    canvas.Font()->SetName("Liberation Sans");
    canvas.Font()->SetHeight(-10);
    const TSize small = canvas.TextExtent("WWW");
    EXPECT_EQ(canvas.TextWidth("WWW"), small.cx);
    EXPECT_EQ(canvas.TextHeight("WWW"), small.cy);
    EXPECT_LT(canvas.TextWidth("W"), small.cx);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    canvas.Font()->SetHeight(-30);
    const TSize large = canvas.TextExtent("WWW");
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);
}

struct TProbe {
    int x, y;
    COLORREF color;
};

struct TShapeCase {
    const char* name;
    std::function<void(TCanvas&)> draw;
    std::vector<TProbe> probes;
};

TEST(Canvas, ShapesCoverTheirPixelsAndNoOthers) {
    const std::vector<TShapeCase> cases = {
        {"FillRect", [](TCanvas& c) { c.FillRect({10, 10, 20, 20}); },
         {{10, 10, kRed}, {19, 19, kRed}, {20, 20, kWhite}, {9, 10, kWhite}, {15, 20, kWhite}}},
        {"FillRect clear",
         [](TCanvas& c) {
             c.Brush()->SetStyle(TBrushStyle::bsClear);
             c.FillRect({10, 10, 20, 20});
         },
         {{10, 10, kWhite}, {15, 15, kWhite}}},
        {"FrameRect", [](TCanvas& c) { c.FrameRect({10, 10, 20, 20}); },
         {{10, 10, kRed}, {19, 15, kRed}, {15, 19, kRed}, {15, 15, kWhite}, {20, 15, kWhite}}},
        {"Rectangle", [](TCanvas& c) { c.Rectangle(10, 10, 20, 20); },
         {{10, 15, kBlue}, {19, 15, kBlue}, {15, 10, kBlue}, {15, 15, kRed}, {20, 15, kWhite}, {9, 15, kWhite}}},
        {"Line",
         [](TCanvas& c) {
             c.MoveTo(5, 5);
             c.LineTo(15, 5);
         },
         {{5, 5, kBlue}, {14, 5, kBlue}, {15, 5, kWhite}, {10, 6, kWhite}, {4, 5, kWhite}}},
        {"Line without pen",
         [](TCanvas& c) {
             c.Pen()->SetStyle(TPenStyle::psClear);
             c.MoveTo(5, 5);
             c.LineTo(15, 5);
         },
         {{5, 5, kWhite}, {10, 5, kWhite}}},
    };
    for (const TShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTestSurface surface(40, 40, kWhite);
        TCanvas canvas(surface.DC());
        canvas.Brush()->SetColor(TColor(kRed));
        canvas.Pen()->SetColor(TColor(kBlue));
        c.draw(canvas);
        for (const TProbe& p : c.probes) EXPECT_EQ(surface.At(p.x, p.y), p.color) << p.x << "," << p.y;
    }
}

TEST(Canvas, PenPositionFollowsMoveAndLine) {
    TTestSurface surface(20, 20, kWhite);
    TCanvas canvas(surface.DC());
    canvas.MoveTo(3, 4);
    EXPECT_EQ(canvas.PenPos(), (TPoint{3, 4}));
    canvas.LineTo(10, 12);
    EXPECT_EQ(canvas.PenPos(), (TPoint{10, 12}));
}

TEST(Canvas, FocusRectDrawnTwiceLeavesNoTrace) {
    TTestSurface surface(40, 40, kWhite);
    TCanvas canvas(surface.DC());
    const RECT all{0, 0, 40, 40};
    canvas.DrawFocusRect({5, 5, 30, 30});
    const int marked = 40 * 40 - surface.Count(all, kWhite);
    EXPECT_GT(marked, 0);
    EXPECT_EQ(surface.Count(RECT{6, 6, 29, 29}, kWhite), 23 * 23);  // only the frame
    canvas.DrawFocusRect({5, 5, 30, 30});
    EXPECT_EQ(surface.Count(all, kWhite), 40 * 40);
}

TEST(Canvas, PixelsReadBackAndOutsideIsNone) {
    TTestSurface surface(10, 10, kWhite);
    TCanvas canvas(surface.DC());
    canvas.SetPixel(3, 4, TColor(kRed));
    EXPECT_EQ(canvas.Pixel(3, 4), TColor(kRed));
    EXPECT_EQ(canvas.Pixel(4, 4), TColor(kWhite));
    EXPECT_EQ(canvas.Pixel(-1, 4), clNone);
    EXPECT_EQ(canvas.Pixel(10, 0), clNone);
}

TEST(Canvas, SystemColoursDrawInTheSchemesColour) {
    TTestSurface surface(10, 10, kWhite);
    TCanvas canvas(surface.DC());
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FillRect({0, 0, 10, 10});
    EXPECT_EQ(surface.At(5, 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_NE(surface.At(5, 5), kWhite);
}

// ---- brushes and pens ----

TEST(Brush, ChangesNotifyOnceAndRemakeTheHandle) {
    TBrush brush;
    int changes = 0;
    brush.OnChange = [&](TObject*) { ++changes; };
    brush.SetColor(TColor(kRed));
    HBRUSH red = brush.Handle();
    LOGBRUSH lb{};
    ASSERT_EQ(::GetObjectW(red, sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, kRed);
    brush.SetColor(TColor(kRed));  // same value
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(brush.Handle(), red);
    brush.SetColor(TColor(kBlue));
    EXPECT_EQ(changes, 2);
    ASSERT_EQ(::GetObjectW(brush.Handle(), sizeof lb, &lb), int(sizeof lb));
    EXPECT_EQ(lb.lbColor, kBlue);
    brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(brush.Handle(), ::GetStockObject(HOLLOW_BRUSH));
}

TEST(BrushAndPen, AssignCopiesEveryValueAndNotifiesOnlyOnChange) {
    TBrush a, b;
    a.SetColor(clBtnFace);
    a.SetStyle(TBrushStyle::bsClear);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(a);
    EXPECT_EQ(b.Color(), clBtnFace);
    EXPECT_EQ(b.Style(), TBrushStyle::bsClear);
    b.Assign(a);
    EXPECT_EQ(changes, 1);

    TPen p, q;
    p.SetColor(TColor(kRed));
    p.SetWidth(3);
    p.SetStyle(TPenStyle::psDot);
    q.Assign(p);
    EXPECT_EQ(q.Color(), TColor(kRed));
    EXPECT_EQ(q.Width(), 3);
    EXPECT_EQ(q.Style(), TPenStyle::psDot);
    LOGPEN lp{};
    ASSERT_EQ(::GetObjectW(q.Handle(), sizeof lp, &lp), int(sizeof lp));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, kRed);
    EXPECT_THROW(q.Assign(a), EConvertError);
}

}  // namespace
