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
