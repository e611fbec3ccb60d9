// Status bars: part edges from the panels' widths, texts shown at once, the
// owner-drawn panel painted through OnDrawPanel.
#include <gtest/gtest.h>

#include "platform/win/StatusBar.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kStatusForm = R"(object StatusForm: TForm
  Left = 30
  Top = 30
  Width = 646
  Height = 500
  Font.Height = -11
  Font.Name = 'Tahoma'
  object StatusBar: TStatusBar
    Left = 0
    Top = 454
    Width = 638
    Height = 19
    Panels = <
      item
        Text = 'Počet písem:'
        Width = 100
      end
      item
        Style = psOwnerDraw
        Width = 100
      end
      item
        Width = 50
      end>
  end
end
)";

std::vector<int> Parts(HWND bar) {
    int edges[8] = {};
    const int n = int(::SendMessageW(bar, SB_GETPARTS, 8, LPARAM(edges)));
    return std::vector<int>(edges, edges + n);
}

std::wstring PartText(HWND bar, int index) {
    wchar_t buffer[256] = {};
    ::SendMessageW(bar, SB_GETTEXTW, WPARAM(index), LPARAM(buffer));
    return buffer;
}

class StatusBarTest : public testing::Test {
protected:
    TShownForm form{kStatusForm};
    TStatusBar* bar = form.Find<TStatusBar>("StatusBar");
};

TEST_F(StatusBarTest, PanelsGiveThePartEdgesAndTheLastReachesTheEnd) {
    HWND w = bar->WindowHandle();
    EXPECT_EQ(Parts(w), (std::vector<int>{100, 200, -1}));
    EXPECT_EQ(PartText(w, 0), L"Počet písem:");
    bar->Panels()->Items(0)->SetWidth(120);
    EXPECT_EQ(Parts(w), (std::vector<int>{120, 220, -1}));
    bar->Panels()->Add()->SetWidth(30);
    EXPECT_EQ(Parts(w), (std::vector<int>{120, 220, 270, -1}));
}

TEST_F(StatusBarTest, TheBarKeepsItsHeightDockedAtTheBottom) {
    RECT client{};
    ::GetClientRect(form->WindowHandle(), &client);
    EXPECT_EQ(Bounds(bar->WindowHandle()), (std::vector<LONG>{0, client.bottom - 19, client.right, 19}));
    form->SetBounds(30, 30, 500, 400);
    Pump();
    ::GetClientRect(form->WindowHandle(), &client);
    EXPECT_EQ(Bounds(bar->WindowHandle()), (std::vector<LONG>{0, client.bottom - 19, client.right, 19}));
    EXPECT_TRUE(::GetWindowLongW(bar->WindowHandle(), GWL_STYLE) & SBARS_SIZEGRIP);
}

TEST_F(StatusBarTest, APanelsNewTextShowsAtOnce) {
    HWND w = bar->WindowHandle();
    ::UpdateWindow(w);
    bar->SetPanelText(2, "Tahoma");
    EXPECT_EQ(PartText(w, 2), L"Tahoma");
    EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
    bar->Panels()->Items(0)->SetText("Počet písem: 150");
    EXPECT_EQ(PartText(w, 0), L"Počet písem: 150");
    EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
}

TEST_F(StatusBarTest, TheOwnerDrawnPanelIsPaintedByOnDrawPanelWithItsRect) {
    struct Drawn {
        TStatusBar* bar;
        int panel;
        TRect rect;
        bool canvasReady;
    };
    std::vector<Drawn> drawn;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
        drawn.push_back({sender, panel->Index(), rect, sender->Canvas()->HandleAllocated()});
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(rect);
    };
    bar->Repaint();
    RECT part{};
    ::SendMessageW(bar->WindowHandle(), SB_GETRECT, 1, LPARAM(&part));
    ASSERT_FALSE(drawn.empty());
    for (const Drawn& d : drawn) {
        EXPECT_EQ(d.bar, bar);
        EXPECT_EQ(d.panel, 1);
        EXPECT_TRUE(d.canvasReady);
    }
    const TRect& r = drawn.back().rect;
    EXPECT_EQ(r, (TRect{part.left, part.top, part.right, part.bottom}))
        << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(r.right, 200);
    EXPECT_EQ(PixelOf(bar->WindowHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2), COLORREF(clRed));
    EXPECT_NE(PixelOf(bar->WindowHandle(), 50, (r.top + r.bottom) / 2), COLORREF(clRed));
    EXPECT_FALSE(bar->Canvas()->HandleAllocated());
}

TEST_F(StatusBarTest, RepaintPanelRedrawsOnlyThatPanelAtOnce) {
    std::vector<TRect> rects;
    TColor fill = clRed;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel*, const TRect& rect) {
        rects.push_back(rect);
        sender->Canvas()->Brush()->SetColor(fill);
        sender->Canvas()->FillRect(rect);
    };
    HWND w = bar->WindowHandle();
    // With a paint pending the bar paints; otherwise the panel is drawn
    // straight onto it. Either way: the same rect, the same pixels, now.
    struct TCase {
        bool pending;
        TColor colour;
    };
    for (const TCase c : {TCase{true, clLime}, TCase{false, clBlue}}) {
        SCOPED_TRACE(c.pending);
        if (c.pending) ::InvalidateRect(w, nullptr, TRUE);
        rects.clear();
        fill = c.colour;
        bar->RepaintPanel(1);
        ASSERT_FALSE(rects.empty());
        RECT part{};
        ::SendMessageW(w, SB_GETRECT, 1, LPARAM(&part));
        EXPECT_EQ(rects.back(), (TRect{part.left, part.top, part.right, part.bottom}));
        const int y = (part.top + part.bottom) / 2;
        EXPECT_EQ(PixelOf(w, (part.left + part.right) / 2, y), COLORREF(c.colour));
        EXPECT_NE(PixelOf(w, 50, y), COLORREF(c.colour));
        EXPECT_FALSE(::GetUpdateRect(w, nullptr, FALSE));
        EXPECT_FALSE(bar->Canvas()->HandleAllocated());
    }
    // A panel that is not owner-drawn, or one that does not exist.
    rects.clear();
    bar->RepaintPanel(0);
    bar->RepaintPanel(7);
    bar->RepaintPanel(-1);
    EXPECT_TRUE(rects.empty());
    EXPECT_EQ(PartText(w, 0), L"Počet písem:");
}

TEST_F(StatusBarTest, WithoutTheSizeGripTheBarHasNone) {
    bar->SetSizeGrip(false);
    ASSERT_TRUE(bar->HandleAllocated());
    EXPECT_FALSE(::GetWindowLongW(bar->WindowHandle(), GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(Parts(bar->WindowHandle()), (std::vector<int>{100, 200, -1}));
    EXPECT_EQ(bar->Height(), 19);
}

}  // namespace
