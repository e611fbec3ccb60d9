// Multi-line edits: the lines as a view of the window's text, and which keys
// the memo keeps for itself.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win/Button.h"
#include "platform/win/Memo.h"
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
