#pragma once
// The font-list printout: every family's name in its own face, at the
// sample text's size and style, in two columns per page.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "printing/Printout.h"

// Where the names go, in device pixels; integer arithmetic, division
// truncating toward zero.
struct TFontListLayout {
    static constexpr int kMargin = 100;  // page margins and the gap between the columns

    int columnWidth = 0;  // C = (W − 300) div 2
    int pitch = 0;        // P = (Y div 72) × 36
    int rows = 0;         // R = (H − 200) div P
    int perPage = 0;      // E = 2 × R
    int pages = 0;        // (N + E − 1) div E

    int ColumnLeft(int column) const { return kMargin + column * (columnWidth + kMargin); }
    int RowTop(int row) const { return kMargin + row * pitch; }
    // The entry at a place of a page: p × E + c × R + r.
    int EntryAt(int page, int column, int row) const { return page * perPage + column * rows + row; }
};

// The layout for `count` names; raises EPrintout when no row fits, because
// the resolution is below 72 pixels per inch or the page is too short.
TFontListLayout FontListLayout(int resolutionY, int pageWidth, int pageHeight, int count);

inline constexpr std::string_view kFontListTitle = "Seznam fontů";

class TFontListPrintout final : public TPrintout {
public:
    // The face a family's name is printed in (a family entry may stand for
    // another face).
    using TFaceOf = std::function<std::string(std::string_view family)>;

    // `families` and `font` must outlive the printout.
    TFontListPrintout(const std::vector<std::string>& families, const TFont& font, TFaceOf faceOf = {});

    std::string Title() const override { return std::string(kFontListTitle); }
    void Measure(TPrinterServices& printer) override;
    void Draw(TPrinterServices& printer) override;

private:
    const std::vector<std::string>& families_;
    const TFont& font_;
    TFaceOf faceOf_;
    TFontListLayout layout_;
};
