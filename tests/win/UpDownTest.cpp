// Up-down arrows tied to an edit: range, steps and what the edit shows when.
#include <gtest/gtest.h>

#include "platform/win/Edit.h"
#include "platform/win/UpDown.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kUpDownForm = R"(object UpDownForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 120
  Font.Height = -11
  Font.Name = 'Tahoma'
  object SizeEdit: TEdit
    Left = 76
    Top = 4
    Width = 41
    Height = 21
    TabOrder = 1
    Text = '16'
  end
  object SizeUpDown: TUpDown
    Left = 117
    Top = 4
    Width = 15
    Height = 21
    Associate = SizeEdit
    Min = 8
    Max = 72
    Position = 16
    TabOrder = 0
  end
end
)";

enum class Arrow { Up, Down };

class UpDownTest : public testing::Test {
protected:
    void SetUp() override {
        updown->OnChanging = [this](TObject*, bool& allow) {
            changing.push_back({updown->Position(), WideText(edit->WindowHandle())});
            allow = allowSteps;
        };
        updown->OnClick = [this](TObject*, TUDBtnType button) { clicks.push_back(button); };
    }

    void Step(Arrow arrow) {
        RECT r{};
        ::GetClientRect(updown->WindowHandle(), &r);
        ClickAt(updown->WindowHandle(), r.right / 2, arrow == Arrow::Up ? r.bottom / 4 : r.bottom * 3 / 4);
    }

    struct Seen {
        int position;
        std::wstring text;
        friend bool operator==(const Seen&, const Seen&) = default;
    };

    TShownForm form{kUpDownForm};
    TEdit* edit = form.Find<TEdit>("SizeEdit");
    TUpDown* updown = form.Find<TUpDown>("SizeUpDown");
    std::vector<Seen> changing;
    std::vector<TUDBtnType> clicks;
    bool allowSteps = true;
};

TEST_F(UpDownTest, TiedToItsBuddyWhichKeepsItsDesignedBounds) {
    HWND arrows = updown->WindowHandle();
    EXPECT_EQ(Bounds(edit->WindowHandle()), (std::vector<LONG>{76, 4, 41, 21}));
    EXPECT_EQ(Bounds(arrows), (std::vector<LONG>{117, 4, 15, 21}));
    EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageW(arrows, UDM_GETBUDDY, 0, 0)), edit->WindowHandle());
    int lo = 0, hi = 0;
    ::SendMessageW(arrows, UDM_GETRANGE32, WPARAM(&lo), LPARAM(&hi));
    EXPECT_EQ(std::vector<int>({lo, hi}), std::vector<int>({8, 72}));
    EXPECT_EQ(::SendMessageW(arrows, UDM_GETPOS32, 0, 0), 16);
    EXPECT_EQ(WideText(edit->WindowHandle()), L"16");
    EXPECT_TRUE(::GetWindowLongW(arrows, GWL_STYLE) & UDS_NOTHOUSANDS);
    EXPECT_FALSE(::GetWindowLongW(arrows, GWL_STYLE) & UDS_WRAP);
}

TEST_F(UpDownTest, AStepShowsItsValueBeforeOnChangingRuns) {
    struct Case {
        int start;
        Arrow arrow;
        int expected;
    };
    const Case cases[] = {{16, Arrow::Up, 17}, {16, Arrow::Down, 15}, {72, Arrow::Up, 72}, {8, Arrow::Down, 8}};
    for (const Case& c : cases) {
        updown->SetPosition(c.start);
        changing.clear();
        clicks.clear();
        Step(c.arrow);
        const std::wstring shown = std::to_wstring(c.expected);
        EXPECT_EQ(changing, (std::vector<Seen>{{c.expected, shown}})) << c.start;
        EXPECT_EQ(updown->Position(), c.expected) << c.start;
        EXPECT_EQ(WideText(edit->WindowHandle()), shown) << c.start;
        EXPECT_EQ(clicks, std::vector<TUDBtnType>{c.arrow == Arrow::Up ? TUDBtnType::btNext : TUDBtnType::btPrev})
            << c.start;
    }
}

TEST_F(UpDownTest, UpAndDownInTheBuddyStep) {
    edit->SetFocus();
    PressKey(VK_UP);
    PressKey(VK_UP);
    PressKey(VK_DOWN);
    EXPECT_EQ(changing, (std::vector<Seen>{{17, L"17"}, {18, L"18"}, {17, L"17"}}));
    EXPECT_EQ(updown->Position(), 17);
}

TEST_F(UpDownTest, TextThatIsNoValueLeavesThePositionAndStaysUntilTheNextStep) {
    HWND buddy = edit->WindowHandle();
    for (const wchar_t* text : {L"100", L"abc", L"", L"7"}) {
        ::SetWindowTextW(buddy, text);
        EXPECT_EQ(updown->Position(), 16) << text;
        EXPECT_FALSE(updown->PositionValid()) << text;
        EXPECT_EQ(WideText(buddy), text);
    }
    ::SetWindowTextW(buddy, L"24");
    EXPECT_EQ(updown->Position(), 24);
    EXPECT_TRUE(updown->PositionValid());

    ::SetWindowTextW(buddy, L"100");
    Step(Arrow::Up);
    EXPECT_EQ(updown->Position(), 25);
    EXPECT_EQ(WideText(buddy), L"25");
}

TEST_F(UpDownTest, ARefusedStepPutsThePreviousValueBack) {
    allowSteps = false;
    Step(Arrow::Up);
    EXPECT_EQ(changing, (std::vector<Seen>{{17, L"17"}}));
    EXPECT_EQ(updown->Position(), 16);
    EXPECT_EQ(WideText(edit->WindowHandle()), L"16");
    EXPECT_TRUE(clicks.empty());
}

TEST_F(UpDownTest, WrapGoesRoundAtTheEnds) {
    updown->SetWrap(true);
    EXPECT_TRUE(::GetWindowLongW(updown->WindowHandle(), GWL_STYLE) & UDS_WRAP);
    updown->SetPosition(72);
    Step(Arrow::Up);
    EXPECT_EQ(updown->Position(), 8);
    Step(Arrow::Down);
    EXPECT_EQ(updown->Position(), 72);
}

TEST_F(UpDownTest, PositionFromCodeIsClampedShownAndRaisesNoEvent) {
    const struct {
        int set, expected;
    } cases[] = {{40, 40}, {100, 72}, {3, 8}};
    for (const auto& c : cases) {
        updown->SetPosition(c.set);
        EXPECT_EQ(updown->Position(), c.expected);
        EXPECT_EQ(WideText(edit->WindowHandle()), std::to_wstring(c.expected));
    }
    EXPECT_TRUE(changing.empty());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(UpDownTest, IncrementSetsTheStep) {
    updown->SetIncrement(5);
    Step(Arrow::Up);
    EXPECT_EQ(updown->Position(), 21);
    updown->SetPosition(70);
    Step(Arrow::Up);
    EXPECT_EQ(updown->Position(), 70);
}

}  // namespace
