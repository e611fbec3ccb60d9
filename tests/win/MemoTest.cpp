// Multi-line edits: the lines as a view of the window's text, and which keys
// the memo keeps for itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/Button.h"
#include "platform/win/Memo.h"
#include "platform/win/WinText.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kMemoForm = R"(object MemoForm: TForm
  Left = 30
  Top = 30
  Width = 320
  Height = 240
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Page: TPanel
    Left = 0
    Top = 0
    Width = 210
    Height = 110
    BevelOuter = bvNone
    TabOrder = 0
    object TestMemo: TMemo
      Left = 0
      Top = 0
      Width = 200
      Height = 100
      Lines.Strings = (
        '(sem napište jakýkoliv text)'
        'second')
      ScrollBars = ssVertical
      TabOrder = 0
    end
  end
  object After: TEdit
    Left = 8
    Top = 120
    TabOrder = 1
  end
  object OkBtn: TButton
    Left = 150
    Top = 120
    Caption = 'OK'
    Default = True
    TabOrder = 2
  end
end
)";

class MemoTest : public testing::Test {
protected:
    void SetUp() override {
        ok->OnClick = [this](TObject*) { ++clicks; };
    }

    TShownForm form{kMemoForm};
    TMemo* memo = form.Find<TMemo>("TestMemo");
    TEdit* after = form.Find<TEdit>("After");
    TButton* ok = form.Find<TButton>("OkBtn");
    int clicks = 0;
};

TEST_F(MemoTest, LinesOfTheFormFileAreTheWindowText) {
    HWND w = memo->WindowHandle();
    EXPECT_EQ(WideText(w), L"(sem napište jakýkoliv text)\r\nsecond");
    EXPECT_EQ(memo->Text(), "(sem napište jakýkoliv text)\r\nsecond");
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(1), "second");
    const LONG style = ::GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);
    // Wrapped lines: no sideways scrolling.
    EXPECT_FALSE(style & ES_AUTOHSCROLL);
}

TEST_F(MemoTest, LinesReadAndWriteTheWindowText) {
    HWND w = memo->WindowHandle();
    ::SetWindowTextW(w, L"a\r\nb\nc");
    TStrings* lines = memo->Lines();
    ASSERT_EQ(lines->Count(), 3);
    EXPECT_EQ(lines->Get(2), "c");
    lines->Add("d");
    EXPECT_EQ(WideText(w), L"a\r\nb\r\nc\r\nd");
    lines->Delete(0);
    lines->Insert(1, "x");
    EXPECT_EQ(WideText(w), L"b\r\nx\r\nc\r\nd");
    EXPECT_THROW(lines->Get(4), EListError);
    lines->Clear();
    EXPECT_EQ(WideText(w), L"");
    EXPECT_EQ(lines->Count(), 0);
}

TEST_F(MemoTest, LinesWithoutAWindowGoToTheWindowWhenItIsMade) {
    TMemo* loose = TComponent::Create<TMemo>(form.Get());
    loose->Lines()->Add("x");
    loose->Lines()->Add("y");
    EXPECT_EQ(loose->Text(), "x\r\ny");
    EXPECT_FALSE(loose->HandleAllocated());
    loose->SetParent(form.Get());
    ASSERT_TRUE(loose->HandleAllocated());
    EXPECT_EQ(WideText(loose->WindowHandle()), L"x\r\ny");
}

TEST_F(MemoTest, EnterStartsALineInTheMemoAndClicksTheDefaultButtonElsewhere) {
    memo->SetFocus();
    ::SendMessageW(memo->WindowHandle(), EM_SETSEL, 0, 0);
    PressKey(VK_RETURN);
    EXPECT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Get(0), "");
    EXPECT_EQ(clicks, 0);

    after->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1);
}

TEST_F(MemoTest, TabLeavesTheMemoUnlessTheMemoWantsTabs) {
    const std::string before = memo->Text();
    memo->SetFocus();
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), after->WindowHandle());
    EXPECT_EQ(memo->Text(), before);

    memo->SetWantTabs(true);
    memo->SetFocus();
    ::SendMessageW(memo->WindowHandle(), EM_SETSEL, 0, 0);
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), memo->WindowHandle());
    EXPECT_EQ(memo->Text(), "\t" + before);
}

TEST_F(MemoTest, EscapeLeavesTheMemoAndItsParentAlone) {
    // A multi-line edit left to itself closes its parent window on Esc.
    HWND page = memo->Parent()->WindowHandle();
    memo->SetFocus();
    PressKey(VK_ESCAPE);
    Pump();
    EXPECT_TRUE(::IsWindow(page));
    EXPECT_TRUE(::IsWindow(memo->WindowHandle()));
}

TEST_F(MemoTest, NewScrollBarsAndWrappingKeepTheText) {
    const std::string before = memo->Text();
    memo->SetWordWrap(false);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    const LONG style = ::GetWindowLongW(memo->WindowHandle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_HSCROLL);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_EQ(memo->Text(), before);
}

bool Wraps(const TMemo* memo) {
    return (::GetWindowLongW(memo->WindowHandle(), GWL_STYLE) & ES_AUTOHSCROLL) == 0;
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(data);
    ::SetClipboardData(CF_UNICODETEXT, data);
    ::CloseClipboard();
}

TEST_F(MemoTest, ALineLongerThanTheLimitIsShownUnwrappedUntilNoLineIsThatLong) {
    const std::string longest(size_t(TMemo::kLongLine), 'a');
    struct TCase {
        std::string text;
        bool wraps;
    } const cases[] = {
        {longest + "\r\n" + longest, true},
        {longest + "a", false},
        {"x\r\n" + longest + "a\r\ny", false},
        {"short", true},
    };
    for (const TCase& c : cases) {
        memo->SetText(c.text);
        EXPECT_EQ(Wraps(memo), c.wraps) << c.text.size();
        EXPECT_TRUE(memo->Text() == c.text);
    }

    // Typed: one more character than the limit unwraps, deleting it wraps again.
    memo->SetText(longest);
    memo->SetFocus();
    ::SendMessageW(memo->WindowHandle(), EM_SETSEL, WPARAM(longest.size()), LPARAM(longest.size()));
    Type(L"b");
    EXPECT_FALSE(Wraps(memo));
    EXPECT_EQ(memo->Text(), longest + "b");
    EXPECT_EQ(memo->SelStart(), int(longest.size()) + 1);
    PressKey(VK_BACK);
    EXPECT_TRUE(Wraps(memo));
    EXPECT_EQ(memo->Text(), longest);

    // Pasted: the memo is unwrapped before the paste is laid out.
    memo->SetText("ab");
    ::SendMessageW(memo->WindowHandle(), EM_SETSEL, 1, 1);
    PutOnClipboard(memo->WindowHandle(), std::wstring(size_t(TMemo::kLongLine), L'p'));
    ::SendMessageW(memo->WindowHandle(), WM_PASTE, 0, 0);
    Pump();
    EXPECT_FALSE(Wraps(memo));
    EXPECT_EQ(memo->Text(), "a" + std::string(size_t(TMemo::kLongLine), 'p') + "b");
}

}  // namespace

// The line height that raw GDI gives the font the window answers WM_GETFONT
// with, and the distance the window itself puts between its first two lines.
struct TFontSeen {
    std::wstring face;
    LONG height = 0;
    LONG weight = 0;
    BYTE italic = 0;
    int metricLine = 0;  // tmHeight of that font, measured by GDI
    int windowLine = 0;  // y of the second line minus y of the first
};

TFontSeen SeenFont(HWND memo) {
    TFontSeen seen;
    auto font = reinterpret_cast<HFONT>(::SendMessageW(memo, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    seen.face = lf.lfFaceName;
    seen.height = lf.lfHeight;
    seen.weight = lf.lfWeight;
    seen.italic = lf.lfItalic;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    seen.metricLine = tm.tmHeight;
    const auto second = ::SendMessageW(memo, EM_LINEINDEX, 1, 0);
    const auto first = ::SendMessageW(memo, EM_POSFROMCHAR, 0, 0);
    const auto next = ::SendMessageW(memo, EM_POSFROMCHAR, WPARAM(second), 0);
    seen.windowLine = short(HIWORD(next)) - short(HIWORD(first));
    return seen;
}

TEST_F(MemoTest, ANewFontIsTheWindowsFontForEveryMessageAndPaintAfterTheChange) {
    HWND w = memo->WindowHandle();
    Pump();
    const TFontSeen before = SeenFont(w);
    ASSERT_EQ(before.face, L"Tahoma");
    ASSERT_EQ(before.windowLine, before.metricLine);

    struct TCase {
        const char* name;
        int size;
        TFontStyles style;
    } const cases[] = {
        {"Liberation Serif", 8, {}},
        {"Liberation Serif", 30, {}},
        {"Liberation Mono", 30, {TFontStyle::fsBold, TFontStyle::fsItalic}},
        {"Tahoma", 72, {TFontStyle::fsUnderline}},
    };
    for (const TCase& c : cases) {
        TFont* font = memo->Font();
        // Several changes in a row, as a view taking a family makes them.
        font->SetName(c.name);
        font->SetSize(c.size);
        font->SetStyle(c.style);
        // Asked before any paint: the window already answers with the font.
        const TFontSeen seen = SeenFont(w);
        EXPECT_EQ(seen.face, Wide(c.name)) << c.name << ' ' << c.size;
        EXPECT_EQ(seen.height, -::MulDiv(c.size, TFont::ScreenPixelsPerInch(), 72)) << c.name << ' ' << c.size;
        EXPECT_EQ(seen.weight, c.style.Has(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(seen.italic != 0, c.style.Has(TFontStyle::fsItalic));
        // The window laid its lines out in it, not in the font before.
        EXPECT_EQ(seen.windowLine, seen.metricLine) << c.name << ' ' << c.size;
    }
    // Taking a font repaints: what the memo shows is in the new font.
    RECT dirty{};
    EXPECT_TRUE(::GetUpdateRect(w, &dirty, FALSE));
    ::UpdateWindow(w);
    EXPECT_FALSE(::GetUpdateRect(w, &dirty, FALSE));

    // A window made again right after a change has the new font too.
    memo->Font()->SetName("Liberation Sans");
    memo->Font()->SetSize(20);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    ASSERT_TRUE(memo->HandleAllocated());
    const TFontSeen remade = SeenFont(memo->WindowHandle());
    EXPECT_EQ(remade.face, L"Liberation Sans");
    EXPECT_EQ(remade.height, -::MulDiv(20, TFont::ScreenPixelsPerInch(), 72));
    EXPECT_EQ(remade.windowLine, remade.metricLine);
    EXPECT_NE(remade.metricLine, before.metricLine);
}
