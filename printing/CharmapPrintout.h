#pragma once
// The character-map printout: the codes 32 to 255 of the ANSI code page in a
// ruled grid of 16 columns and 14 rows, each character centred in its cell.

#include <string>
#include <string_view>

#include "printing/Printout.h"

inline constexpr std::string_view kCharmapTitle = "Mapa znaků";

struct TCharmapLayout {
    static constexpr int kOrigin = 100;  // the grid's top-left corner, both ways
    static constexpr int kColumns = 16;
    static constexpr int kRows = 14;
    static constexpr TColor kLineColor = TColor(0x808080);  // RGB(128, 128, 128)

    int cell = 0;  // S = (Y div 72) × 22, for width and height alike

    // The code of the character in a cell: 32 + 16 × row + column.
    static int CodeAt(int row, int column) { return 32 + kColumns * row + column; }
    // Where a character of that extent goes in its cell: its text cell's
    // top-left corner, centred with division truncating toward zero.
    TPoint CharacterAt(int row, int column, TSize extent) const;
};

// Raises EPrintout when the resolution is below 72 pixels per inch (S = 0).
TCharmapLayout CharmapLayout(int resolutionY);

// The character of a code of the system's ANSI code page, as UTF-8.
std::string AnsiCharacter(int code);

class TCharmapPrintout final : public TPrintout {
public:
    // `font` must outlive the printout.
    explicit TCharmapPrintout(const TFont& font) : font_(font) {}

    std::string Title() const override { return std::string(kCharmapTitle); }
    void Measure(TPrinterServices& printer) override;
    void Draw(TPrinterServices& printer) override;

private:
    const TFont& font_;
    TCharmapLayout layout_;
};
