// Forms read from their text form lay out docked children in real windows.
#include <gtest/gtest.h>

#include "platform/win/Form.h"
#include "platform/win/Panel.h"
#include "tests/win/TestControls.h"

namespace {

const char* const kDockForm = R"(object DockForm: TForm
  Left = 10
  Top = 10
  Width = 646
  Height = 500
  Caption = 'Dock'
  Font.Height = -11
  Font.Name = 'Tahoma'
  object TopPanel: TPanel
    Align = alTop
    Height = 28
  end
  object BottomPanel: TPanel
    Align = alBottom
    Height = 19
  end
  object HiddenPanel: TPanel
    Align = alTop
    Height = 50
    Visible = False
  end
  object LeftPanel: TPanel
    Align = alLeft
    Width = 100
  end
  object Splitter: TPanel
    Align = alLeft
    Width = 3
  end
  object RightPanel: TPanel
    Align = alRight
    Width = 40
  end
  object RestPanel: TPanel
    Align = alClient
    BevelInner = bvLowered
    BevelWidth = 2
    ParentFont = False
    Font.Height = -16
    Font.Name = 'Courier New'
    object InnerTop: TPanel
      Align = alTop
      Height = 10
    end
    object Loose: TPanel
      Left = 5
      Top = 6
      Width = 7
      Height = 8
    end
  end
end
)";

class Docking : public testing::Test {
protected:
    void SetUp() override {
        form = Application->CreateFormFrom<TForm>(FormText(kDockForm));
        form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override { TComponent::Free(form); }

    TPanel* Panel(const char* name) const { return static_cast<TPanel*>(form->FindComponent(name)); }

    // Every docked child where the rules put it in a client area of w x h.
    void ExpectLayout(int w, int h, int hiddenHeight) {
        struct Expected {
            const char* name;
            RECT r;
        };
        const int top = 28 + hiddenHeight, middle = h - 19 - top;
        const Expected layout[] = {
            {"TopPanel", {0, 0, w, 28}},
            {"BottomPanel", {0, h - 19, w, h}},
            {"LeftPanel", {0, top, 100, top + middle}},
            {"Splitter", {100, top, 103, top + middle}},
            {"RightPanel", {w - 40, top, w, top + middle}},
            {"RestPanel", {103, top, w - 40, top + middle}},
            // Inside RestPanel: two bevels of 2 pixels each come off every side.
            {"InnerTop", {4, 4, (w - 143) - 4, 14}},
            {"Loose", {5, 6, 12, 14}},
        };
        for (const Expected& e : layout) {
            const RECT r = RectInParent(*Panel(e.name));
            EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                      std::vector<LONG>({e.r.left, e.r.top, e.r.right, e.r.bottom}))
                << e.name << " in a client area of " << w << " x " << h;
        }
        if (hiddenHeight) {
            const RECT r = RectInParent(*Panel("HiddenPanel"));
            EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}), std::vector<LONG>({0, 28, w, 78}));
        }
    }

    RECT Client() const {
        RECT r{};
        ::GetClientRect(form->WindowHandle(), &r);
        return r;
    }

    TForm* form = nullptr;
};

TEST_F(Docking, ASizeableFormOf646By500HasTheDesignedClientArea) {
    RECT outer{};
    ::GetWindowRect(form->WindowHandle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 646);
    EXPECT_EQ(outer.bottom - outer.top, 500);
    EXPECT_EQ(Client().right, 638);
    EXPECT_EQ(Client().bottom, 473);
}

TEST_F(Docking, ClientSizeWithoutAWindowMatchesTheRealWindow) {
    TForm* other = TComponent::Create<TForm>(Application);
    other->SetBounds(0, 0, 646, 500);
    const int w = other->ClientWidth(), h = other->ClientHeight();
    EXPECT_FALSE(other->HandleAllocated());
    other->HandleNeeded();
    RECT r{};
    ::GetClientRect(other->WindowHandle(), &r);
    EXPECT_EQ(w, r.right);
    EXPECT_EQ(h, r.bottom);
    other->SetClientWidth(400);
    ::GetClientRect(other->WindowHandle(), &r);
    EXPECT_EQ(r.right, 400);
    TComponent::Free(other);
}

TEST_F(Docking, DockedChildrenFillTheirSidesInOrder) {
    ExpectLayout(Client().right, Client().bottom, 0);
    EXPECT_FALSE(::IsWindowVisible(Panel("HiddenPanel")->WindowHandle()));
}

TEST_F(Docking, LayoutFollowsResizesFromCodeAndFromTheSystem) {
    form->SetBounds(form->Left(), form->Top(), 500, 350);
    Application->ProcessMessages();
    ExpectLayout(Client().right, Client().bottom, 0);
    EXPECT_EQ(Client().right, 492);

    // As a user's drag would: the window changes first, the control learns.
    ::SetWindowPos(form->WindowHandle(), nullptr, 0, 0, 420, 380, SWP_NOMOVE | SWP_NOZORDER);
    Application->ProcessMessages();
    EXPECT_EQ(form->Width(), 420);
    ExpectLayout(Client().right, Client().bottom, 0);
}

TEST_F(Docking, AShownControlTakesItsPlaceInDeclarationOrder) {
    Panel("HiddenPanel")->Show();
    Application->ProcessMessages();
    EXPECT_TRUE(::IsWindowVisible(Panel("HiddenPanel")->WindowHandle()));
    ExpectLayout(Client().right, Client().bottom, 50);
}

TEST_F(Docking, ChildrenFollowTheFontOfTheirParentUnlessTheyHaveTheirOwn) {
    EXPECT_EQ(Panel("TopPanel")->Font()->Name(), "Tahoma");
    EXPECT_EQ(Panel("TopPanel")->Font()->Height(), -11);
    EXPECT_EQ(Panel("RestPanel")->Font()->Name(), "Courier New");
    EXPECT_EQ(Panel("InnerTop")->Font()->Name(), "Courier New");  // its parent is RestPanel
    form->Font()->SetName("Arial");
    EXPECT_EQ(Panel("TopPanel")->Font()->Name(), "Arial");
    EXPECT_EQ(Panel("RestPanel")->Font()->Name(), "Courier New");
    EXPECT_EQ(Panel("InnerTop")->Font()->Name(), "Courier New");
}

}  // namespace
