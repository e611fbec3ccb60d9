#pragma once
// A surface of known pixels for drawing tests: a 32-bit DIB section in a
// memory DC, readable without GDI calls.

#include <cstdint>

#include "platform/win/Win32.h"

class TTestSurface {
public:
    TTestSurface(int width, int height, COLORREF fill) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        original_ = ::SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    TTestSurface(const TTestSurface&) = delete;
    TTestSurface& operator=(const TTestSurface&) = delete;
    ~TTestSurface() {
        ::SelectObject(dc_, original_);
        ::DeleteObject(bitmap_);
        ::DeleteDC(dc_);
    }

    HDC DC() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF color) {
        ::GdiFlush();
        for (int i = 0; i < width_ * height_; ++i) bits_[i] = ToBits(color);
    }
    // COLORREF (0x00BBGGRR) of a pixel.
    COLORREF At(int x, int y) const {
        ::GdiFlush();
        const uint32_t v = bits_[y * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    void Put(int x, int y, COLORREF color) {
        ::GdiFlush();
        bits_[y * width_ + x] = ToBits(color);
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& r, COLORREF color) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
        return n;
    }

private:
    static uint32_t ToBits(COLORREF c) { return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c); }

    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    uint32_t* bits_ = nullptr;
};
