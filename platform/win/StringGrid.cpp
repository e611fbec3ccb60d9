// The string grid: its published shape, the cells, the current cell and the
// geometry of columns and rows. Input is in StringGridInput.cpp, painting in
// StringGridPaint.cpp.

#include "platform/win/StringGrid.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& GridOptionTypeInfo() {
    static const TEnumTypeInfo info{"TGridOption",
                                    {"goFixedVertLine", "goFixedHorzLine", "goVertLine", "goHorzLine", "goRangeSelect",
                                     "goDrawFocusSelected", "goRowSizing", "goColSizing", "goRowMoving", "goColMoving",
                                     "goEditing", "goTabs", "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"},
                                    0};
    return info;
}

const TSetTypeInfo& GridOptionsTypeInfo() {
    static const TSetTypeInfo info{"TGridOptions", &GridOptionTypeInfo()};
    return info;
}

const TEnumTypeInfo& BorderStyleTypeInfo() {
    static const TEnumTypeInfo info{"TBorderStyle", {"bsNone", "bsSingle"}, 0};
    return info;
}

const TClassInfo& TStringGrid::StaticClass() {
    using G = TStringGrid;
    static const TClassInfo info =
        TClassBuilder<G>("TStringGrid", &TWinControl::StaticClass)
            .Creatable()
            .Enum("BorderStyle", BorderStyleTypeInfo(), &G::BorderStyle, &G::SetBorderStyle)
            .Default(int(TBorderStyle::bsSingle))
            .Int("Color", &G::Color, &G::SetColor)
            .Idents(ColorIdents())
            .Default(clWindow)
            .Int("ColCount", &G::ColCount, &G::SetColCount)
            .Default(5)
            .Int("DefaultColWidth", &G::DefaultColWidth, &G::SetDefaultColWidth)
            .Default(64)
            .Int("DefaultRowHeight", &G::DefaultRowHeight, &G::SetDefaultRowHeight)
            .Default(24)
            .Int("FixedCols", &G::FixedCols, &G::SetFixedCols)
            .Default(1)
            .Int("FixedRows", &G::FixedRows, &G::SetFixedRows)
            .Default(1)
            .Int("GridLineWidth", &G::GridLineWidth, &G::SetGridLineWidth)
            .Default(1)
            .SetOf("Options", GridOptionsTypeInfo(), &G::Options, &G::SetOptions)
            .Default(kDefaultOptions.Bits())
            .Int("RowCount", &G::RowCount, &G::SetRowCount)
            .Default(5)
            .Enum("ScrollBars", ScrollStyleTypeInfo(), &G::ScrollBars, &G::SetScrollBars)
            .Default(int(TScrollStyle::ssBoth))
            .Bool("TabStop", &G::TabStop, &G::SetTabStop)
            .Default(1)
            // The current cell is the program's state, not the design's.
            .Int("Col", &G::Col, &G::SetCol)
            .NotStored()
            .Int("Row", &G::Row, &G::SetRow)
            .NotStored()
            .Event("OnClick", &G::OnClick)
            .Event("OnSelectCell", &G::OnSelectCell)
            .Build();
    return info;
}

TStringGrid::TStringGrid(TComponent* owner) : TWinControl(owner) {
    cells_.resize(size_t(colCount_) * size_t(rowCount_));
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetTabStop(true);
}

TStringGrid::~TStringGrid() = default;

// ---- shape ------------------------------------------------------------------

void TStringGrid::ResizeCells(int oldCols, int oldRows) {
    std::vector<std::string> cells(size_t(colCount_) * size_t(rowCount_));
    for (int r = 0; r < std::min(oldRows, rowCount_); ++r)
        for (int c = 0; c < std::min(oldCols, colCount_); ++c)
            cells[size_t(r) * size_t(colCount_) + size_t(c)] = std::move(cells_[size_t(r) * size_t(oldCols) + size_t(c)]);
    cells_ = std::move(cells);
}

void TStringGrid::ShapeChanged() {
    fixedCols_ = std::clamp(fixedCols_, 0, colCount_ - 1);
    fixedRows_ = std::clamp(fixedRows_, 0, rowCount_ - 1);
    col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
    row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
    anchorCol_ = std::clamp(anchorCol_, fixedCols_, colCount_ - 1);
    anchorRow_ = std::clamp(anchorRow_, fixedRows_, rowCount_ - 1);
    leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBars();
    UpdateAccessibleText();
    Invalidate();
}

void TStringGrid::SetColCount(int value) {
    value = std::max(1, value);
    if (value == colCount_) return;
    const int old = colCount_;
    colCount_ = value;
    ResizeCells(old, rowCount_);
    ShapeChanged();
}

void TStringGrid::SetRowCount(int value) {
    value = std::max(1, value);
    if (value == rowCount_) return;
    const int old = rowCount_;
    rowCount_ = value;
    ResizeCells(colCount_, old);
    ShapeChanged();
}

void TStringGrid::SetFixedCols(int value) {
    fixedCols_ = std::max(0, value);
    ShapeChanged();
}

void TStringGrid::SetFixedRows(int value) {
    fixedRows_ = std::max(0, value);
    ShapeChanged();
}

void TStringGrid::SetDefaultColWidth(int value) {
    colWidth_ = std::max(0, value);
    ShapeChanged();
}

void TStringGrid::SetDefaultRowHeight(int value) {
    rowHeight_ = std::max(0, value);
    ShapeChanged();
}

void TStringGrid::ChangeScale(int fromPpi, int toPpi) {
    TWinControl::ChangeScale(fromPpi, toPpi);
    const int width = designColWidth_.Rescale(colWidth_, fromPpi, toPpi);
    const int height = designRowHeight_.Rescale(rowHeight_, fromPpi, toPpi);
    if (width != colWidth_) SetDefaultColWidth(width);
    if (height != rowHeight_) SetDefaultRowHeight(height);
}

void TStringGrid::SetGridLineWidth(int value) {
    lineWidth_ = std::max(0, value);
    ShapeChanged();
}

void TStringGrid::SetOptions(TGridOptions value) {
    if (options_ == value) return;
    options_ = value;
    if (!Wants(TGridOption::goRangeSelect)) {
        anchorCol_ = col_;
        anchorRow_ = row_;
    }
    Invalidate();
}

void TStringGrid::SetScrollBars(TScrollStyle value) {
    if (scrollBars_ == value) return;
    scrollBars_ = value;
    if (!HandleAllocated()) return;
    HWND window = WindowHandle();
    const bool vert = value == TScrollStyle::ssVertical || value == TScrollStyle::ssBoth;
    const bool horz = value == TScrollStyle::ssHorizontal || value == TScrollStyle::ssBoth;
    ::ShowScrollBar(window, SB_VERT, vert);
    ::ShowScrollBar(window, SB_HORZ, horz);
    UpdateScrollBars();
}

void TStringGrid::SetBorderStyle(TBorderStyle value) {
    if (borderStyle_ == value) return;
    borderStyle_ = value;
    if (!HandleAllocated()) return;
    HWND window = WindowHandle();
    LONG_PTR ex = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    ex = value == TBorderStyle::bsSingle ? (ex | WS_EX_CLIENTEDGE) : (ex & ~LONG_PTR(WS_EX_CLIENTEDGE));
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ex);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    ShapeChanged();
}

// ---- content ----------------------------------------------------------------

std::string TStringGrid::Cells(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    return cells_[size_t(row) * size_t(colCount_) + size_t(col)];
}

void TStringGrid::SetCell(int col, int row, const std::string& text) {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        throw EInvalidGridOperation("Grid index out of range");
    std::string& cell = cells_[size_t(row) * size_t(colCount_) + size_t(col)];
    if (cell == text) return;
    cell = text;
    InvalidateCell(col, row);
    if (col == col_ && row == row_) UpdateAccessibleText();
}

void TStringGrid::UpdateAccessibleText() {
    const std::string text = Cells(col_, row_);
    if (GetText() != text) SetText(text);
}

// ---- current cell -----------------------------------------------------------

void TStringGrid::SetCol(int value) {
    if (value < fixedCols_ || value >= colCount_) throw EInvalidGridOperation("Grid index out of range");
    MoveCurrent(value, row_, false, false);
}

void TStringGrid::SetRow(int value) {
    if (value < fixedRows_ || value >= rowCount_) throw EInvalidGridOperation("Grid index out of range");
    MoveCurrent(col_, value, false, false);
}

TGridRect TStringGrid::Selection() const noexcept {
    TGridRect r{std::min(col_, anchorCol_), std::min(row_, anchorRow_), std::max(col_, anchorCol_),
                std::max(row_, anchorRow_)};
    if (options_.Has(TGridOption::goRowSelect)) {
        r.left = fixedCols_;
        r.right = colCount_ - 1;
    }
    return r;
}

bool TStringGrid::MoveCurrent(int col, int row, bool user, bool extend) {
    if (user) {
        bool canSelect = true;
        OnSelectCell(this, col, row, canSelect);
        if (!canSelect) return false;
    }
    InvalidateSelection();
    col_ = col;
    row_ = row;
    if (!extend || !Wants(TGridOption::goRangeSelect)) {
        anchorCol_ = col;
        anchorRow_ = row;
    }
    ScrollInView(col, row);
    InvalidateSelection();
    UpdateAccessibleText();
    return true;
}

// ---- geometry ---------------------------------------------------------------

int TStringGrid::ClientWidth() const { return ClientRect().Width(); }
int TStringGrid::ClientHeight() const { return ClientRect().Height(); }

int TStringGrid::ColLeft(int col) const {
    const int pitch = colWidth_ + lineWidth_;
    if (col < fixedCols_) return col * pitch;
    if (col < leftCol_) return -1;
    return (fixedCols_ + col - leftCol_) * pitch;
}

int TStringGrid::RowTop(int row) const {
    const int pitch = rowHeight_ + lineWidth_;
    if (row < fixedRows_) return row * pitch;
    if (row < topRow_) return -1;
    return (fixedRows_ + row - topRow_) * pitch;
}

TRect TStringGrid::CellRect(int col, int row) const {
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    const int x = ColLeft(col), y = RowTop(row);
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return {};
    return {x, y, x + colWidth_, y + rowHeight_};
}

bool TStringGrid::MouseToCell(int x, int y, int& col, int& row) const {
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return false;
    const int colPitch = std::max(1, colWidth_ + lineWidth_), rowPitch = std::max(1, rowHeight_ + lineWidth_);
    // A point on a grid line belongs to the cell the line closes.
    const int fixedWidth = fixedCols_ * colPitch, fixedHeight = fixedRows_ * rowPitch;
    const int c = x < fixedWidth ? x / colPitch : leftCol_ + (x - fixedWidth) / colPitch;
    const int r = y < fixedHeight ? y / rowPitch : topRow_ + (y - fixedHeight) / rowPitch;
    if (c >= colCount_ || r >= rowCount_) return false;
    col = c;
    row = r;
    return true;
}

int TStringGrid::FitCols() const {
    const int pitch = colWidth_ + lineWidth_;
    if (pitch <= 0) return std::max(1, colCount_ - fixedCols_);
    return std::max(1, (ClientWidth() - fixedCols_ * pitch + lineWidth_) / pitch);
}

int TStringGrid::FitRows() const {
    const int pitch = rowHeight_ + lineWidth_;
    if (pitch <= 0) return std::max(1, rowCount_ - fixedRows_);
    return std::max(1, (ClientHeight() - fixedRows_ * pitch + lineWidth_) / pitch);
}

int TStringGrid::VisibleColCount() const { return std::min(FitCols(), colCount_ - leftCol_); }
int TStringGrid::VisibleRowCount() const { return std::min(FitRows(), rowCount_ - topRow_); }
int TStringGrid::MaxLeftCol() const { return std::max(fixedCols_, colCount_ - FitCols()); }
int TStringGrid::MaxTopRow() const { return std::max(fixedRows_, rowCount_ - FitRows()); }

void TStringGrid::SetLeftCol(int value) {
    value = std::clamp(value, fixedCols_, MaxLeftCol());
    if (value == leftCol_) return;
    leftCol_ = value;
    UpdateScrollBars();
    Invalidate();
}

void TStringGrid::SetTopRow(int value) {
    value = std::clamp(value, fixedRows_, MaxTopRow());
    if (value == topRow_) return;
    topRow_ = value;
    UpdateScrollBars();
    Invalidate();
}

void TStringGrid::ScrollInView(int col, int row) {
    if (col >= fixedCols_) {
        if (col < leftCol_)
            SetLeftCol(col);
        else if (col >= leftCol_ + FitCols())
            SetLeftCol(col - FitCols() + 1);
    }
    if (row >= fixedRows_) {
        if (row < topRow_)
            SetTopRow(row);
        else if (row >= topRow_ + FitRows())
            SetTopRow(row - FitRows() + 1);
    }
}

void TStringGrid::BoundsChanged(bool resized) {
    TWinControl::BoundsChanged(resized);
    if (!resized) return;
    leftCol_ = std::clamp(leftCol_, fixedCols_, MaxLeftCol());
    topRow_ = std::clamp(topRow_, fixedRows_, MaxTopRow());
    UpdateScrollBars();
}

void TStringGrid::FontChanged() {
    TWinControl::FontChanged();
    Invalidate();
}

void TStringGrid::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    if (borderStyle_ == TBorderStyle::bsSingle) params.exStyle |= WS_EX_CLIENTEDGE;
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) params.style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) params.style |= WS_HSCROLL;
}

void TStringGrid::CreateWnd() {
    TWinControl::CreateWnd();
    UpdateAccessibleText();
    UpdateScrollBars();
}
