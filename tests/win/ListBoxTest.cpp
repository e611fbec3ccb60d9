// List boxes: rows as a view of the window, selection events from the user
// only, and owner-drawn rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/win/ListBox.h"
#include "tests/win/ControlTestUtil.h"
#include "tests/win/GdiTestUtil.h"

namespace {

const char* const kListForm = R"(object ListForm: TForm
  Left = 30
  Top = 30
  Width = 420
  Height = 300
  Font.Height = -11
  Font.Name = 'Tahoma'
  object FontList: TListBox
    Left = 0
    Top = 0
    Width = 257
    Height = 200
    ItemHeight = 36
    Items.Strings = (
      'Arial'
      'Default'
      'Tahoma'
      'Times New Roman')
    Style = lbOwnerDrawFixed
    TabOrder = 0
  end
  object Plain: TListBox
    Left = 270
    Top = 0
    Width = 120
    Height = 100
    Items.Strings = (
      'a'
      'b')
    TabOrder = 1
  end
end
)";

std::wstring RowText(HWND list, int index) {
    wchar_t buffer[256] = {};
    ::SendMessageW(list, LB_GETTEXT, WPARAM(index), LPARAM(buffer));
    return buffer;
}

class ListBoxTest : public testing::Test {
protected:
    void SetUp() override {
        list->OnClick = [this](TObject*) { clicks.push_back(list->ItemIndex()); };
    }

    TShownForm form{kListForm};
    TListBox* list = form.Find<TListBox>("FontList");
    std::vector<int> clicks;  // ItemIndex as each click found it
};

TEST_F(ListBoxTest, TheFormsRowsFillTheWindow) {
    HWND w = list->WindowHandle();
    EXPECT_EQ(::SendMessageW(w, LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(RowText(w, 1), L"Default");
    EXPECT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(list->Items()->Get(3), "Times New Roman");
    EXPECT_EQ(::SendMessageW(w, LB_GETITEMHEIGHT, 0, 0), 36);
    const LONG style = ::GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & LBS_OWNERDRAWFIXED);
    EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
    EXPECT_TRUE(style & LBS_NOTIFY);
    EXPECT_FALSE(::GetWindowLongW(form.Find<TListBox>("Plain")->WindowHandle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ListBoxTest, RowsWithoutAWindowGoToTheWindowWhenItIsMade) {
    TListBox* loose = TComponent::Create<TListBox>(form.Get());
    TStrings* items = loose->Items();
    items->Add("x");
    items->Add("y");
    items->Insert(0, "w");
    items->Delete(1);
    loose->SetItemIndex(1);
    EXPECT_EQ(items->CommaText(), "w,y");
    EXPECT_EQ(loose->ItemIndex(), 1);
    loose->SetBounds(270, 110, 100, 80);
    loose->SetParent(form.Get());
    HWND w = loose->WindowHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(::SendMessageW(w, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(RowText(w, 1), L"y");
    EXPECT_EQ(::SendMessageW(w, LB_GETCURSEL, 0, 0), 1);
    items->Clear();
    EXPECT_EQ(::SendMessageW(w, LB_GETCOUNT, 0, 0), 0);
}

TEST_F(ListBoxTest, ItemIndexFromCodeRaisesNoClick) {
    for (int index : {2, 0, -1}) {
        list->SetItemIndex(index);
        EXPECT_EQ(::SendMessageW(list->WindowHandle(), LB_GETCURSEL, 0, 0), index < 0 ? LB_ERR : index);
        EXPECT_EQ(list->ItemIndex(), index);
    }
    Pump();
    EXPECT_TRUE(clicks.empty());
}

TEST_F(ListBoxTest, TheUsersSelectionClicks) {
    ClickAt(list->WindowHandle(), 20, 2 * 36 + 18);
    EXPECT_EQ(clicks, std::vector<int>{2});
    list->SetFocus();
    PressKey(VK_DOWN);
    PressKey(VK_UP);
    EXPECT_EQ(clicks, (std::vector<int>{2, 3, 2}));
}

TEST_F(ListBoxTest, OwnerDrawnRowsGetTheirIndexRectAndState) {
    struct Drawn {
        int index;
        TRect rect;
        bool selected;
        bool canvasReady;
    };
    std::vector<Drawn> drawn;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        auto* self = static_cast<TListBox*>(control);
        drawn.push_back({index, rect, state.Has(TOwnerDrawFlag::odSelected), self->Canvas()->HandleAllocated()});
        self->Canvas()->Brush()->SetColor(state.Has(TOwnerDrawFlag::odSelected) ? clRed : clLime);
        self->Canvas()->FillRect(rect);
    };
    list->SetItemIndex(1);
    drawn.clear();
    list->Repaint();
    RECT client{};
    ::GetClientRect(list->WindowHandle(), &client);
    ASSERT_EQ(drawn.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const Drawn& d = drawn[size_t(i)];
        EXPECT_EQ(d.index, i);
        EXPECT_EQ(d.rect, (TRect{0, i * 36, client.right, (i + 1) * 36})) << i;
        EXPECT_EQ(d.selected, i == 1) << i;
        EXPECT_TRUE(d.canvasReady) << i;
    }
    EXPECT_FALSE(list->Canvas()->HandleAllocated());
    EXPECT_EQ(PixelOf(list->WindowHandle(), 100, 36 + 18), COLORREF(clRed));
    EXPECT_EQ(PixelOf(list->WindowHandle(), 100, 18), COLORREF(clLime));
}

TEST_F(ListBoxTest, TheFocusedRowGetsTheFocusRectangleAfterTheHandler) {
    std::vector<std::pair<int, bool>> focused;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        focused.emplace_back(index, state.Has(TOwnerDrawFlag::odFocused));
        auto* self = static_cast<TListBox*>(control);
        self->Canvas()->Brush()->SetColor(clWhite);
        self->Canvas()->FillRect(rect);
    };
    list->SetItemIndex(2);
    list->SetFocus();
    list->Repaint();
    EXPECT_NE(std::find(focused.begin(), focused.end(), std::pair<int, bool>{2, true}), focused.end());
    EXPECT_EQ(std::find(focused.begin(), focused.end(), std::pair<int, bool>{0, true}), focused.end());
    // The dotted frame runs along the focused row's edge, not along another's.
    int dark = 0;
    for (int x = 0; x < 40; ++x) dark += PixelOf(list->WindowHandle(), x, 2 * 36) != COLORREF(clWhite);
    EXPECT_GT(dark, 0);
    for (int x = 0; x < 40; ++x) EXPECT_EQ(PixelOf(list->WindowHandle(), x, 0), COLORREF(clWhite)) << x;
}

TEST_F(ListBoxTest, ARowHandlerThatRaisesReachesTheApplicationAndTheListGoesOn) {
    TExceptionCatcher catcher;
    std::vector<int> drawn;
    list->OnDrawItem = [&](TWinControl*, int index, TRect, TOwnerDrawState) {
        drawn.push_back(index);
        if (index == 1) throw EConvertError("bad row");
    };
    list->Repaint();
    ASSERT_FALSE(catcher.messages.empty());
    EXPECT_EQ(catcher.messages.front(), "bad row");
    // The rows after the one that raised are drawn all the same.
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 3), drawn.end());
    EXPECT_FALSE(list->Canvas()->HandleAllocated());
    list->OnDrawItem = nullptr;
    list->SetItemIndex(3);
    EXPECT_EQ(list->ItemIndex(), 3);
}

// What makes a whole repaint cheap: the rows are drawn from the list's own
// paint, not each asked of the parent by a message of its own.
TEST_F(ListBoxTest, AWholeRepaintDrawsEveryRowWithoutAMessageForEach) {
    std::vector<int> drawn;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState) {
        drawn.push_back(index);
        static_cast<TListBox*>(control)->Canvas()->FillRect(rect);
    };
    int asked = 0;
    const std::function<void(TMessage&)> previous = form->WindowProc;
    form->WindowProc = [&asked, previous](TMessage& m) {
        asked += m.Msg == WM_DRAWITEM;
        previous(m);
    };
    Pump();
    drawn.clear();
    list->Repaint();
    form->WindowProc = previous;
    EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(asked, 0);
}

// The list paints its rows itself; what it leaves must be what the standard
// control leaves when it asks for each row in turn (WM_PRINTCLIENT still
// goes to the standard control): the same order of rows, each filled before
// its picture, pictures that reach into other rows, the selected row, the
// focused row drawn again with its focus rectangle, and the space below the
// last row.
TEST_F(ListBoxTest, ItsOwnPaintLeavesWhatTheStandardControlLeaves) {
    for (int i = 0; i < 8; ++i) list->Items()->Add("more " + std::to_string(i));
    int reach = 0;
    list->OnDrawItem = [&](TWinControl* control, int index, TRect rect, TOwnerDrawState state) {
        TCanvas* canvas = static_cast<TListBox*>(control)->Canvas();
        canvas->Brush()->SetColor(state.Has(TOwnerDrawFlag::odSelected) ? clRed : TColor(RGB(0, 40 + 15 * index, 0)));
        canvas->FillRect(rect);
        // A picture taller than its row, as a large preview is.
        canvas->Brush()->SetColor(TColor(RGB(20 * index, 0, 200)));
        canvas->FillRect({10 + 12 * index, rect.top - reach, 20 + 12 * index, rect.bottom + reach});
    };
    struct Case {
        int selected, top, reach;
        bool focused, empty;
    };
    const Case cases[] = {
        {-1, 0, 0, false, false},  {1, 0, 20, true, false},  {2, 1, 50, true, false},
        {0, 4, 30, true, false},   {11, 7, 10, true, false}, {3, 2, 80, false, false},
        {-1, 0, 0, true, true},
    };
    HWND w = list->WindowHandle();
    RECT client{};
    ::GetClientRect(w, &client);
    for (const Case& c : cases) {
        const std::string label = "selected " + std::to_string(c.selected) + ", top " + std::to_string(c.top) +
                                  ", reach " + std::to_string(c.reach) + (c.focused ? ", focused" : "") +
                                  (c.empty ? ", empty" : "");
        if (c.empty) list->Items()->Clear();
        reach = c.reach;
        list->SetItemIndex(c.selected);
        list->SetTopIndex(c.top);
        if (c.focused)
            list->SetFocus();
        else
            form.Find<TListBox>("Plain")->SetFocus();
        Pump();
        ASSERT_EQ(list->TopIndex(), c.empty ? 0 : c.top) << label;
        list->Repaint();
        TTestSurface own(client.right, client.bottom, RGB(1, 2, 3));
        HDC dc = ::GetDC(w);
        ::BitBlt(own.DC(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(w, dc);
        // The standard control paints no background of its own here: the
        // erase it leaves to WM_ERASEBKGND fills with the list's colour.
        TTestSurface standard(client.right, client.bottom, COLORREF(ColorToRGB(list->Color())));
        ::SendMessageW(w, WM_PRINTCLIENT, WPARAM(standard.DC()), PRF_CLIENT);
        int differing = 0;
        for (int y = 0; y < client.bottom; ++y)
            for (int x = 0; x < client.right; ++x) differing += own.At(x, y) != standard.At(x, y);
        EXPECT_EQ(differing, 0) << label;
    }
}

}  // namespace
