// The splitter: dragged with the mouse it resizes its neighbour within
// MinSize and the room the parent has; its Left set from code (as settings
// restore it) places it by resizing the neighbour.
#include <gtest/gtest.h>

#include "platform/win/Panel.h"
#include "platform/win/Splitter.h"
#include "tests/win/ControlTestUtil.h"

namespace {

// Stands for the settings component: once the form is read, its load
// completion sets Splitter.Left through reflection, as a restored value.
class TLeftRestorer : public TComponent {
    GLY_CLASS(TLeftRestorer)
public:
    using TComponent::TComponent;
    int Value() const { return value_; }
    void SetValue(int v) { value_ = v; }
    void Loaded() override {
        TComponent::Loaded();
        TComponent* splitter = Owner()->FindComponent("Splitter");
        SetOrdProp(*splitter, *FindPropInfo(*splitter, "Left"), value_);
    }

private:
    int value_ = 0;
};

const TClassInfo& TLeftRestorer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TLeftRestorer>("TLeftRestorer", &TComponent::StaticClass)
                                       .Creatable()
                                       .Int("Value", &TLeftRestorer::Value, &TLeftRestorer::SetValue)
                                       .Build();
    return info;
}

// The main window's layout: 638 x 473 inside, the list 257 wide at x 0,
// the splitter 2 wide, the notebook taking the rest.
std::string SplitForm(int splitterLeft, const std::string& more = "") {
    return R"(object SplitForm: TForm
  Left = 20
  Top = 20
  Width = 646
  Height = 500
  object Toolbar: TPanel
    Height = 28
    Align = alTop
  end
  object Status: TPanel
    Height = 19
    Align = alBottom
  end
  object FontList: TPanel
    Width = 257
    Align = alLeft
  end
  object Splitter: TSplitter
    Left = )" + std::to_string(splitterLeft) +
           R"(
    Width = 2
    Align = alLeft
    Beveled = False
    MinSize = 30
  end
  object Pages: TPanel
    Align = alClient
  end
)" + more + "end\n";
}

class SplitterTest : public testing::Test {
protected:
    SplitterTest() { splitter->OnMoved = [this](TObject*) { ++moves; }; }

    // A drag of the splitter by the mouse, as the window gets it: the
    // button goes down 1 pixel inside its left edge, the mouse moves to
    // each screen x in turn, and the button comes up at the last one.
    // Each position is posted relative to where the splitter is by then.
    void Drag(const std::vector<int>& screenXs) {
        HWND window = splitter->WindowHandle();
        auto clientX = [window](int screenX) {
            POINT origin{0, 0};
            ::ClientToScreen(window, &origin);
            return screenX - origin.x;
        };
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 50));
        Pump();
        for (int x : screenXs) {
            ::PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(clientX(x), 50));
            Pump();
            listWidths.push_back(list->Width());
        }
        ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(clientX(screenXs.back()), 50));
        Pump();
    }

    int ScreenLeft() const {
        POINT origin{0, 0};
        ::ClientToScreen(splitter->WindowHandle(), &origin);
        return origin.x;
    }

    // List, splitter and notebook side by side, with the splitter at x.
    void ExpectSplitAt(int x) {
        EXPECT_EQ(list->Width(), x);
        EXPECT_EQ(Bounds(list->WindowHandle()), (std::vector<LONG>{0, 28, x, 426}));
        EXPECT_EQ(Bounds(splitter->WindowHandle()), (std::vector<LONG>{x, 28, 2, 426}));
        EXPECT_EQ(Bounds(pages->WindowHandle()), (std::vector<LONG>{x + 2, 28, 638 - x - 2, 426}));
        EXPECT_EQ(splitter->Left(), x);
    }

    explicit SplitterTest(int designLeft, const std::string& more = "") : form(SplitForm(designLeft, more)) {}

    TShownForm form{SplitForm(257)};
    TPanel* list = form.Find<TPanel>("FontList");
    TSplitter* splitter = form.Find<TSplitter>("Splitter");
    TPanel* pages = form.Find<TPanel>("Pages");
    std::vector<int> listWidths;  // after each move of a drag
    int moves = 0;
};

TEST_F(SplitterTest, DocksAfterItsNeighbour) {
    EXPECT_EQ(splitter->Neighbour(), list);
    ExpectSplitAt(257);
}

TEST_F(SplitterTest, DraggingResizesTheNeighbour) {
    const int start = ScreenLeft() + 1;  // where the button goes down
    Drag({start + 40, start + 100});
    EXPECT_EQ(listWidths, (std::vector<int>{297, 357}));
    ExpectSplitAt(357);
    EXPECT_EQ(moves, 1);
    // Back and forth to where it began: moved, then not changed at all.
    Drag({ScreenLeft() + 1 - 100});
    ExpectSplitAt(257);
    EXPECT_EQ(moves, 2);
    Drag({ScreenLeft() + 1});
    ExpectSplitAt(257);
    EXPECT_EQ(moves, 2);
}

TEST_F(SplitterTest, DraggingKeepsMinSizeOnEitherSide) {
    const int start = ScreenLeft() + 1;
    // Left past the edge: the list never gets below 30 pixels.
    Drag({start - 200, start - 250, start - 1000});
    EXPECT_EQ(listWidths, (std::vector<int>{57, 30, 30}));
    ExpectSplitAt(30);
    // Right past the edge: the notebook keeps 30 pixels.
    Drag({ScreenLeft() + 1 + 2000});
    ExpectSplitAt(638 - 2 - 30);
}

TEST_F(SplitterTest, SettingLeftPlacesTheSplitterByResizingItsNeighbour) {
    const struct {
        int left, expected;
    } cases[] = {
        {300, 300}, {257, 257}, {31, 31}, {30, 30}, {10, 30}, {-5, 30}, {606, 606}, {607, 606}, {5000, 606},
    };
    const TPropInfo* prop = FindPropInfo(*splitter, "Left");
    ASSERT_NE(prop, nullptr);
    for (const auto& c : cases) {
        // The way the settings restore it: by reflection.
        SetOrdProp(*splitter, *prop, c.left);
        Pump();
        SCOPED_TRACE(c.left);
        ExpectSplitAt(c.expected);
        EXPECT_EQ(GetOrdProp(*splitter, *prop), c.expected);
    }
    EXPECT_EQ(moves, 0);  // OnMoved is the user's drag only
}

class SplitterDesignedElsewhere : public SplitterTest {
protected:
    SplitterDesignedElsewhere() : SplitterTest(50) {}
};

TEST_F(SplitterDesignedElsewhere, LeftReadFromTheFormDoesNotResizeTheNeighbour) { ExpectSplitAt(257); }

class SplitterRestoredWhileLoading : public SplitterTest {
protected:
    static void SetUpTestSuite() { classes::Register(TLeftRestorer::StaticClass()); }
    SplitterRestoredWhileLoading()
        : SplitterTest(257, "  object Restorer: TLeftRestorer\n    Value = 300\n  end\n") {}
};

TEST_F(SplitterRestoredWhileLoading, TheListTakesTheRestoredWidth) { ExpectSplitAt(300); }

TEST_F(SplitterTest, ShowsTheResizeCursorAndPaintsFlatUnlessBeveled) {
    ::SendMessageW(splitter->WindowHandle(), WM_SETCURSOR, WPARAM(splitter->WindowHandle()),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_SIZEWE));
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelOf(splitter->WindowHandle(), 0, 100), face);
    EXPECT_EQ(PixelOf(splitter->WindowHandle(), 1, 100), face);
    splitter->SetBeveled(true);
    Pump();
    EXPECT_EQ(PixelOf(splitter->WindowHandle(), 0, 100), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(splitter->WindowHandle(), 1, 100), ::GetSysColor(COLOR_BTNSHADOW));
}

}  // namespace
