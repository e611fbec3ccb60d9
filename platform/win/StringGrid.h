#pragma once
// A grid of text cells in a window of its own class.
//
// Geometry: every column is DefaultColWidth wide and every row
// DefaultRowHeight high, each followed by a grid line GridLineWidth wide, so
// cell (c, r) of a grid scrolled to its top-left starts at
// x = c * (DefaultColWidth + GridLineWidth) and y likewise. The first
// FixedCols columns and FixedRows rows are headers that never scroll and
// cannot become current.
//
// The current cell (Col, Row) is drawn in the selection colours. The user
// makes a cell current with the mouse or with the arrow keys, Home, End,
// Page Up and Page Down (with Ctrl, Home and End go to the first and last
// cell); each time, OnClick runs. Setting Col or Row from code moves the
// current cell without OnClick. The grid takes the arrow keys but not Enter,
// Tab or Esc, which stay with the form. Its window text is the text of the
// current cell, for screen readers and anyone reading it with WM_GETTEXT.

#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Set.h"
#include "platform/win/Memo.h"  // TScrollStyle
#include "platform/win/WinControl.h"

class TCanvas;

enum class TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking,
};
using TGridOptions = TSet<TGridOption>;
const TEnumTypeInfo& GridOptionTypeInfo();
const TSetTypeInfo& GridOptionsTypeInfo();

enum class TBorderStyle { bsNone, bsSingle };
const TEnumTypeInfo& BorderStyleTypeInfo();

// A rectangle of cells, both corners included.
struct TGridRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

GLY_EXCEPTION(EInvalidGridOperation, Exception);

using TSelectCellEvent = TEvent<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

class TStringGrid : public TWinControl {
    GLY_CLASS(TStringGrid)
public:
    static constexpr TGridOptions kDefaultOptions{TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                                                  TGridOption::goVertLine, TGridOption::goHorzLine,
                                                  TGridOption::goRangeSelect};

    explicit TStringGrid(TComponent* owner);
    ~TStringGrid() override;

    // ---- shape (counts at least 1; fixed counts below the counts) ----
    int ColCount() const noexcept { return colCount_; }
    void SetColCount(int value);
    int RowCount() const noexcept { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const noexcept { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const noexcept { return fixedRows_; }
    void SetFixedRows(int value);
    int DefaultColWidth() const noexcept { return colWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const noexcept { return rowHeight_; }
    void SetDefaultRowHeight(int value);
    int GridLineWidth() const noexcept { return lineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const noexcept { return options_; }
    void SetOptions(TGridOptions value);
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    TBorderStyle BorderStyle() const noexcept { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    // ---- content ----
    // Empty text outside the grid; SetCell outside it raises
    // EInvalidGridOperation.
    std::string Cells(int col, int row) const;
    void SetCell(int col, int row, const std::string& text);

    // ---- current cell and scrolling ----
    int Col() const noexcept { return col_; }
    void SetCol(int value);  // EInvalidGridOperation outside FixedCols..ColCount-1
    int Row() const noexcept { return row_; }
    void SetRow(int value);  // EInvalidGridOperation outside FixedRows..RowCount-1
    // The selected cells: the current cell, or with goRangeSelect the range
    // the user dragged or extended with Shift.
    TGridRect Selection() const noexcept;
    // First scrollable column and row in view.
    int LeftCol() const noexcept { return leftCol_; }
    void SetLeftCol(int value);
    int TopRow() const noexcept { return topRow_; }
    void SetTopRow(int value);
    // Scrollable columns and rows from LeftCol / TopRow that fit wholly.
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // The cell's rectangle in client coordinates, without its grid lines;
    // empty for a cell scrolled out of view or outside the grid.
    TRect CellRect(int col, int row) const;
    // The cell at a client point; false when the point is on no cell.
    bool MouseToCell(int x, int y, int& col, int& row) const;

    // The user made a cell current.
    TNotifyEvent OnClick;
    // Before the user makes a cell current; CanSelect false refuses it.
    TSelectCellEvent OnSelectCell;

    // The cells grow with the density; the grid lines stay one line wide.
    void ChangeScale(int fromPpi, int toPpi) override;

protected:
    void CreateParams(TCreateParams& params) const override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void FontChanged() override;
    void BoundsChanged(bool resized) override;

private:
    // Positions of columns and rows: fixed ones first, then from LeftCol /
    // TopRow; -1 for those scrolled out at the top or left.
    int ColLeft(int col) const;
    int RowTop(int row) const;
    int ClientWidth() const;
    int ClientHeight() const;
    // Scrollable columns / rows that fit wholly beside the fixed ones (>= 1).
    int FitCols() const;
    int FitRows() const;
    int MaxLeftCol() const;
    int MaxTopRow() const;

    void ResizeCells(int oldCols, int oldRows);
    // Keeps fixed counts, the current cell and the scroll position in range
    // after the shape changed, and shows the change.
    void ShapeChanged();

    void Paint(HDC dc, const TRect& dirty);
    void PaintCell(TCanvas& canvas, int col, int row, const TRect& rect, bool selected);
    void InvalidateCell(int col, int row);
    void InvalidateSelection();

    // Moves the current cell; `user` asks OnSelectCell first (false: it
    // refused), `extend` keeps the range anchor (Shift, dragging).
    bool MoveCurrent(int col, int row, bool user, bool extend);
    void ScrollInView(int col, int row);
    // The user's moves: a key runs OnClick when it changed the current
    // cell, a click on a cell always does (when the button is released).
    void KeyDown(uint16_t key);
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    void MouseUp();
    void Scroll(bool vertical, int code);
    void UpdateScrollBars();
    void UpdateAccessibleText();
    bool Wants(TGridOption option) const noexcept { return options_.Has(option); }

    int colCount_ = 5, rowCount_ = 5;
    int fixedCols_ = 1, fixedRows_ = 1;
    int colWidth_ = 64, rowHeight_ = 24;
    TDesignedLength designColWidth_, designRowHeight_;
    int lineWidth_ = 1;
    TGridOptions options_ = kDefaultOptions;
    TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    std::vector<std::string> cells_;  // row-major, colCount_ * rowCount_
    int col_ = 1, row_ = 1;
    int anchorCol_ = 1, anchorRow_ = 1;
    int leftCol_ = 1, topRow_ = 1;
    bool tracking_ = false;  // a left-button press on a cell, until release
};
