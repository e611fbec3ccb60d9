// Bevels: which edge carries the line, sunken or raised, and no input.
#include <gtest/gtest.h>

#include "platform/win/Bevel.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kBevelForm = R"(object BevelForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 120
  object Bevel1: TBevel
    Left = 144
    Top = 2
    Width = 9
    Height = 24
    Shape = bsLeftLine
  end
end
)";

TEST(BevelTest, TheLineLiesAlongItsEdgeAndTheRestIsFace) {
    TShownForm form{kBevelForm};
    auto* bevel = form.Find<TBevel>("Bevel1");
    HWND w = bevel->WindowHandle();
    EXPECT_EQ(Bounds(w), (std::vector<LONG>{144, 2, 9, 24}));
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   face = ::GetSysColor(COLOR_BTNFACE);
    struct Probe {
        int x, y;
        COLORREF color;
    };
    const struct {
        TBevelShape shape;
        TBevelStyle style;
        std::vector<Probe> probes;
    } cases[] = {
        {TBevelShape::bsLeftLine, TBevelStyle::bsLowered, {{0, 12, shadow}, {1, 12, light}, {4, 12, face}, {8, 12, face}}},
        {TBevelShape::bsLeftLine, TBevelStyle::bsRaised, {{0, 12, light}, {1, 12, shadow}, {4, 12, face}}},
        {TBevelShape::bsRightLine, TBevelStyle::bsLowered, {{7, 12, shadow}, {8, 12, light}, {0, 12, face}}},
        {TBevelShape::bsTopLine, TBevelStyle::bsLowered, {{4, 0, shadow}, {4, 1, light}, {4, 12, face}}},
        {TBevelShape::bsSpacer, TBevelStyle::bsLowered, {{0, 12, face}, {8, 12, face}}},
    };
    for (const auto& c : cases) {
        bevel->SetShape(c.shape);
        bevel->SetStyle(c.style);
        for (const Probe& p : c.probes)
            EXPECT_EQ(PixelOf(w, p.x, p.y), p.color) << int(c.shape) << "/" << int(c.style) << " at " << p.x << "," << p.y;
    }
    EXPECT_EQ(::SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(150, 40)), HTTRANSPARENT);
}

}  // namespace
