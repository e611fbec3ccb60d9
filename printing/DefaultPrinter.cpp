#include "printing/DefaultPrinter.h"

TDefaultPrinterServices::~TDefaultPrinterServices() {
    if (begun_) printer_.Abort();
}

void TDefaultPrinterServices::BeginDoc(const std::string& title) {
    printer_.SetTitle(title);
    printer_.BeginDoc();
    begun_ = true;
}

void TDefaultPrinterServices::NewPage() { printer_.NewPage(); }

void TDefaultPrinterServices::EndDoc() {
    // The printer has let go of the job by now, whether it took it or not.
    begun_ = false;
    printer_.EndDoc();
}

int TDefaultPrinterServices::PageWidth() { return printer_.PageWidth(); }
int TDefaultPrinterServices::PageHeight() { return printer_.PageHeight(); }
int TDefaultPrinterServices::PixelsPerInchY() { return printer_.PixelsPerInchY(); }

void TDefaultPrinterServices::SetFont(const TFont& screenFont) {
    const TPrinterFont font = PrinterFontOf(screenFont);
    TFont* target = printer_.Canvas()->Font();
    target->SetName(font.name);
    target->SetStyle(font.style);
    target->SetColor(font.color);
    target->SetCharset(font.charset);
    target->SetHeight(FontHeightAt(font.points, printer_.PixelsPerInchY()));
}

void TDefaultPrinterServices::SetFontName(const std::string& family) { printer_.Canvas()->Font()->SetName(family); }

namespace {

// Text cells are filled white, over whatever was drawn before.
TCanvas* TextCanvas(TPrinter& printer) {
    TCanvas* canvas = printer.Canvas();
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(clWhite);
    return canvas;
}

}  // namespace

void TDefaultPrinterServices::TextOut(int x, int y, const std::string& text) { TextCanvas(printer_)->TextOut(x, y, text); }

TSize TDefaultPrinterServices::TextExtent(const std::string& text) { return printer_.Canvas()->TextExtent(text); }

void TDefaultPrinterServices::SetPenColor(TColor color) {
    TPen* pen = printer_.Canvas()->Pen();
    pen->SetStyle(TPenStyle::psSolid);
    pen->SetWidth(1);
    pen->SetColor(color);
}

void TDefaultPrinterServices::MoveTo(int x, int y) { printer_.Canvas()->MoveTo(x, y); }
void TDefaultPrinterServices::LineTo(int x, int y) { printer_.Canvas()->LineTo(x, y); }

void TDefaultPrinterServices::DrawText(const TRect& rect, const std::string& text, unsigned format) {
    TextCanvas(printer_)->DrawText(rect, text, format);
}
