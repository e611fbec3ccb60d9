#pragma once
// The sample-text printout: the sample text on one page, in the font the
// sample box shows it in, broken into lines between words and clipped to the
// page's margins.

#include <string>
#include <string_view>

#include "printing/Printout.h"

// Word breaks, tabs every eight average character widths, "&" printed as it
// is; left- and top-aligned.
inline constexpr unsigned kSampleTextFormat = kDtWordBreak | kDtExpandTabs | kDtNoPrefix;
inline constexpr std::string_view kSampleTextTitle = "Testovací text";

// The text's rectangle on a page of that size: 100 pixels in from each edge.
TRect SampleTextRect(int pageWidth, int pageHeight);

class TSampleTextPrintout final : public TPrintout {
public:
    // `font` must outlive the printout.
    TSampleTextPrintout(std::string text, const TFont& font) : text_(std::move(text)), font_(font) {}

    std::string Title() const override { return std::string(kSampleTextTitle); }
    void Measure(TPrinterServices& printer) override;
    void Draw(TPrinterServices& printer) override;

private:
    std::string text_;
    const TFont& font_;
    TRect rect_;
};
