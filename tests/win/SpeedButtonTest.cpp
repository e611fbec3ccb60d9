// Speed buttons: toggles and groups, clicks and mouse-up events from every
// button, the glyph drawn without its bottom-left colour, the flat frame,
// and the window text that screen readers see.
#include <gtest/gtest.h>

#include <cctype>

#include "platform/core/Filer.h"
#include "platform/win/Bitmap.h"
#include "platform/win/Panel.h"
#include "platform/win/SpeedButton.h"
#include "tests/win/ControlTestUtil.h"

namespace {

// The bold button's glyph of the main window: a black "B" on olive.
const char* const kBoldGlyph = R"(
        424DF60000000000000076000000280000001000000010000000010004000000
        000080000000C40E0000C40E0000100000001000000000000000000080000080
        000000808000800000008000800080800000C0C0C000808080000000FF0000FF
        000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0033333333333333333333
        3333333333333330000000003333333300033000033333330003330000333333
        0003330000333333000333000033333300033000033333330000000333333333
        0003300033333333000333000333333300033300033333330003300033333330
        00000003333333333333333333333333333333333333})";

std::string ButtonForm() {
    return std::string(R"(object SpeedForm: TForm
  Left = 30
  Top = 30
  Width = 420
  Height = 160
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Toolbar: TPanel
    Left = 0
    Top = 0
    Width = 412
    Height = 28
    Align = alTop
    BevelInner = bvRaised
    BevelOuter = bvLowered
    object BoldBtn: TSpeedButton
      Left = 3
      Top = 3
      Width = 23
      Height = 22
      Hint = 'Tučné'
      AllowAllUp = True
      GroupIndex = 1
      Flat = True
      Glyph.Data = {)") +
           kBoldGlyph + R"(
    end
    object PrintBtn: TSpeedButton
      Left = 230
      Top = 3
      Width = 73
      Height = 22
      Hint = 'Vytiskne seznam písem'
      Caption = 'Tisk'
      Flat = True
    end
    object LeftBtn: TSpeedButton
      Left = 310
      Top = 3
      GroupIndex = 5
      Caption = 'L'
    end
    object RightBtn: TSpeedButton
      Left = 340
      Top = 3
      GroupIndex = 5
      Down = True
      Caption = 'R'
    end
  end
  object Edit: TTestEdit
    Left = 8
    Top = 60
    TabOrder = 0
  end
end
)";
}

struct MouseUp {
    TMouseButton button;
    int x, y;
    friend bool operator==(const MouseUp&, const MouseUp&) = default;
};

class SpeedButtonTest : public testing::Test {
protected:
    static void SetUpTestSuite() { classes::Register(TTestEdit::StaticClass()); }

    SpeedButtonTest() {
        for (TSpeedButton* b : {bold, print, leftBtn, rightBtn})
            b->OnClick = [this](TObject* sender) {
                auto* b = static_cast<TSpeedButton*>(sender);
                clicks.push_back(b->Name() + (b->Down() ? " down" : " up"));
            };
        print->OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
            ups.push_back({button, x, y});
        };
    }

    void Click(TSpeedButton* b) { ClickAt(b->WindowHandle(), 5, 5); }

    // The pixel at (x, y) of the button, read from the screen.
    COLORREF Pixel(TSpeedButton* b, int x, int y) { return PixelOf(b->WindowHandle(), x, y); }

    TShownForm form{ButtonForm()};
    TSpeedButton* bold = form.Find<TSpeedButton>("BoldBtn");
    TSpeedButton* print = form.Find<TSpeedButton>("PrintBtn");
    TSpeedButton* leftBtn = form.Find<TSpeedButton>("LeftBtn");
    TSpeedButton* rightBtn = form.Find<TSpeedButton>("RightBtn");
    std::vector<std::string> clicks;
    std::vector<MouseUp> ups;
};

TEST_F(SpeedButtonTest, AToggleThatMayBeReleasedGoesDownAndUpAndOnClickSeesIt) {
    EXPECT_FALSE(bold->Down());
    Click(bold);
    EXPECT_TRUE(bold->Down());
    Click(bold);
    EXPECT_FALSE(bold->Down());
    Click(bold);
    EXPECT_EQ(clicks, (std::vector<std::string>{"BoldBtn down", "BoldBtn up", "BoldBtn down"}));
    // Set from code (as settings restore it): no click.
    bold->SetDown(false);
    EXPECT_FALSE(bold->Down());
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(SpeedButtonTest, AGroupWithoutAllowAllUpKeepsOneDown) {
    EXPECT_TRUE(rightBtn->Down());
    Click(leftBtn);
    EXPECT_TRUE(leftBtn->Down());
    EXPECT_FALSE(rightBtn->Down());
    Click(leftBtn);  // the down button cannot be let up
    EXPECT_TRUE(leftBtn->Down());
    leftBtn->SetDown(false);
    EXPECT_TRUE(leftBtn->Down());
    rightBtn->SetDown(true);
    EXPECT_FALSE(leftBtn->Down());
    EXPECT_EQ(clicks, (std::vector<std::string>{"LeftBtn down", "LeftBtn down"}));
}

TEST_F(SpeedButtonTest, APlainButtonClicksAndNeverStaysDown) {
    Click(print);
    print->SetDown(true);
    EXPECT_FALSE(print->Down());
    EXPECT_EQ(clicks, std::vector<std::string>{"PrintBtn up"});
    // Pressed, dragged off and released outside: no click, no mouse-up.
    HWND w = print->WindowHandle();
    ::PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
    ::PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    Pump();
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_EQ(ups.size(), 1u);
}

TEST_F(SpeedButtonTest, OnMouseUpRunsForEveryButtonReleasedOverIt) {
    HWND w = print->WindowHandle();
    const struct {
        UINT down, up;
        WPARAM held;
        TMouseButton button;
    } cases[] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, TMouseButton::mbLeft},
        {WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, TMouseButton::mbRight},
        {WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, TMouseButton::mbMiddle},
    };
    std::vector<MouseUp> expected;
    for (const auto& c : cases) {
        ::PostMessageW(w, c.down, c.held, MAKELPARAM(7, 9));
        ::PostMessageW(w, c.up, 0, MAKELPARAM(7, 9));
        Pump();
        expected.push_back({c.button, 7, 9});
    }
    EXPECT_EQ(ups, expected);
    // Only the left button clicks.
    EXPECT_EQ(clicks, std::vector<std::string>{"PrintBtn up"});
}

TEST_F(SpeedButtonTest, TheGlyphLeavesOutItsBottomLeftColour) {
    // The same image, read on its own: what each glyph pixel must show.
    TBitmap glyph;
    std::vector<uint8_t> bytes;
    std::string hex;
    for (const char* p = kBoldGlyph; *p; ++p)
        if (std::isxdigit(static_cast<unsigned char>(*p))) hex += *p;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    glyph.LoadFromBmpBytes(bytes);
    ASSERT_EQ(bold->Glyph()->Width(), 16);
    ASSERT_EQ(bold->Glyph()->Height(), 16);
    const COLORREF olive = RGB(0x80, 0x80, 0x00);
    ASSERT_EQ(ColorToRGB(glyph.Canvas()->Pixel(0, 15)), TColor(olive));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    // Centred on the 23 x 22 button: at (3, 3).
    int black = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const COLORREF source = COLORREF(ColorToRGB(glyph.Canvas()->Pixel(x, y)));
            const COLORREF want = source == olive ? face : source;
            black += source == RGB(0, 0, 0);
            ASSERT_EQ(Pixel(bold, 3 + x, 3 + y), want) << x << "," << y;
        }
    EXPECT_GT(black, 20);
}

TEST_F(SpeedButtonTest, AFlatButtonShowsAFrameOnlyWhileDown) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Pixel(bold, 0, 0), face);
    EXPECT_EQ(Pixel(bold, 22, 21), face);
    bold->SetDown(true);
    Pump();
    EXPECT_EQ(Pixel(bold, 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(bold, 22, 21), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(Pixel(bold, 1, 1), face);  // the face of a latched button is lighter
    // A button that is not flat always has its frame.
    EXPECT_NE(Pixel(leftBtn, 0, 0), face);
}

TEST_F(SpeedButtonTest, WindowTextIsTheCaptionOrElseTheHint) {
    EXPECT_EQ(WideText(bold->WindowHandle()), L"Tučné");
    EXPECT_EQ(WideText(print->WindowHandle()), L"Tisk");
    bold->SetHint("Bold");
    EXPECT_EQ(WideText(bold->WindowHandle()), L"Bold");
    print->SetCaption("");
    EXPECT_EQ(WideText(print->WindowHandle()), L"Vytiskne seznam písem");
    print->SetCaption("Print");
    print->SetHint("other");
    EXPECT_EQ(WideText(print->WindowHandle()), L"Print");
}

TEST_F(SpeedButtonTest, TakesNoFocus) {
    auto* edit = form.Find<TTestEdit>("Edit");
    edit->SetFocus();
    Click(bold);
    EXPECT_EQ(::GetFocus(), edit->WindowHandle());
    EXPECT_EQ(::GetWindowLongW(bold->WindowHandle(), GWL_STYLE) & WS_TABSTOP, 0);
    ::SetFocus(bold->WindowHandle());
    Pump();
    EXPECT_EQ(::GetFocus(), edit->WindowHandle());
}

TEST_F(SpeedButtonTest, FormFilesKeepGroupsAndGlyph) {
    TMemoryStream stream;
    TWriter(stream).WriteRootComponent(*form.Get());
    const std::string text = ObjectBinaryToText(stream.Bytes());
    EXPECT_NE(text.find("AllowAllUp = True\n      GroupIndex = 1"), std::string::npos) << text;
    EXPECT_NE(text.find("Glyph.Data = {"), std::string::npos);
    EXPECT_EQ(text.find("Spacing"), std::string::npos);  // defaults are not written
}

}  // namespace
