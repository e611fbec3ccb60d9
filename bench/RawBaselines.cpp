#include "RawBaselines.h"

#include <algorithm>

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

HFONT RawFont(const std::string& face, const TRawPreviewStyle& style, int logPixelsY) {
    LOGFONTW lf{};
    lf.lfHeight = -::MulDiv(style.pointSize, logPixelsY, 72);
    lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style.italic;
    lf.lfUnderline = style.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring w = Wide(face);
    wcsncpy(lf.lfFaceName, w.c_str(), LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&lf);
}

HBITMAP Dib32(HDC dc, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

int RawRenderLoop(const std::vector<std::string>& faces, const std::vector<std::string>& names,
                  const TRawPreviewStyle& style) {
    HDC screen = ::GetDC(nullptr);
    const int logPixelsY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    // One DC and one bitmap for all, grown to the largest preview, as the
    // program renders.
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    HBITMAP sheet = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    int sheetWidth = 0, sheetHeight = 0;
    int made = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring text = Wide(names[i]);
        const std::wstring measured = text + L" ";
        HFONT font = RawFont(faces[i], style, logPixelsY);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        SIZE wide{}, tall{};
        ::GetTextExtentPoint32W(dc, measured.c_str(), int(measured.size()), &wide);
        ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &tall);
        if (wide.cx > sheetWidth || tall.cy > sheetHeight) {
            sheetWidth = std::max<int>(sheetWidth, wide.cx);
            sheetHeight = std::max<int>(sheetHeight, tall.cy);
            HBITMAP larger = Dib32(dc, sheetWidth, sheetHeight);
            if (larger) {
                HGDIOBJ previous = ::SelectObject(dc, larger);
                if (!oldBitmap) oldBitmap = previous;
                if (sheet) ::DeleteObject(sheet);
                sheet = larger;
            }
        }
        if (sheet && wide.cx > 0 && tall.cy > 0) {
            ::PatBlt(dc, 0, 0, wide.cx, tall.cy, PATCOPY);
            ::TextOutW(dc, 0, 0, text.c_str(), int(text.size()));
            ::GdiFlush();
            ++made;
        }
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
    }
    if (oldBitmap) ::SelectObject(dc, oldBitmap);
    if (sheet) ::DeleteObject(sheet);
    ::SelectObject(dc, oldBrush);
    ::DeleteDC(dc);
    return made;
}

namespace {

HBITMAP Dib(HDC dc, int width, int height, int bits, void** pixels) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bits);
    info.header.biCompression = BI_RGB;
    info.colours[1] = RGBQUAD{255, 255, 255, 0};
    return ::CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels, nullptr, 0);
}

}  // namespace

double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats) {
    struct TSource {
        HDC colour, mask;
        HBITMAP colourBitmap, maskBitmap;
        HGDIOBJ oldColour, oldMask;
    };
    std::vector<TSource> sources;
    for (const TRawBlit& b : blits) {
        TSource s{};
        s.colour = ::CreateCompatibleDC(nullptr);
        s.mask = ::CreateCompatibleDC(nullptr);
        void* colourBits = nullptr;
        void* maskBits = nullptr;
        s.colourBitmap = Dib(s.colour, b.width, b.height, 32, &colourBits);
        s.maskBitmap = Dib(s.mask, b.width, b.height, 1, &maskBits);
        auto* colour = static_cast<uint32_t*>(colourBits);
        auto* mask = static_cast<uint8_t*>(maskBits);
        const int maskStride = (b.width + 31) / 32 * 4;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x) {
                const uint32_t p = b.pixels[size_t(y) * b.width + x] & 0xFFFFFF;
                const bool white = p == 0xFFFFFF;
                colour[size_t(y) * b.width + x] = white ? 0 : p;
                if (white) mask[y * maskStride + x / 8] |= uint8_t(0x80 >> (x % 8));
            }
        s.oldColour = ::SelectObject(s.colour, s.colourBitmap);
        s.oldMask = ::SelectObject(s.mask, s.maskBitmap);
        sources.push_back(s);
    }
    HBRUSH background = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    for (int r = 0; r < repeats; ++r) {
        HDC dc = ::GetDC(window);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        for (size_t i = 0; i < blits.size(); ++i) {
            const TRawBlit& b = blits[i];
            const RECT row{b.rowLeft, b.rowTop, b.rowRight, b.rowBottom};
            ::FillRect(dc, &row, background);
            ::BitBlt(dc, b.x, b.y, b.width, b.height, sources[i].mask, 0, 0, SRCAND);
            ::BitBlt(dc, b.x, b.y, b.width, b.height, sources[i].colour, 0, 0, SRCPAINT);
        }
        ::ReleaseDC(window, dc);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&t1);
    ::DeleteObject(background);
    for (const TSource& s : sources) {
        ::SelectObject(s.colour, s.oldColour);
        ::SelectObject(s.mask, s.oldMask);
        ::DeleteObject(s.colourBitmap);
        ::DeleteObject(s.maskBitmap);
        ::DeleteDC(s.colour);
        ::DeleteDC(s.mask);
    }
    return double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart) / repeats;
}

namespace {

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(Utf8(font->lfFaceName));
    return 1;
}

}  // namespace

std::vector<std::string> BareWindowStartAndEnumerate(int width, int height) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"GlyphoraBenchBare";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Glyphora", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    std::vector<std::string> names;
    HDC screen = ::GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(screen, &query, &CollectFamily, reinterpret_cast<LPARAM>(&names), 0);
    ::ReleaseDC(nullptr, screen);
    // The window stays until the process ends: only its start is measured.
    return names;
}
