#pragma once
// The printer services on the program's printer (the system's default
// printer, taken on first use for the rest of the run).
//
// One object serves one printout. A document it began and did not end (the
// printout failed half-way) is dropped when the object goes, so that the
// printer is free again and nothing half-drawn is printed.

#include "platform/win/Printer.h"
#include "printing/PrinterServices.h"

class TDefaultPrinterServices final : public TPrinterServices {
public:
    explicit TDefaultPrinterServices(TPrinter& printer = Printer()) : printer_(printer) {}
    ~TDefaultPrinterServices() override;
    TDefaultPrinterServices(const TDefaultPrinterServices&) = delete;
    TDefaultPrinterServices& operator=(const TDefaultPrinterServices&) = delete;

    void BeginDoc(const std::string& title) override;
    void NewPage() override;
    void EndDoc() override;
    int PageWidth() override;
    int PageHeight() override;
    int PixelsPerInchY() override;
    void SetFont(const TFont& screenFont) override;
    void SetFontName(const std::string& family) override;
    void TextOut(int x, int y, const std::string& text) override;
    TSize TextExtent(const std::string& text) override;
    void SetPenColor(TColor color) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void DrawText(const TRect& rect, const std::string& text, unsigned format) override;

private:
    TPrinter& printer_;
    bool begun_ = false;  // a document of ours is in progress
};
