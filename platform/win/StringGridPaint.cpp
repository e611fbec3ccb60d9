// Painting of the string grid: cells with their text, grid lines, and the
// current cell in the selection colours.

#include <algorithm>

#include "platform/win/Canvas.h"
#include "platform/win/StringGrid.h"
#include "platform/win/Win32.h"

namespace {

// Normal cells are divided by light lines, the fixed (header) cells by
// darker ones.
constexpr TColor kLineColor = clSilver;
constexpr TColor kFixedLineColor = clBtnShadow;

bool Intersects(const TRect& a, const TRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

void TStringGrid::InvalidateCell(int col, int row) {
    // A hidden grid is painted whole when it shows; asking for each cell
    // costs a round trip to the system per cell (filling the grid at start
    // asks 224 times, on a page not yet shown).
    if (!HandleAllocated() || !::IsWindowVisible(WindowHandle())) return;
    const TRect r = CellRect(col, row);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    const RECT rect{r.left, r.top, r.right, r.bottom};
    ::InvalidateRect(WindowHandle(), &rect, FALSE);
}

void TStringGrid::InvalidateSelection() {
    if (!HandleAllocated()) return;
    const TGridRect s = Selection();
    // The part from the first cell in view to the last cell of the range.
    const int c0 = std::max(s.left, leftCol_), r0 = std::max(s.top, topRow_);
    if (c0 > s.right || r0 > s.bottom) return;
    const RECT rect{ColLeft(c0), RowTop(r0), ColLeft(s.right) + colWidth_ + lineWidth_,
                    RowTop(s.bottom) + rowHeight_ + lineWidth_};
    ::InvalidateRect(WindowHandle(), &rect, FALSE);
}

void TStringGrid::PaintCell(TCanvas& canvas, int col, int row, const TRect& rect, bool selected) {
    const bool fixed = col < fixedCols_ || row < fixedRows_;
    TColor back = fixed ? clBtnFace : Color();
    TColor text = Font()->Color();
    if (selected) {
        back = clHighlight;
        text = clHighlightText;
    }
    canvas.Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas.Brush()->SetColor(back);
    canvas.Font()->SetColor(text);
    canvas.TextRect(rect, rect.left + 2, rect.top + 2, Cells(col, row));
}

void TStringGrid::Paint(HDC dc, const TRect& dirty) {
    TCanvas canvas(dc);
    canvas.Font()->Assign(*Font());
    const int width = ClientWidth(), height = ClientHeight();
    const TGridRect sel = Selection();
    const bool focused = Focused();
    int bottom = 0, right = 0;  // the extent of the cells and lines drawn
    auto lines = [&](bool fixed, bool vertical) {
        return Wants(fixed ? (vertical ? TGridOption::goFixedVertLine : TGridOption::goFixedHorzLine)
                           : (vertical ? TGridOption::goVertLine : TGridOption::goHorzLine));
    };
    for (int row = 0; row < rowCount_; ++row) {
        const int y = RowTop(row);
        if (y < 0) continue;
        if (y >= height) break;
        for (int col = 0; col < colCount_; ++col) {
            const int x = ColLeft(col);
            if (x < 0) continue;
            if (x >= width) break;
            const bool fixed = col < fixedCols_ || row < fixedRows_;
            const TRect cell{x, y, x + colWidth_, y + rowHeight_};
            // The cell with the lines that close it on the right and below.
            const TRect whole{x, y, cell.right + lineWidth_, cell.bottom + lineWidth_};
            right = std::max(right, whole.right);
            bottom = std::max(bottom, whole.bottom);
            if (!Intersects(whole, dirty)) continue;
            const bool selected =
                !fixed && col >= sel.left && col <= sel.right && row >= sel.top && row <= sel.bottom;
            PaintCell(canvas, col, row, cell, selected);
            if (focused && col == col_ && row == row_) canvas.DrawFocusRect(cell);
            if (lineWidth_ <= 0) continue;
            const TColor lineColor = fixed ? kFixedLineColor : kLineColor;
            canvas.Brush()->SetColor(lines(fixed, true) ? lineColor : Color());
            canvas.FillRect({cell.right, y, whole.right, whole.bottom});
            canvas.Brush()->SetColor(lines(fixed, false) ? lineColor : Color());
            canvas.FillRect({x, cell.bottom, cell.right, whole.bottom});
        }
    }
    // What no cell covers shows the grid's colour.
    canvas.Brush()->SetColor(Color());
    if (right < width) canvas.FillRect({right, 0, width, height});
    if (bottom < height) canvas.FillRect({0, bottom, std::min(right, width), height});
}
