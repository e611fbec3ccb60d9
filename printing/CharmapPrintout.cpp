#include "printing/CharmapPrintout.h"

#include "platform/core/Text.h"

TPoint TCharmapLayout::CharacterAt(int row, int column, TSize extent) const {
    return TPoint{kOrigin + column * cell + (cell - extent.cx) / 2, kOrigin + row * cell + (cell - extent.cy) / 2};
}

TCharmapLayout CharmapLayout(int resolutionY) {
    TCharmapLayout layout;
    layout.cell = (resolutionY / 72) * 22;
    if (layout.cell <= 0) throw EPrintout("The printer's resolution is too low to print the character map");
    return layout;
}

std::string AnsiCharacter(int code) { return text::AnsiToUtf8(std::string(1, static_cast<char>(code))); }

void TCharmapPrintout::Measure(TPrinterServices& printer) { layout_ = CharmapLayout(printer.PixelsPerInchY()); }

void TCharmapPrintout::Draw(TPrinterServices& printer) {
    constexpr int o = TCharmapLayout::kOrigin;
    const int s = layout_.cell;
    printer.SetFont(font_);
    printer.SetPenColor(TCharmapLayout::kLineColor);
    for (int i = 0; i <= TCharmapLayout::kColumns; ++i) {
        printer.MoveTo(o + i * s, o);
        printer.LineTo(o + i * s, o + TCharmapLayout::kRows * s);
    }
    for (int j = 0; j <= TCharmapLayout::kRows; ++j) {
        printer.MoveTo(o, o + j * s);
        printer.LineTo(o + TCharmapLayout::kColumns * s, o + j * s);
    }
    for (int row = 0; row < TCharmapLayout::kRows; ++row) {
        for (int column = 0; column < TCharmapLayout::kColumns; ++column) {
            const std::string character = AnsiCharacter(TCharmapLayout::CodeAt(row, column));
            const TPoint at = layout_.CharacterAt(row, column, printer.TextExtent(character));
            printer.TextOut(at.x, at.y, character);
        }
    }
}
