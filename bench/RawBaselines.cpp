#include "RawBaselines.h"

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

TRawPreviews::TRawPreviews(const std::vector<std::string>& faces, const std::vector<std::string>& names,
                           const TRawPreviewStyle& style) {
    HDC screen = ::GetDC(nullptr);
    const int logPixelsY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    bitmaps_.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::wstring text = Wide(names[i]);
        const std::wstring measured = text + L" ";
        HDC dc = ::CreateCompatibleDC(nullptr);
        HFONT font = RawFont(faces[i], style, logPixelsY);
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        SIZE wide{}, tall{};
        ::GetTextExtentPoint32W(dc, measured.c_str(), int(measured.size()), &wide);
        ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &tall);
        HBITMAP bitmap = wide.cx > 0 && tall.cy > 0 ? Dib32(dc, wide.cx, tall.cy) : nullptr;
        if (bitmap) {
            HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
            ::PatBlt(dc, 0, 0, wide.cx, tall.cy, WHITENESS);
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            ::TextOutW(dc, 0, 0, text.c_str(), int(text.size()));
            ::SelectObject(dc, oldBitmap);
            bitmaps_.push_back(bitmap);
        }
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
        ::DeleteDC(dc);
    }
}

TRawPreviews::~TRawPreviews() {
    for (HBITMAP b : bitmaps_) ::DeleteObject(b);
}

double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats) {
    struct TSource {
        HDC dc;
        HGDIOBJ old;
        int width, height;
    };
    std::vector<TSource> sources;
    for (const TRawBlit& b : blits) {
        BITMAP info{};
        ::GetObjectW(b.bitmap, sizeof info, &info);
        HDC dc = ::CreateCompatibleDC(nullptr);
        sources.push_back({dc, ::SelectObject(dc, b.bitmap), info.bmWidth, info.bmHeight});
    }
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    for (int r = 0; r < repeats; ++r) {
        HDC dc = ::GetDC(window);
        for (size_t i = 0; i < blits.size(); ++i) {
            const TSource& s = sources[i];
            ::GdiTransparentBlt(dc, blits[i].x, blits[i].y, s.width, s.height, s.dc, 0, 0, s.width, s.height,
                                RGB(255, 255, 255));
        }
        ::ReleaseDC(window, dc);
    }
    ::GdiFlush();
    ::QueryPerformanceCounter(&t1);
    for (const TSource& s : sources) {
        ::SelectObject(s.dc, s.old);
        ::DeleteDC(s.dc);
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
