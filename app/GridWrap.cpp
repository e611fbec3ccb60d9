// The main window at a density other than the design's: wrapped round its
// character grid.

#include <algorithm>

#include "app/AppMainForm.h"
#include "platform/win/WindowPlacement.h"

void TMainForm::CreateWnd() {
    TForm::CreateWnd();
    // The first window is made once every control has loaded and been laid
    // out at the form's density: by the form settings just before they apply
    // a stored geometry, or by showing the form. What they apply then starts
    // from the wrapped size and wins over it.
    if (GridWrapped) return;
    GridWrapped = true;
    WrapCharacterGrid();
}

void TMainForm::WrapCharacterGrid() {
    if (PixelsPerInch() == kDesignPixelsPerInch) return;
    // The cells scale with the density, each by the same rounding. The rest
    // of the way from the window's edge to the cells is the system's: the
    // frame and caption, the notebook's border and tab row, the grid's border
    // and its one-pixel lines do not grow in step with the design, under some
    // systems not at all. At the design density the cells and the lines
    // between them fill the grid exactly; the window gives back (or takes)
    // what the system's parts left over, so that they fill it here too. Every
    // control between the window's edge and the grid follows the window's
    // size one for one, so one step is exact.
    const int line = TestGrid->GridLineWidth();
    const int cellsWide = TestGrid->ColCount() * (TestGrid->DefaultColWidth() + line) - line;
    const int cellsHigh = TestGrid->RowCount() * (TestGrid->DefaultRowHeight() + line) - line;
    const TRect inside = TestGrid->ClientRect();
    const int spareX = inside.Width() - cellsWide, spareY = inside.Height() - cellsHigh;
    if (spareX == 0 && spareY == 0) return;
    // Whole on the screen before exact: a screen too small for the wrapped
    // window cuts it, and the cells are then cut with it.
    const TRect work = DesktopWorkArea();
    const int width = std::min(Width() - spareX, work.Width());
    const int height = std::min(Height() - spareY, work.Height());
    const int left = std::max(work.left, std::min(Left(), work.right - width));
    const int top = std::max(work.top, std::min(Top(), work.bottom - height));
    SetBounds(left, top, width, height);
}
