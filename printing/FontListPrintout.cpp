#include "printing/FontListPrintout.h"

TFontListLayout FontListLayout(int resolutionY, int pageWidth, int pageHeight, int count) {
    constexpr int m = TFontListLayout::kMargin;
    TFontListLayout layout;
    layout.columnWidth = (pageWidth - 2 * m - m) / 2;
    layout.pitch = (resolutionY / 72) * 36;
    if (layout.pitch <= 0) throw EPrintout("The printer's resolution is too low to print the font list");
    layout.rows = (pageHeight - 2 * m) / layout.pitch;
    if (layout.rows <= 0) throw EPrintout("The printer's page is too small to print the font list");
    layout.perPage = 2 * layout.rows;
    layout.pages = (count + layout.perPage - 1) / layout.perPage;
    return layout;
}

TFontListPrintout::TFontListPrintout(const std::vector<std::string>& families, const TFont& font, TFaceOf faceOf)
    : families_(families), font_(font), faceOf_(std::move(faceOf)) {}

void TFontListPrintout::Measure(TPrinterServices& printer) {
    const int y = printer.PixelsPerInchY();
    const int w = printer.PageWidth();
    const int h = printer.PageHeight();
    layout_ = FontListLayout(y, w, h, static_cast<int>(families_.size()));
}

void TFontListPrintout::Draw(TPrinterServices& printer) {
    const int count = static_cast<int>(families_.size());
    printer.SetFont(font_);
    for (int page = 0; page < layout_.pages; ++page) {
        for (int column = 0; column < 2; ++column) {
            const int x = layout_.ColumnLeft(column);
            for (int row = 0; row < layout_.rows; ++row) {
                const int i = layout_.EntryAt(page, column, row);
                if (i >= count) continue;
                const std::string& name = families_[static_cast<size_t>(i)];
                // The size and style stay; only the face follows the entry.
                printer.SetFontName(faceOf_ ? faceOf_(name) : name);
                printer.TextOut(x, layout_.RowTop(row), name);
            }
        }
        if (page != layout_.pages - 1) printer.NewPage();
    }
}
