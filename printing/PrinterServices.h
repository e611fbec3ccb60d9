#pragma once
// What the printouts need of a printer, and nothing more: a document of
// pages, the page size and resolution, a font, text and lines. The real
// printer (DefaultPrinter.h) is one implementation; a printout's layout runs
// the same way against any other, for example one that records each call.
//
// Lengths are device pixels of the printable area, (0, 0) at its top-left
// corner. Text is UTF-8.

#include <string>

#include "platform/win/Colors.h"
#include "platform/win/Font.h"
#include "platform/win/Geometry.h"

// DrawText format flags (DT_*) that printouts use.
inline constexpr unsigned kDtWordBreak = 0x10;
inline constexpr unsigned kDtExpandTabs = 0x40;
inline constexpr unsigned kDtNoPrefix = 0x800;

// A printer font as a screen font describes it: the size in whole points
// carries over, the pixel height follows from the printer's resolution.
struct TPrinterFont {
    std::string name;
    int points = 0;
    TFontStyles style;
    TColor color = clWindowText;
    int charset = kDefaultCharset;
    friend bool operator==(const TPrinterFont&, const TPrinterFont&) = default;
};

TPrinterFont PrinterFontOf(const TFont& screenFont);
// The font's pixel height at `pixelsPerInch`: −points × ppi / 72, rounded
// half away from zero (negative: the em height, as a font's Height is).
int FontHeightAt(int points, int pixelsPerInch);

class TPrinterServices {
public:
    virtual ~TPrinterServices() = default;

    // Starts a job named by the title (its first 31 characters) and page 1.
    virtual void BeginDoc(const std::string& title) = 0;
    // Ends the page and starts the next; the font and pen carry over.
    virtual void NewPage() = 0;
    // Ends the current page, then the job.
    virtual void EndDoc() = 0;

    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
    // Device pixels per inch, vertically.
    virtual int PixelsPerInchY() = 0;

    // The printer font becomes the screen font's family, size in points,
    // style, colour and character set.
    virtual void SetFont(const TFont& screenFont) = 0;
    // Replaces only the printer font's family.
    virtual void SetFontName(const std::string& family) = 0;

    // Text with the top-left corner of its cell at (x, y), on an opaque
    // white background, not clipped.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Width and height of the text in the printer font.
    virtual TSize TextExtent(const std::string& text) = 0;
    // Solid lines one device pixel wide.
    virtual void SetPenColor(TColor color) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Text laid out in the rectangle by the DT_* `format` flags, clipped to it.
    virtual void DrawText(const TRect& rect, const std::string& text, unsigned format) = 0;
};
