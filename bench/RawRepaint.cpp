#include "RawRepaint.h"

#include "Measure.h"
#include "platform/win/Win32.h"

namespace {

// The rows' pictures as a colour bitmap and a mask each, selected into
// memory DCs; freed with the object.
class TMaskedRows {
public:
    explicit TMaskedRows(const std::vector<TRawBlit>& blits)
        : blits_(blits), background_(::CreateSolidBrush(::GetSysColor(COLOR_WINDOW))) {
        for (const TRawBlit& b : blits) sources_.push_back(Make(b));
    }
    ~TMaskedRows() {
        for (const TSource& s : sources_) {
            ::SelectObject(s.colour, s.oldColour);
            ::SelectObject(s.mask, s.oldMask);
            ::DeleteObject(s.colourBitmap);
            ::DeleteObject(s.maskBitmap);
            ::DeleteDC(s.colour);
            ::DeleteDC(s.mask);
        }
        ::DeleteObject(background_);
    }
    TMaskedRows(const TMaskedRows&) = delete;
    TMaskedRows& operator=(const TMaskedRows&) = delete;

    // Returns the bottom of the last row.
    int Draw(HDC dc) const {
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        int bottom = 0;
        for (size_t i = 0; i < blits_.size(); ++i) {
            const TRawBlit& b = blits_[i];
            const RECT row{b.rowLeft, b.rowTop, b.rowRight, b.rowBottom};
            ::FillRect(dc, &row, background_);
            ::BitBlt(dc, b.x, b.y, b.width, b.height, sources_[i].mask, 0, 0, SRCAND);
            ::BitBlt(dc, b.x, b.y, b.width, b.height, sources_[i].colour, 0, 0, SRCPAINT);
            bottom = b.rowBottom;
        }
        return bottom;
    }
    HBRUSH Background() const noexcept { return background_; }

private:
    struct TSource {
        HDC colour, mask;
        HBITMAP colourBitmap, maskBitmap;
        HGDIOBJ oldColour, oldMask;
    };

    static HBITMAP Dib(HDC dc, int width, int height, int bits, void** pixels) {
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

    static TSource Make(const TRawBlit& b) {
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
        return s;
    }

    const std::vector<TRawBlit>& blits_;
    std::vector<TSource> sources_;
    HBRUSH background_;
};

const TMaskedRows* g_painted = nullptr;  // the rows of the window being measured

LRESULT CALLBACK PlainRowsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint covers every pixel, as the list's does
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        if (dc && g_painted) {
            RECT rest{};
            ::GetClientRect(window, &rest);
            rest.top = g_painted->Draw(dc);
            if (rest.top < rest.bottom) ::FillRect(dc, &rest, g_painted->Background());
        }
        ::EndPaint(window, &ps);
        return 0;
    }
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

double RawTransparentBlits(HWND window, const std::vector<TRawBlit>& blits, int repeats) {
    const TMaskedRows rows(blits);
    const double start = NowSeconds();
    for (int r = 0; r < repeats; ++r) {
        HDC dc = ::GetDC(window);
        rows.Draw(dc);
        ::ReleaseDC(window, dc);
    }
    ::GdiFlush();
    return (NowSeconds() - start) / repeats;
}

double RawWindowRepaint(HWND list, const std::vector<TRawBlit>& blits, int repeats) {
    const TMaskedRows rows(blits);
    static const wchar_t* const kClass = L"GlyphoraBenchPlainRows";
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainRowsProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClass;
        return ::RegisterClassW(&wc) != 0;
    }();
    if (!registered) return 0;
    HWND parent = ::GetParent(list);
    RECT place{};
    ::GetWindowRect(list, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    const DWORD style = DWORD(::GetWindowLongW(list, GWL_STYLE)) & (WS_BORDER | WS_VSCROLL | WS_HSCROLL);
    const DWORD exStyle = DWORD(::GetWindowLongW(list, GWL_EXSTYLE)) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    HWND window = ::CreateWindowExW(exStyle, kClass, L"", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, parent, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return 0;
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    g_painted = &rows;
    ::UpdateWindow(window);
    PassDisplayDeadline();
    const double start = NowSeconds();
    for (int r = 0; r < repeats; ++r) {
        ::InvalidateRect(window, nullptr, TRUE);
        ::UpdateWindow(window);
    }
    ::GdiFlush();
    const double seconds = (NowSeconds() - start) / repeats;
    g_painted = nullptr;
    ::DestroyWindow(window);
    return seconds;
}
