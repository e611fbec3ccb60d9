// The string grid: cell geometry and painting, the current cell moved by
// keys, mouse and code, OnClick for the user's moves only, and the keys it
// leaves to the form.
#include <gtest/gtest.h>

#include "platform/win/Button.h"
#include "platform/win/StringGrid.h"
#include "tests/win/ControlTestUtil.h"
#include "tests/win/GdiTestUtil.h"

namespace {

// The main window's character grid: 16 x 14 cells of 22 x 22 pixels.
const char* const kGridForm = R"(object GridForm: TForm
  Left = 50
  Top = 50
  Width = 420
  Height = 440
  Font.Height = -11
  Font.Name = 'Tahoma'
  object CopyBtn: TButton
    Left = 8
    Top = 4
    Caption = 'Copy'
    Default = True
    TabOrder = 1
  end
  object Grid: TStringGrid
    Left = 0
    Top = 40
    Width = 371
    Height = 325
    ColCount = 16
    DefaultColWidth = 22
    DefaultRowHeight = 22
    FixedCols = 0
    FixedRows = 0
    Font.Height = -16
    Font.Name = 'Tahoma'
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine]
    ParentFont = False
    RowCount = 14
    ScrollBars = ssNone
    TabOrder = 0
  end
end
)";

class StringGridTest : public testing::Test {
protected:
    void SetUp() override {
        grid->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, grid);
            clicks.push_back({grid->Col(), grid->Row()});
        };
        copy->OnClick = [this](TObject*) { ++copies; };
        grid->SetFocus();
        Pump();
    }

    void MoveTo(int col, int row) {
        grid->SetCol(col);
        grid->SetRow(row);
        Pump();
    }

    TPoint Current() const { return {grid->Col(), grid->Row()}; }

    // The 22 x 22 pixels of a cell as the window shows them.
    std::unique_ptr<TTestSurface> CellOnScreen(int col, int row) const {
        auto surface = std::make_unique<TTestSurface>(22, 22, RGB(1, 2, 3));
        const TRect r = grid->CellRect(col, row);
        HDC dc = ::GetDC(grid->WindowHandle());
        ::BitBlt(surface->DC(), 0, 0, 22, 22, dc, r.left, r.top, SRCCOPY);
        ::ReleaseDC(grid->WindowHandle(), dc);
        return surface;
    }

    TShownForm form{kGridForm};
    TStringGrid* grid = form.Find<TStringGrid>("Grid");
    TButton* copy = form.Find<TButton>("CopyBtn");
    std::vector<TPoint> clicks;
    int copies = 0;
};

TEST_F(StringGridTest, CellsAre22PixelsWithOnePixelLinesAndAllFit) {
    RECT client;
    ::GetClientRect(grid->WindowHandle(), &client);
    // No scroll bars, a sunken border: 367 x 321 pixels inside.
    EXPECT_EQ(::GetWindowLongW(grid->WindowHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
    EXPECT_EQ(client.right, 367);
    EXPECT_EQ(client.bottom, 321);
    for (const TPoint cell : {TPoint{0, 0}, TPoint{1, 0}, TPoint{7, 5}, TPoint{15, 0}, TPoint{0, 13}, TPoint{15, 13}}) {
        const TRect r = grid->CellRect(cell.x, cell.y);
        EXPECT_EQ(r, (TRect{cell.x * 23, cell.y * 23, cell.x * 23 + 22, cell.y * 23 + 22})) << cell.x << "," << cell.y;
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
    }
    EXPECT_EQ(grid->CellRect(16, 0), TRect{});
    EXPECT_EQ(grid->CellRect(0, 14), TRect{});
    EXPECT_EQ(grid->VisibleColCount(), 16);
    EXPECT_EQ(grid->VisibleRowCount(), 14);
}

TEST_F(StringGridTest, CellsPaintTheirTextAtTwoTwoClippedWithLinesBetween) {
    grid->SetCell(3, 2, "Wg");
    grid->SetCell(4, 2, "WWWWWWWW");  // wider than its cell
    Pump();
    // What the cells must look like: the text at (2, 2) of a window-coloured
    // 22 x 22 cell, in the grid's font, cut at the cell's edge.
    auto reference = [this](const wchar_t* text) {
        auto surface = std::make_unique<TTestSurface>(22, 22, ::GetSysColor(COLOR_WINDOW));
        HGDIOBJ old = ::SelectObject(surface->DC(), grid->Font()->Handle());
        ::SetBkColor(surface->DC(), ::GetSysColor(COLOR_WINDOW));
        ::SetTextColor(surface->DC(), ::GetSysColor(COLOR_WINDOWTEXT));
        ::ExtTextOutW(surface->DC(), 2, 2, ETO_CLIPPED | ETO_OPAQUE, nullptr, text, UINT(wcslen(text)), nullptr);
        ::SelectObject(surface->DC(), old);
        return surface;
    };
    for (const auto& [col, text] : {std::pair{3, L"Wg"}, std::pair{4, L"WWWWWWWW"}}) {
        const auto want = reference(text);
        const auto got = CellOnScreen(col, 2);
        int differ = 0, ink = 0;
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 22; ++x) {
                differ += got->At(x, y) != want->At(x, y);
                ink += want->At(x, y) != ::GetSysColor(COLOR_WINDOW);
            }
        EXPECT_GT(ink, 10) << "the reference shows text";
        EXPECT_EQ(differ, 0) << "cell " << col;
    }
    // The lines: one pixel between cells, in the line colour, not painted
    // over by the long text; the cell beyond it stays empty.
    const COLORREF line = PixelOf(grid->WindowHandle(), 4 * 23 + 22, 2 * 23 + 8);
    EXPECT_NE(line, ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelOf(grid->WindowHandle(), 3 * 23 + 22, 2 * 23 + 8), line);
    EXPECT_EQ(PixelOf(grid->WindowHandle(), 4 * 23 + 5, 2 * 23 + 22), line);
    EXPECT_EQ(PixelOf(grid->WindowHandle(), 5 * 23 + 3, 2 * 23 + 8), ::GetSysColor(COLOR_WINDOW));
}

TEST_F(StringGridTest, ACellSetWhileTheGridIsHiddenShowsWhenItShows) {
    // A hidden grid asks for no repaints; showing it must paint every cell
    // as it is now.
    grid->SetCell(3, 2, "Wg");
    Pump();
    grid->SetVisible(false);
    Pump();
    grid->SetCell(5, 3, "Wg");
    grid->SetCell(3, 2, "");
    grid->SetVisible(true);
    Pump();
    const auto emptied = CellOnScreen(3, 2);
    const auto filled = CellOnScreen(5, 3);
    int ink = 0, differ = 0;
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 22; ++x) {
            ink += filled->At(x, y) != ::GetSysColor(COLOR_WINDOW);
            differ += emptied->At(x, y) != ::GetSysColor(COLOR_WINDOW);
        }
    EXPECT_GT(ink, 10) << "the cell set while hidden shows its text";
    EXPECT_EQ(differ, 0) << "the cell emptied while hidden shows empty";
}

TEST_F(StringGridTest, TheCurrentCellShowsInTheSelectionColours) {
    MoveTo(6, 4);
    auto fill = [this](int col, int row) {
        const TRect r = grid->CellRect(col, row);
        return PixelOf(grid->WindowHandle(), r.right - 3, r.bottom - 3);  // clear of text and focus frame
    };
    EXPECT_EQ(fill(6, 4), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(fill(5, 4), ::GetSysColor(COLOR_WINDOW));
    MoveTo(0, 0);
    EXPECT_EQ(fill(6, 4), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(fill(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(StringGridTest, KeysMoveTheCurrentCellAndRunOnClickWhenItMoves) {
    const struct {
        TPoint from;
        UINT key;
        TPoint to;
    } cases[] = {
        {{0, 0}, VK_RIGHT, {1, 0}},  {{15, 0}, VK_RIGHT, {15, 0}}, {{0, 0}, VK_LEFT, {0, 0}},
        {{0, 0}, VK_UP, {0, 0}},     {{3, 4}, VK_DOWN, {3, 5}},    {{3, 13}, VK_DOWN, {3, 13}},
        {{3, 4}, VK_UP, {3, 3}},     {{5, 6}, VK_LEFT, {4, 6}},    {{5, 6}, VK_HOME, {0, 6}},
        {{0, 6}, VK_HOME, {0, 6}},   {{5, 6}, VK_END, {15, 6}},    {{15, 6}, VK_END, {15, 6}},
        {{5, 6}, VK_NEXT, {5, 13}},  {{5, 13}, VK_NEXT, {5, 13}},  {{5, 6}, VK_PRIOR, {5, 0}},
        {{5, 0}, VK_PRIOR, {5, 0}},
    };
    for (const auto& c : cases) {
        MoveTo(c.from.x, c.from.y);
        clicks.clear();
        PressKey(c.key);
        EXPECT_EQ(Current(), c.to) << "key " << c.key << " from " << c.from.x << "," << c.from.y;
        const std::vector<TPoint> expected =
            c.to == c.from ? std::vector<TPoint>{} : std::vector<TPoint>{c.to};
        EXPECT_EQ(clicks, expected) << "key " << c.key << " from " << c.from.x << "," << c.from.y;
    }
}

TEST_F(StringGridTest, SettingRowAndColFromCodeRunsNoOnClick) {
    grid->SetCell(9, 7, "x");
    MoveTo(9, 7);
    EXPECT_EQ(Current(), (TPoint{9, 7}));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(WindowText(grid->WindowHandle()), "x");
    // Through reflection too, as settings would.
    SetOrdProp(*grid, *FindPropInfo(*grid, "Row"), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(clicks.empty());
    for (int bad : {-1, 14}) EXPECT_THROW(grid->SetRow(bad), EInvalidGridOperation) << bad;
    for (int bad : {-1, 16}) EXPECT_THROW(grid->SetCol(bad), EInvalidGridOperation) << bad;
    EXPECT_EQ(Current(), (TPoint{9, 2}));
}

TEST_F(StringGridTest, AClickMakesTheCellCurrentAndRunsOnClick) {
    copy->SetFocus();
    const TRect r = grid->CellRect(4, 3);
    ClickAt(grid->WindowHandle(), r.left + 5, r.top + 5);
    EXPECT_EQ(Current(), (TPoint{4, 3}));
    EXPECT_EQ(clicks, std::vector<TPoint>{(TPoint{4, 3})});
    EXPECT_EQ(::GetFocus(), grid->WindowHandle());
    // A grid line belongs to the cell on its left.
    ClickAt(grid->WindowHandle(), r.right, r.top + 5);
    EXPECT_EQ(Current(), (TPoint{4, 3}));
    // Where no cell is, nothing happens.
    grid->SetColCount(2);
    Pump();
    clicks.clear();
    ClickAt(grid->WindowHandle(), 200, 5);
    EXPECT_EQ(Current(), (TPoint{1, 3}));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(StringGridTest, OnSelectCellMayRefuseTheUsersMove) {
    MoveTo(2, 2);
    grid->OnSelectCell = [](TObject*, int col, int, bool& canSelect) { canSelect = col != 3; };
    PressKey(VK_RIGHT);
    EXPECT_EQ(Current(), (TPoint{2, 2}));
    EXPECT_TRUE(clicks.empty());
    PressKey(VK_DOWN);
    EXPECT_EQ(Current(), (TPoint{2, 3}));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(StringGridTest, EnterAndTabStayWithTheForm) {
    const LRESULT code = ::SendMessageW(grid->WindowHandle(), WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(code & DLGC_WANTARROWS);
    EXPECT_FALSE(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB | DLGC_WANTCHARS));
    MoveTo(5, 5);
    clicks.clear();
    PressKey(VK_RETURN);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(Current(), (TPoint{5, 5}));
    EXPECT_TRUE(clicks.empty());
    grid->SetFocus();
    PressKey(VK_TAB);
    EXPECT_EQ(::GetFocus(), copy->WindowHandle());
}

TEST_F(StringGridTest, WindowTextIsTheCurrentCellsText) {
    grid->SetCell(0, 0, " ");
    grid->SetCell(1, 0, "!");
    MoveTo(0, 0);
    EXPECT_EQ(WindowText(grid->WindowHandle()), " ");
    PressKey(VK_RIGHT);
    EXPECT_EQ(WindowText(grid->WindowHandle()), "!");
    grid->SetCell(1, 0, "?");
    EXPECT_EQ(WindowText(grid->WindowHandle()), "?");
    grid->SetCell(0, 0, "other cell");
    EXPECT_EQ(WindowText(grid->WindowHandle()), "?");
}

TEST_F(StringGridTest, CellsKeepTheirTextWhenTheGridChangesShape) {
    grid->SetCell(15, 13, "last");
    grid->SetCell(1, 1, "kept");
    EXPECT_THROW(grid->SetCell(16, 0, "x"), EInvalidGridOperation);
    EXPECT_EQ(grid->Cells(16, 0), "");
    grid->SetColCount(4);
    EXPECT_EQ(grid->Cells(1, 1), "kept");
    EXPECT_EQ(grid->Cells(15, 13), "");
    grid->SetColCount(16);
    EXPECT_EQ(grid->Cells(15, 13), "");  // cut off, not hidden
    EXPECT_EQ(grid->Cells(1, 1), "kept");
}

// A grid larger than its window scrolls to keep the current cell in view.
TEST(StringGridScroll, KeysScrollTheCurrentCellIntoView) {
    TShownForm form(R"(object ScrollForm: TForm
  Left = 60
  Top = 60
  Width = 300
  Height = 300
  object Grid: TStringGrid
    Left = 0
    Top = 0
    Width = 200
    Height = 150
    ColCount = 10
    RowCount = 30
  end
end
)");
    auto* grid = form.Find<TStringGrid>("Grid");
    grid->SetFocus();
    EXPECT_EQ(::GetWindowLongW(grid->WindowHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), WS_HSCROLL | WS_VSCROLL);
    EXPECT_EQ(grid->Col(), 1);  // below the fixed row and column
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    PressKey(VK_END);
    PressKey(VK_NEXT);
    PressKey(VK_NEXT);
    const TRect r = grid->CellRect(grid->Col(), grid->Row());
    EXPECT_GT(r.Width(), 0) << "the current cell is in view";
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_EQ(grid->Col(), 9);
    SetOrdProp(*grid, *FindPropInfo(*grid, "Row"), 1);
    EXPECT_EQ(grid->TopRow(), 1);
    // The fixed cells cannot become current.
    PressKey(VK_UP);
    EXPECT_EQ(grid->Row(), 1);
}

}  // namespace
