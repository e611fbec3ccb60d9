#pragma once
// Printer services that record every call as a line of text, on a page of
// the size and resolution a test chooses, so that a printout's layout can
// be compared call by call.

#include <functional>
#include <string>
#include <vector>

#include "printing/PrinterServices.h"

class TRecordingPrinter final : public TPrinterServices {
public:
    TRecordingPrinter(int resolutionY, int pageWidth, int pageHeight)
        : resolution_(resolutionY), width_(pageWidth), height_(pageHeight) {}

    // Text extents: 10 pixels a character by 20 unless a test says otherwise.
    std::function<TSize(const std::string&)> extent = [](const std::string& text) {
        return TSize{10 * static_cast<int>(text.size()), 20};
    };
    // Called before every recorded call (by its name); a test may throw there.
    std::function<void(const std::string& call)> before;

    std::vector<std::string> calls;
    // Only the calls whose text starts with `prefix`.
    std::vector<std::string> Calls(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const std::string& c : calls)
            if (c.rfind(prefix, 0) == 0) out.push_back(c);
        return out;
    }

    void BeginDoc(const std::string& title) override { Record("BeginDoc", title); }
    void NewPage() override { Record("NewPage", ""); }
    void EndDoc() override { Record("EndDoc", ""); }
    int PageWidth() override { return width_; }
    int PageHeight() override { return height_; }
    int PixelsPerInchY() override { return resolution_; }
    void SetFont(const TFont& screenFont) override {
        const TPrinterFont f = PrinterFontOf(screenFont);
        std::string style;
        if (f.style.Has(TFontStyle::fsBold)) style += "B";
        if (f.style.Has(TFontStyle::fsItalic)) style += "I";
        if (f.style.Has(TFontStyle::fsUnderline)) style += "U";
        Record("SetFont", f.name + "," + std::to_string(f.points) + "pt," + style + "," + std::to_string(f.color) + "," +
                              std::to_string(f.charset));
    }
    void SetFontName(const std::string& family) override { Record("SetFontName", family); }
    void TextOut(int x, int y, const std::string& text) override {
        Record("TextOut", std::to_string(x) + "," + std::to_string(y) + "," + text);
    }
    TSize TextExtent(const std::string& text) override { return extent(text); }
    void SetPenColor(TColor color) override { Record("SetPenColor", std::to_string(color)); }
    void MoveTo(int x, int y) override { Record("MoveTo", std::to_string(x) + "," + std::to_string(y)); }
    void LineTo(int x, int y) override { Record("LineTo", std::to_string(x) + "," + std::to_string(y)); }
    void DrawText(const TRect& r, const std::string& text, unsigned format) override {
        Record("DrawText", std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                               std::to_string(r.bottom) + "," + std::to_string(format) + "," + text);
    }

private:
    void Record(const std::string& name, const std::string& args) {
        if (before) before(name);
        calls.push_back(args.empty() ? name : name + "(" + args + ")");
    }

    int resolution_, width_, height_;
};
