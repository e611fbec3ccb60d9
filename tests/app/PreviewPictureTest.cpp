// The font list's rows, drawn from the kept previews, are pixel for pixel
// what drawing a plain 32-bit preview with white transparent gives. The
// reference is the test's own: the face name rendered by GDI into a 32-bit
// bitmap on white, drawn through a mask of its white pixels, as a row was
// drawn before previews were kept packed.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/AppMainForm.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/support/Families.h"
#include "tests/win/GdiTestUtil.h"

namespace {

// Neighbouring rows in colours no preview has, so that every pixel a
// preview leaves out, or covers wrongly, shows.
void PaintNeighbours(TTestSurface& surface) {
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) surface.Put(x, y, RGB(0x40, 0x30, 0x20 + (x * 7 + y * 13) % 97));
}

struct TDifference {
    int count = 0;
    int x = -1, y = -1;  // the first one
};

TDifference Compare(const TTestSurface& a, const TTestSurface& b) {
    TDifference d;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y) && d.count++ == 0) {
                d.x = x;
                d.y = y;
            }
    return d;
}

struct TStyle {
    int points;
    bool bold, italic, underline;
};

// The row as it was drawn from a 32-bit preview: background, then the
// preview through a pattern brush of its white pixels, one blit that keeps
// the destination where the pattern is set.
void ReferenceRow(HDC dc, RECT row, COLORREF background, const std::string& name, const TStyle& style) {
    HBRUSH fill = ::CreateSolidBrush(background);
    ::FillRect(dc, &row, fill);
    ::DeleteObject(fill);

    HDC screen = ::GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(style.points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.italic;
    lf.lfUnderline = style.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = Wide(FaceOfEntry(name));
    face.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    const std::wstring text = Wide(name), measured = text + L" ";

    HDC source = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(source, font);
    SIZE wide{}, tall{};
    ::GetTextExtentPoint32W(source, measured.c_str(), int(measured.size()), &wide);
    ::GetTextExtentPoint32W(source, text.c_str(), int(text.size()), &tall);
    const int w = wide.cx, h = tall.cy;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP pixels = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldPixels = ::SelectObject(source, pixels);
    HGDIOBJ oldBrush = ::SelectObject(source, ::GetStockObject(WHITE_BRUSH));
    ::PatBlt(source, 0, 0, w, h, PATCOPY);
    ::SetBkMode(source, OPAQUE);
    ::SetBkColor(source, RGB(255, 255, 255));
    ::SetTextColor(source, ::GetSysColor(COLOR_WINDOWTEXT));
    ::TextOutW(source, 0, 0, text.c_str(), int(text.size()));

    // The mask: set bits where the pixels are white.
    HBITMAP mono = ::CreateBitmap(w, h, 1, 1, nullptr);
    HDC maskDc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldMono = ::SelectObject(maskDc, mono);
    ::BitBlt(maskDc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    ::SelectObject(maskDc, oldMono);
    ::DeleteDC(maskDc);
    HBRUSH mask = ::CreatePatternBrush(mono);
    ::DeleteObject(mono);

    const int x = int(row.left) + 4, y = int(row.top) + (int(row.bottom - row.top) + 1 - h) / 2;
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::SetBrushOrgEx(dc, x, y, nullptr);
    HGDIOBJ oldMask = ::SelectObject(dc, mask);
    ::BitBlt(dc, x, y, w, h, source, 0, 0, 0x00AC0744);  // pattern set: destination, else source
    ::SelectObject(dc, oldMask);
    ::DeleteObject(mask);

    ::SelectObject(source, oldBrush);
    ::SelectObject(source, oldPixels);
    ::SelectObject(source, oldFont);
    ::DeleteObject(pixels);
    ::DeleteObject(font);
    ::DeleteDC(source);
}

class PreviewPicture : public MainWindow {
protected:
    void SetStyle(const TStyle& style) {
        form->BoldBtn->SetDown(style.bold);
        form->ItalicBtn->SetDown(style.italic);
        form->UnderlineBtn->SetDown(style.underline);
        form->SizeUpDown->SetPosition(style.points);
        form->SizeEdit->SetText(std::to_string(style.points));
        form->FontPropsChanged(nullptr);
    }

    // The row of `index` drawn by the list's own drawing routine into
    // `surface`, the row lying in its middle third.
    void ProgramRow(TTestSurface& surface, RECT row, int index, bool selected) {
        TCanvas* canvas = form->FontList->Canvas();
        canvas->SetHandle(surface.DC());
        TOwnerDrawState state;
        if (selected) state.Include(TOwnerDrawFlag::odSelected);
        form->FontListDrawItem(form->FontList, index, TRect{int(row.left), int(row.top), int(row.right), int(row.bottom)},
                               state);
        canvas->ReleaseHandle();
    }

    int IndexOf(const std::string& name) const {
        const auto it = std::find(families.begin(), families.end(), name);
        return it == families.end() ? -1 : int(it - families.begin());
    }

    const std::vector<std::string>& families = expected;
};

TEST_F(PreviewPicture, RowsMatchATransparentThirtyTwoBitPreviewPixelForPixel) {
    ASSERT_GT(families.size(), 1u);
    const auto longest =
        std::max_element(families.begin(), families.end(), [](const auto& a, const auto& b) { return a.size() < b.size(); });
    std::string symbol;
    for (const char* candidate : {"Symbol", "Wingdings", "Marlett"})
        if (IndexOf(candidate) >= 0) {
            symbol = candidate;
            break;
        }
    ASSERT_FALSE(symbol.empty()) << "no symbol family installed";

    struct Case {
        std::string family;
        TStyle style;
        bool selected;
    };
    const Case cases[] = {
        {families[0], {8, false, false, false}, false},
        {families[1], {8, true, true, true}, true},
        {*longest, {8, false, true, false}, false},
        {symbol, {8, false, false, false}, true},
        {symbol, {72, true, false, true}, false},
        {families[1], {72, false, false, false}, true},
        {*longest, {72, true, true, true}, true},
        {families[0], {72, false, true, true}, false},
    };
    const int width = form->FontList->ClientRect().Width();
    const int rowHeight = form->FontList->ItemHeight();
    // Tall enough for a 72-point preview to reach into both neighbours.
    const int height = 3 * 160;
    const RECT row{0, 160, width, 160 + rowHeight};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.family + " at " + std::to_string(c.style.points) + (c.selected ? ", selected" : ""));
        SetStyle(c.style);
        const int index = IndexOf(c.family);
        ASSERT_GE(index, 0);
        TTestSurface program(width, height, 0), reference(width, height, 0), untouched(width, height, 0);
        for (TTestSurface* s : {&program, &reference, &untouched}) PaintNeighbours(*s);
        ProgramRow(program, row, index, c.selected);
        ReferenceRow(reference.DC(), row, c.selected ? RGB(0xE0, 0xE0, 0xE0) : ::GetSysColor(COLOR_WINDOW), c.family,
                     c.style);
        const TDifference d = Compare(program, reference);
        EXPECT_EQ(d.count, 0) << "first at " << d.x << ", " << d.y;
        // Neither side may pass by drawing nothing: the row holds pixels of
        // the name, and a large preview reaches into the neighbouring rows.
        const COLORREF back = c.selected ? RGB(0xE0, 0xE0, 0xE0) : ::GetSysColor(COLOR_WINDOW);
        int inRow = 0, outside = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF p = program.At(x, y);
                if (y >= row.top && y < row.bottom)
                    inRow += p != back;
                else
                    outside += p != untouched.At(x, y);
            }
        EXPECT_GT(inRow, 0);
        if (c.style.points == 72) {
            EXPECT_GT(outside, 0) << "the preview does not reach into the neighbouring rows";
        } else {
            EXPECT_EQ(outside, 0);
        }
    }
}

TEST_F(PreviewPicture, TheComparisonSeesOnePixelOfDifference) {
    SetStyle({72, true, true, true});
    const int width = form->FontList->ClientRect().Width();
    const int rowHeight = form->FontList->ItemHeight();
    const RECT row{0, 160, width, 160 + rowHeight};
    TTestSurface program(width, 480, 0), reference(width, 480, 0);
    PaintNeighbours(program);
    PaintNeighbours(reference);
    ProgramRow(program, row, 0, false);
    ReferenceRow(reference.DC(), row, ::GetSysColor(COLOR_WINDOW), families[0], {72, true, true, true});
    ASSERT_EQ(Compare(program, reference).count, 0);
    struct Case {
        int x, y;
        COLORREF flip;
    };
    // Pixels of the neighbours and one of the name's middle, one bit of one
    // channel each.
    const Case cases[] = {{0, 0, RGB(1, 0, 0)}, {width / 2, 160 + rowHeight / 2, RGB(0, 0, 1)},
                          {width - 1, 479, RGB(0, 1, 0)}};
    for (const Case& c : cases) {
        const COLORREF was = program.At(c.x, c.y);
        program.Put(c.x, c.y, was ^ c.flip);
        const TDifference d = Compare(program, reference);
        EXPECT_EQ(d.count, 1);
        EXPECT_EQ(d.x, c.x);
        EXPECT_EQ(d.y, c.y);
        program.Put(c.x, c.y, was);
    }
}

}  // namespace
