// The notebook: pages read from a form in stream order, the active page as
// a resolved reference, switching from code and by the user's click, and
// pages that fill the tab control's display area.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>

#include "platform/core/Exceptions.h"
#include "platform/win/PageControl.h"
#include "platform/win/Panel.h"
#include "tests/win/ControlTestUtil.h"

namespace {

// The pages come in the stream in the order TabSheet2, TabSheet1, as the main
// window has them; `active` names the page the form file makes active.
std::string PageForm(const std::string& active) {
    return R"(object PageForm: TForm
  Left = 40
  Top = 40
  Width = 646
  Height = 500
  Font.Height = -11
  Font.Name = 'Tahoma'
  object Toolbar: TPanel
    Height = 28
    Align = alTop
  end
  object Status: TPanel
    Height = 19
    Align = alBottom
  end
  object ListPanel: TPanel
    Width = 259
    Align = alLeft
  end
  object PageControl: TPageControl
    Left = 259
    Top = 28
    Width = 379
    Height = 426
)" + (active.empty() ? std::string() : "    ActivePage = " + active + "\n") +
           R"(    Align = alClient
    TabOrder = 0
    object TabSheet2: TTabSheet
      Caption = 'Testovací text'
      object Edit2: TTestEdit
        Left = 0
        Top = 0
        Width = 100
        TabOrder = 0
      end
    end
    object TabSheet1: TTabSheet
      Caption = 'Mapa znaků'
      object Inner: TPanel
        Align = alClient
      end
    end
  end
end
)";
}

std::wstring TabText(HWND tabs, int index) {
    wchar_t buffer[128] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 128;
    ::SendMessageW(tabs, TCM_GETITEMW, WPARAM(index), LPARAM(&item));
    return buffer;
}

int CurrentTab(const TPageControl& pc) { return int(::SendMessageW(pc.WindowHandle(), TCM_GETCURSEL, 0, 0)); }

bool Shown(const TControl& c) { return c.HandleAllocated() && ::IsWindowVisible(c.WindowHandle()); }

class PageControlTest : public testing::Test {
protected:
    static void SetUpTestSuite() { classes::Register(TTestEdit::StaticClass()); }

    explicit PageControlTest(const std::string& active = "TabSheet2") : form(PageForm(active)) {
        pc->OnChange = [this](TObject* sender) {
            EXPECT_EQ(sender, pc);
            changes.push_back(pc->ActivePage());
        };
    }

    // A user's click in the middle of a tab.
    void ClickTab(int tab) {
        const TRect r = pc->TabRect(tab);
        ASSERT_GT(r.Width(), 0);
        ClickAt(pc->WindowHandle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // Only `page` of the two is shown, and its tab is the selected one.
    void ExpectOnly(TTabSheet* page) {
        for (TTabSheet* p : {sheet1, sheet2}) EXPECT_EQ(Shown(*p), p == page) << p->Name();
        EXPECT_EQ(pc->ActivePage(), page);
        EXPECT_EQ(CurrentTab(*pc), page->TabIndex());
    }

    TShownForm form;
    TPageControl* pc = form.Find<TPageControl>("PageControl");
    TTabSheet* sheet1 = form.Find<TTabSheet>("TabSheet1");
    TTabSheet* sheet2 = form.Find<TTabSheet>("TabSheet2");
    std::vector<TTabSheet*> changes;
};

TEST_F(PageControlTest, PagesFollowTheStreamAndOwnTheirTabs) {
    ASSERT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->Pages(0), sheet2);
    EXPECT_EQ(pc->Pages(1), sheet1);
    EXPECT_THROW(pc->Pages(2), EListError);
    EXPECT_EQ(sheet2->PageIndex(), 0);
    EXPECT_EQ(sheet1->PageIndex(), 1);
    // The form owns the pages; the page control holds them on screen.
    EXPECT_EQ(sheet1->Owner(), form.Get());
    EXPECT_EQ(sheet1->Parent(), pc);
    EXPECT_EQ(::GetParent(sheet1->WindowHandle()), pc->WindowHandle());
    HWND tabs = pc->WindowHandle();
    ASSERT_EQ(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TabText(tabs, 0), L"Testovací text");
    EXPECT_EQ(TabText(tabs, 1), L"Mapa znaků");
    // Each tab is as wide as its caption needs, side by side.
    const TRect first = pc->TabRect(0), second = pc->TabRect(1);
    EXPECT_GT(first.Width(), second.Width());
    EXPECT_EQ(second.left, first.right);
}

TEST_F(PageControlTest, StreamReferenceMakesTheActivePage) { ExpectOnly(sheet2); }

class PageControlOtherActive : public PageControlTest {
protected:
    PageControlOtherActive() : PageControlTest("TabSheet1") {}
};

TEST_F(PageControlOtherActive, StreamReferenceMakesTheActivePage) { ExpectOnly(sheet1); }

class PageControlNoActive : public PageControlTest {
protected:
    PageControlNoActive() : PageControlTest("") {}
};

TEST_F(PageControlNoActive, WithoutReferenceTheFirstPageIsActive) { ExpectOnly(sheet2); }

TEST_F(PageControlTest, SettingActivePageFromCodeSwitchesWithoutOnChange) {
    pc->SetActivePage(sheet1);
    Pump();
    ExpectOnly(sheet1);
    // As the settings restore it: by reflection, from the component.
    const TPropInfo* prop = FindPropInfo(*pc, "ActivePage");
    ASSERT_NE(prop, nullptr);
    SetObjectProp(*pc, *prop, sheet2);
    Pump();
    ExpectOnly(sheet2);
    EXPECT_EQ(GetObjectProp(*pc, *prop), sheet2);
    EXPECT_TRUE(changes.empty());
}

TEST_F(PageControlTest, APageOfAnotherControlIsRefused) {
    TTabSheet* stray = TComponent::Create<TTabSheet>(form.Get());
    EXPECT_THROW(pc->SetActivePage(stray), EComponentError);
    ExpectOnly(sheet2);
    TComponent::Free(stray);
}

TEST_F(PageControlTest, ClickOnATabSwitchesPagesAndRunsOnChange) {
    ClickTab(1);
    ExpectOnly(sheet1);
    EXPECT_EQ(changes, std::vector<TTabSheet*>{sheet1});
    // The tab of the page already shown changes nothing.
    ClickTab(1);
    EXPECT_EQ(changes.size(), 1u);
    ClickTab(0);
    ExpectOnly(sheet2);
    EXPECT_EQ(changes, (std::vector<TTabSheet*>{sheet1, sheet2}));
}

TEST_F(PageControlTest, OnChangingMayKeepThePage) {
    bool allow = false;
    int asked = 0;
    pc->OnChanging = [&](TObject*, bool& allowChange) {
        ++asked;
        allowChange = allow;
    };
    ClickTab(1);
    EXPECT_EQ(asked, 1);
    ExpectOnly(sheet2);
    EXPECT_TRUE(changes.empty());
    allow = true;
    ClickTab(1);
    EXPECT_EQ(asked, 2);
    ExpectOnly(sheet1);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(PageControlTest, PagesFillTheDisplayAreaAndFollowTheSize) {
    auto displayArea = [this] {
        RECT r;
        ::GetClientRect(pc->WindowHandle(), &r);
        ::SendMessageW(pc->WindowHandle(), TCM_ADJUSTRECT, FALSE, LPARAM(&r));
        return r;
    };
    auto expectFilled = [&] {
        const RECT area = displayArea();
        for (TTabSheet* page : {sheet1, sheet2}) {
            const RECT r = ParentRect(page->WindowHandle());
            EXPECT_EQ(r.left, area.left) << page->Name();
            EXPECT_EQ(r.top, area.top) << page->Name();
            EXPECT_EQ(r.right, area.right) << page->Name();
            EXPECT_EQ(r.bottom, area.bottom) << page->Name();
        }
    };
    // The design size of the main window's notebook leaves its pages
    // 371 x 398 pixels.
    EXPECT_EQ(Bounds(pc->WindowHandle()), (std::vector<LONG>{259, 28, 379, 426}));
    expectFilled();
    EXPECT_EQ(Bounds(sheet2->WindowHandle())[2], 371);
    EXPECT_EQ(Bounds(sheet2->WindowHandle())[3], 398);
    form->SetBounds(40, 40, 700, 400);
    Pump();
    expectFilled();
    EXPECT_EQ(ParentRect(sheet2->WindowHandle()).right - ParentRect(sheet2->WindowHandle()).left,
              displayArea().right - displayArea().left);
}

TEST_F(PageControlTest, TheFocusLeavesAPageThatIsHidden) {
    auto* edit = form.Find<TTestEdit>("Edit2");
    edit->SetFocus();
    ASSERT_EQ(::GetFocus(), edit->WindowHandle());
    pc->SetActivePage(sheet1);
    Pump();
    HWND focus = ::GetFocus();
    EXPECT_NE(focus, edit->WindowHandle());
    EXPECT_TRUE(focus == nullptr || ::IsWindowVisible(focus));
}

TEST_F(PageControlTest, FreeingTheActivePageShowsTheNextAndDropsItsTab) {
    TComponent::Free(sheet2);
    Pump();
    ASSERT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(pc->ActivePage(), sheet1);
    EXPECT_TRUE(Shown(*sheet1));
    EXPECT_EQ(::SendMessageW(pc->WindowHandle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(TabText(pc->WindowHandle(), 0), L"Mapa znaků");
    EXPECT_EQ(form->FindComponent("TabSheet2"), nullptr);
}

TEST_F(PageControlTest, PageOrderAndTabVisibilityRebuildTheTabs) {
    sheet1->SetPageIndex(0);
    EXPECT_EQ(pc->Pages(0), sheet1);
    EXPECT_EQ(TabText(pc->WindowHandle(), 0), L"Mapa znaků");
    EXPECT_EQ(CurrentTab(*pc), 1);  // sheet2 stays active, now second
    sheet1->SetTabVisible(false);
    EXPECT_EQ(::SendMessageW(pc->WindowHandle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(sheet1->TabIndex(), -1);
    EXPECT_EQ(pc->PageForTab(0), sheet2);
    EXPECT_EQ(CurrentTab(*pc), 0);
    sheet2->SetCaption("Jiný");
    EXPECT_EQ(TabText(pc->WindowHandle(), 0), L"Jiný");
}

// Keys pressed while Ctrl (and Shift) are held, as the thread sees them.
void PressWith(std::initializer_list<int> held, UINT vk) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    BYTE pressed[256];
    std::copy(std::begin(state), std::end(state), pressed);
    for (int key : held) pressed[key] = 0x80;
    ::SetKeyboardState(pressed);
    PressKey(vk);
    ::SetKeyboardState(state);
}

TEST_F(PageControlTest, CtrlKeysGoRoundThePagesWithTabsAndOnChangingMayRefuse) {
    auto* sheet3 = TComponent::Create<TTabSheet>(form.Get());
    sheet3->SetCaption("Třetí");
    sheet3->SetPageControl(pc);
    auto* edit = form.Find<TTestEdit>("Edit2");
    edit->SetFocus();
    const struct {
        std::initializer_list<int> held;
        UINT key;
        TTabSheet* page;
    } steps[] = {
        {{VK_CONTROL}, VK_TAB, sheet1},           {{VK_CONTROL}, VK_TAB, sheet3},
        {{VK_CONTROL}, VK_TAB, sheet2},           {{VK_CONTROL, VK_SHIFT}, VK_TAB, sheet3},
        {{VK_CONTROL}, VK_PRIOR, sheet1},         {{VK_CONTROL}, VK_NEXT, sheet3},
        {{}, VK_NEXT, sheet3},  // without Ctrl the key is the focused control's
    };
    std::vector<TTabSheet*> expected;
    for (const auto& step : steps) {
        PressWith(step.held, step.key);
        ExpectOnly(step.page);
        if (expected.empty() || expected.back() != step.page) expected.push_back(step.page);
    }
    EXPECT_EQ(changes, expected);
    // A page without a tab is passed over.
    sheet1->SetTabVisible(false);
    PressWith({VK_CONTROL}, VK_PRIOR);
    ExpectOnly(sheet2);
    PressWith({VK_CONTROL}, VK_PRIOR);
    ExpectOnly(sheet3);

    // Refused: the page stays, and the key does nothing else either.
    int asked = 0;
    pc->OnChanging = [&](TObject*, bool& allowChange) {
        ++asked;
        allowChange = false;
    };
    changes.clear();
    pc->SetFocus();
    PressWith({VK_CONTROL}, VK_TAB);
    EXPECT_EQ(asked, 1);
    ExpectOnly(sheet3);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(::GetFocus(), pc->WindowHandle());
}

}  // namespace
