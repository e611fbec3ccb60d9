// Labels: size after the caption in their font, background of their parent.
#include <gtest/gtest.h>

#include "platform/win/Label.h"
#include "platform/win/Panel.h"
#include "platform/win/WinText.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kLabelForm = R"(object LabelForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 150
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 280
    Height = 73
    BevelOuter = bvNone
    Color = clWindow
    object Label1: TLabel
      Left = 64
      Top = 8
      Caption = 'Dec:'
    end
    object DecLabel: TLabel
      Left = 96
      Top = 8
      Caption = '000'
    end
    object RedLabel: TLabel
      Left = 150
      Top = 8
      Width = 40
      Height = 20
      AutoSize = False
      Caption = 'x'
      Color = clRed
    end
  end
end
)";

// The extent of a text in a font made here, independently of the label.
SIZE TextSize(const wchar_t* text, int height, const wchar_t* face) {
    HFONT font = ::CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, int(wcslen(text)), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(font);
    return size;
}

class LabelTest : public testing::Test {
protected:
    TShownForm form{kLabelForm};
    TLabel* dec = form.Find<TLabel>("DecLabel");
};

TEST_F(LabelTest, AutoSizeFollowsTheCaptionInTheLabelsFont) {
    for (const wchar_t* caption : {L"000", L"255", L"32"}) {
        dec->SetCaption(Utf8(caption));
        const SIZE expected = TextSize(caption, -11, L"Tahoma");
        EXPECT_EQ(Bounds(dec->WindowHandle()), (std::vector<LONG>{96, 8, expected.cx, expected.cy})) << caption;
    }
    // One line of 8-point Tahoma.
    EXPECT_EQ(dec->Height(), 13);

    form->Font()->SetHeight(-16);
    const SIZE larger = TextSize(L"32", -16, L"Tahoma");
    EXPECT_EQ(Bounds(dec->WindowHandle()), (std::vector<LONG>{96, 8, larger.cx, larger.cy}));

    TLabel* fixed = form.Find<TLabel>("RedLabel");
    fixed->SetCaption("a much longer caption");
    EXPECT_EQ(Bounds(fixed->WindowHandle()), (std::vector<LONG>{150, 8, 40, 20}));
}

TEST_F(LabelTest, TheWindowTextIsTheCaption) {
    EXPECT_EQ(WideText(form.Find<TLabel>("Label1")->WindowHandle()), L"Dec:");
    dec->SetCaption("FF");
    EXPECT_EQ(WideText(dec->WindowHandle()), L"FF");
}

TEST_F(LabelTest, TheBackgroundIsTheParentsColourUnlessTheLabelHasItsOwn) {
    // The right-most column of "000" is clear of the glyphs.
    HWND w = dec->WindowHandle();
    EXPECT_EQ(PixelOf(w, dec->Width() - 1, 0), ::GetSysColor(COLOR_WINDOW));
    form.Find<TPanel>("Panel2")->SetColor(clYellow);
    ::InvalidateRect(w, nullptr, TRUE);
    EXPECT_EQ(PixelOf(w, dec->Width() - 1, 0), COLORREF(clYellow));
    EXPECT_EQ(PixelOf(form.Find<TLabel>("RedLabel")->WindowHandle(), 39, 19), COLORREF(clRed));
    EXPECT_FALSE(form.Find<TLabel>("RedLabel")->ParentColor());
}

}  // namespace
