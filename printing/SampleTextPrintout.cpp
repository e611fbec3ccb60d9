#include "printing/SampleTextPrintout.h"

TRect SampleTextRect(int pageWidth, int pageHeight) { return TRect{100, 100, pageWidth - 100, pageHeight - 100}; }

void TSampleTextPrintout::Measure(TPrinterServices& printer) {
    const int w = printer.PageWidth();
    const int h = printer.PageHeight();
    rect_ = SampleTextRect(w, h);
}

void TSampleTextPrintout::Draw(TPrinterServices& printer) {
    printer.SetFont(font_);
    printer.DrawText(rect_, text_, kSampleTextFormat);
}
