// Labels and bevels let the pointer through their windows; their parent
// hands them the mouse: their own mouse moves, clicks and pointer apply over
// them, the parent's do not.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Bevel.h"
#include "platform/win/Image.h"
#include "platform/win/Label.h"
#include "platform/win/Panel.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kRoutingForm = R"(object RoutingForm: TForm
  Left = 30
  Top = 30
  Width = 320
  Height = 160
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 100
    BevelOuter = bvNone
    object Link: TLabel
      Left = 20
      Top = 10
      Cursor = crHandPoint
      Caption = 'link text'
    end
    object Plain: TLabel
      Left = 20
      Top = 40
      Caption = 'plain text'
    end
    object Line: TBevel
      Left = 0
      Top = 70
      Width = 300
      Height = 10
      Shape = bsBottomLine
    end
  end
end
)";

struct TRoutingFixture {
    TShownForm form{kRoutingForm};
    TPanel* panel = form.Find<TPanel>("Panel1");
    TLabel* link = form.Find<TLabel>("Link");
    TLabel* plain = form.Find<TLabel>("Plain");
    TBevel* line = form.Find<TBevel>("Line");
    std::vector<std::string> moves;
    int clicks = 0;

    TRoutingFixture() {
        for (TControl* c : std::initializer_list<TControl*>{panel, link, line})
            c->OnMouseMove = [this, c](TObject* sender, TShiftState, int x, int y) {
                moves.push_back(c->Name() + (sender == c ? "" : "?") + " " + std::to_string(x) + "," + std::to_string(y));
            };
        link->OnClick = [this](TObject*) { ++clicks; };
    }
    // Where the system sends mouse input over a control that lets it
    // through: to the parent's window, at the parent's client point.
    void Post(UINT msg, int x, int y, WPARAM keys = 0) {
        ::PostMessageW(panel->WindowHandle(), msg, keys, MAKELPARAM(x, y));
        Pump();
    }
};

TEST(MouseRouting, LabelsAndBevelsLetThePointerThroughAndTheParentHandsThemTheMouse) {
    TRoutingFixture f;
    HWND panel = f.panel->WindowHandle();
    EXPECT_EQ(::SendMessageW(f.link->WindowHandle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_EQ(::SendMessageW(f.line->WindowHandle(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    ASSERT_NE(panel, nullptr);
    f.Post(WM_MOUSEMOVE, 25, 15);   // over the link
    f.Post(WM_MOUSEMOVE, 250, 15);  // the panel's own area
    f.Post(WM_MOUSEMOVE, 100, 75);  // over the bevel
    f.Post(WM_MOUSEMOVE, 22, 45);   // over the plain label, which has no handler
    EXPECT_EQ(f.moves, (std::vector<std::string>{"Link 5,5", "Panel1 250,15", "Line 100,5"}));

    // A hidden or disabled label lets the parent have the mouse.
    f.moves.clear();
    f.link->SetEnabled(false);
    f.Post(WM_MOUSEMOVE, 25, 15);
    f.link->SetEnabled(true);
    f.link->Hide();
    f.Post(WM_MOUSEMOVE, 26, 15);
    f.link->Show();
    EXPECT_EQ(f.moves, (std::vector<std::string>{"Panel1 25,15", "Panel1 26,15"}));
}

TEST(MouseRouting, ALabelIsClickedByAPressAndReleaseOverIt) {
    TRoutingFixture f;
    const struct {
        const char* name;
        POINT down, up;
        int clicks;
    } cases[] = {
        {"on the label", {25, 15}, {30, 16}, 1},
        {"released elsewhere", {25, 15}, {250, 15}, 0},
        {"pressed elsewhere", {250, 15}, {25, 15}, 0},
        {"pressed on another label", {22, 45}, {25, 15}, 0},
    };
    for (const auto& c : cases) {
        f.clicks = 0;
        f.Post(WM_LBUTTONDOWN, c.down.x, c.down.y, MK_LBUTTON);
        f.Post(WM_LBUTTONUP, c.up.x, c.up.y);
        EXPECT_EQ(f.clicks, c.clicks) << c.name;
        EXPECT_EQ(::GetCapture(), nullptr) << c.name;
    }
}

TEST(MouseRouting, TheLabelsPointerShowsOverIt) {
    TRoutingFixture f;
    HWND panel = f.panel->WindowHandle();
    const HICON hand = ::LoadCursorW(nullptr, IDC_HAND), arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    auto pointerAt = [&](int x, int y) {
        POINT p{x, y};
        ::ClientToScreen(panel, &p);
        ::SetCursorPos(p.x, p.y);
        ::SetCursor(nullptr);
        ::SendMessageW(panel, WM_SETCURSOR, WPARAM(panel), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return ::GetCursor();
    };
    EXPECT_EQ(pointerAt(25, 15), hand);
    EXPECT_EQ(pointerAt(22, 45), arrow);  // crDefault: the window's own
    EXPECT_EQ(pointerAt(250, 15), arrow);
    f.panel->SetCursor(crCross);
    EXPECT_EQ(pointerAt(250, 15), ::LoadCursorW(nullptr, IDC_CROSS));
    EXPECT_EQ(pointerAt(22, 45), ::LoadCursorW(nullptr, IDC_CROSS));  // the label leaves it to the panel
    EXPECT_EQ(pointerAt(25, 15), hand);
}

TEST(MouseRouting, AnImageShowsACopyOfItsIconAtItsOwnSize) {
    TShownForm form{R"(object ImageForm: TForm
  Left = 30
  Top = 30
  Width = 200
  Height = 150
  Color = clWhite
  object Image1: TImage
    Left = 10
    Top = 10
    Width = 60
    Height = 50
  end
end
)"};
    auto* image = form.Find<TImage>("Image1");
    HICON shared = ::LoadIconW(nullptr, IDI_APPLICATION);
    image->SetIcon(shared);
    ASSERT_NE(image->Icon(), nullptr);
    EXPECT_NE(image->Icon(), shared);
    EXPECT_EQ(image->IconWidth(), ::GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(image->IconHeight(), ::GetSystemMetrics(SM_CYICON));
    HWND w = image->WindowHandle();
    const int iw = image->IconWidth(), ih = image->IconHeight();
    auto nonWhiteBox = [&] {
        RECT box{1000, 1000, -1, -1};
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x)
                if (PixelOf(w, x, y) != RGB(255, 255, 255)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    };
    // Top-left, unscaled: what is drawn lies within the icon's own square;
    // the rest is the parent's colour.
    RECT drawn = nonWhiteBox();
    EXPECT_LT(drawn.left, drawn.right);
    EXPECT_GE(drawn.left, 0);
    EXPECT_LE(drawn.right, iw);
    EXPECT_LE(drawn.bottom, ih);
    image->SetCenter(true);
    RECT centred = nonWhiteBox();
    EXPECT_EQ(centred.left - drawn.left, (60 - iw) / 2);
    EXPECT_EQ(centred.top - drawn.top, (50 - ih) / 2);
    image->SetIcon(nullptr);
    EXPECT_EQ(image->Icon(), nullptr);
    EXPECT_EQ(nonWhiteBox().right, -1);
}

}  // namespace
