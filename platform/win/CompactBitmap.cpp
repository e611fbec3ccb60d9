#include "platform/win/CompactBitmap.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

#include "platform/win/Bitmap.h"
#include "platform/win/Handle.h"
#include "platform/win/Win32.h"

namespace {

constexpr uint32_t kRgb = 0x00FFFFFF;

bool IsWhite(uint32_t pixel) noexcept { return (pixel & kRgb) == kRgb; }

bool IsGrey(uint32_t pixel) noexcept {
    const uint32_t b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
    return b == g && g == r;
}

constexpr uint64_t kTwoWhite = (uint64_t(kRgb) << 32) | kRgb;

// Whether the eight pixels from p on are all white.
bool EightWhite(const uint32_t* p) noexcept {
    uint64_t a, b, c, d;
    std::memcpy(&a, p, sizeof a);
    std::memcpy(&b, p + 2, sizeof b);
    std::memcpy(&c, p + 4, sizeof c);
    std::memcpy(&d, p + 6, sizeof d);
    return (a & b & c & d & kTwoWhite) == kTwoWhite;
}

// The first pixel at or after x (below end) that is not white, or end. Most
// of a rendered name is white paper: it is skipped eight pixels a step.
int SkipWhite(const uint32_t* row, int x, int end) noexcept {
    while (x + 8 <= end && EightWhite(row + x)) x += 8;
    for (; x + 2 <= end; x += 2) {
        uint64_t two;
        std::memcpy(&two, row + x, sizeof two);
        if ((two & kTwoWhite) != kTwoWhite) break;
    }
    while (x < end && IsWhite(row[x])) ++x;
    return x;
}

// One past the last pixel before end (at or after begin) that is not
// white, or begin: the same from the right, where a short name leaves most
// of the row.
int SkipWhiteBack(const uint32_t* row, int begin, int end) noexcept {
    while (end - 8 >= begin && EightWhite(row + end - 8)) end -= 8;
    while (end > begin && IsWhite(row[end - 1])) --end;
    return end;
}

void PutNumber(std::vector<uint8_t>& out, uint32_t value) {
    while (value >= 0x80) {
        out.push_back(uint8_t(value | 0x80));
        value >>= 7;
    }
    out.push_back(uint8_t(value));
}

uint32_t TakeNumber(const uint8_t*& in) noexcept {
    uint32_t value = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t byte = *in++;
        value |= uint32_t(byte & 0x7F) << shift;
        if (!(byte & 0x80)) return value;
    }
}

// The drawing thread's two sections that pictures are unpacked into. They
// hold the last few pictures drawn, one above the other in slots of the
// same size: a repaint of the same rows (scrolling back, a row selected,
// the window uncovered) then costs the two blits alone, not the unpacking.
// A screenful of the font list in the window's design size fits; memory
// stays 16 slots of the largest picture's pixels and the GDI objects two
// sections, whatever the number of pictures.
class TDrawSurfaces {
public:
    static constexpr int kSlots = 16;

    TDrawSurfaces() = default;
    TDrawSurfaces(const TDrawSurfaces&) = delete;
    TDrawSurfaces& operator=(const TDrawSurfaces&) = delete;
    ~TDrawSurfaces() { Deselect(); }

    // Slots of at least width x height; false when the sections cannot be
    // made. Growing them forgets every picture they held.
    bool Reserve(int width, int height) {
        if (width <= width_ && height <= slotHeight_) return true;
        if (!colourDC_) colourDC_ = CreateMemoryDC();
        if (!maskDC_) maskDC_ = CreateMemoryDC();
        if (!colourDC_ || !maskDC_) return false;
        const int w = std::max(width, width_), h = std::max(height, slotHeight_);
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[2];
        } info{};
        info.header.biSize = sizeof info.header;
        info.header.biWidth = w;
        info.header.biHeight = -h * kSlots;
        info.header.biPlanes = 1;
        info.header.biCompression = BI_RGB;
        info.header.biBitCount = 32;
        void* colourBits = nullptr;
        TBitmapHandle colour(::CreateDIBSection(colourDC_.Get(), reinterpret_cast<BITMAPINFO*>(&info),
                                                DIB_RGB_COLORS, &colourBits, nullptr, 0));
        // The mask's bits: 1 (white) where the destination stays.
        info.header.biBitCount = 1;
        info.header.biClrUsed = 2;
        info.colours[1] = RGBQUAD{255, 255, 255, 0};
        void* maskBits = nullptr;
        TBitmapHandle mask(::CreateDIBSection(maskDC_.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                              &maskBits, nullptr, 0));
        if (!colour || !mask || !colourBits || !maskBits) return false;
        Deselect();
        colour_ = std::move(colour);
        mask_ = std::move(mask);
        oldColour_ = ::SelectObject(colourDC_.Get(), colour_.Get());
        oldMask_ = ::SelectObject(maskDC_.Get(), mask_.Get());
        colourBits_ = static_cast<uint32_t*>(colourBits);
        maskBits_ = static_cast<uint8_t*>(maskBits);
        width_ = w;
        slotHeight_ = h;
        slots_.fill(TSlot{});
        return true;
    }

    // The slot that holds the picture `serial`, or -1.
    int Find(uint64_t serial) noexcept {
        for (int i = 0; i < kSlots; ++i)
            if (slots_[size_t(i)].serial == serial) {
                slots_[size_t(i)].used = ++clock_;
                return i;
            }
        return -1;
    }
    // The slot drawn from longest ago, now given to the picture `serial`.
    int Take(uint64_t serial) noexcept {
        size_t oldest = 0;
        for (size_t i = 1; i < slots_.size(); ++i)
            if (slots_[i].used < slots_[oldest].used) oldest = i;
        slots_[oldest] = TSlot{serial, ++clock_};
        return int(oldest);
    }
    int SlotTop(int slot) const noexcept { return slot * slotHeight_; }

    HDC ColourDC() const noexcept { return colourDC_.Get(); }
    HDC MaskDC() const noexcept { return maskDC_.Get(); }
    uint32_t* ColourRow(int y) const noexcept { return colourBits_ + ptrdiff_t(width_) * y; }
    uint8_t* MaskRow(int y) const noexcept { return maskBits_ + ptrdiff_t((width_ + 31) / 32 * 4) * y; }

private:
    struct TSlot {
        uint64_t serial = 0;  // 0: empty
        uint64_t used = 0;
    };

    void Deselect() noexcept {
        if (oldColour_) ::SelectObject(colourDC_.Get(), oldColour_);
        if (oldMask_) ::SelectObject(maskDC_.Get(), oldMask_);
        oldColour_ = oldMask_ = nullptr;
    }

    TMemoryDC colourDC_, maskDC_;
    TBitmapHandle colour_, mask_;
    HGDIOBJ oldColour_ = nullptr, oldMask_ = nullptr;
    uint32_t* colourBits_ = nullptr;
    uint8_t* maskBits_ = nullptr;
    int width_ = 0, slotHeight_ = 0;
    std::array<TSlot, kSlots> slots_{};
    uint64_t clock_ = 0;
};

// Pictures are told apart in the slots by a number of their own, never
// reused: a freed picture's address may be a new picture's.
std::atomic<uint64_t> lastSerial{0};

thread_local TDrawSurfaces surfaces;

}  // namespace

TCompactBitmap::TCompactBitmap(const TBitmap& source, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    width_ = width;
    height_ = height;
    const int w = std::min(width, source.Width()), h = std::min(height, source.Height());
    if (w <= 0 || h <= 0) return;
    ::GdiFlush();  // the rows must hold every drawing done so far
    const uint32_t* first = source.ScanLine(0);
    if (!first) return;
    const ptrdiff_t stride = h > 1 ? source.ScanLine(1) - first : 0;
    const auto rowAt = [&](int y) { return first + stride * y; };

    TRect ink{w, h, 0, 0};
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = rowAt(y);
        const int first = SkipWhite(row, 0, w);
        if (first == w) continue;
        const int last = SkipWhiteBack(row, first, w);
        ink.left = std::min(ink.left, first);
        ink.right = std::max(ink.right, last);
        ink.top = std::min(ink.top, y);
        ink.bottom = y + 1;
        for (int x = first; grey_ && x < last; ++x)
            if (!IsWhite(row[x]) && !IsGrey(row[x])) grey_ = false;
    }
    if (ink.right <= ink.left) return;
    ink_ = ink;
    serial_ = ++lastSerial;

    // Built in a buffer the thread keeps, then copied at its exact size.
    thread_local std::vector<uint8_t> out;
    out.clear();
    std::vector<std::pair<int, int>> runs;
    for (int y = ink.top; y < ink.bottom; ++y) {
        const uint32_t* row = rowAt(y);
        runs.clear();
        for (int x = SkipWhite(row, ink.left, ink.right); x < ink.right; x = SkipWhite(row, x, ink.right)) {
            const int start = x;
            while (x < ink.right && !IsWhite(row[x])) ++x;
            runs.emplace_back(start, x);
        }
        PutNumber(out, uint32_t(runs.size()));
        int at = ink.left;
        for (const auto& [start, end] : runs) {
            PutNumber(out, uint32_t(start - at));
            PutNumber(out, uint32_t(end - start));
            const size_t o = out.size();
            out.resize(o + size_t(end - start) * (grey_ ? 1 : 3));
            uint8_t* put = out.data() + o;
            for (int x = start; x < end; ++x) {
                const uint32_t p = row[x];
                *put++ = uint8_t(p);
                if (!grey_) {
                    *put++ = uint8_t(p >> 8);
                    *put++ = uint8_t(p >> 16);
                }
            }
            at = end;
        }
    }
    runs_.assign(out.begin(), out.end());
}

TColor TCompactBitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return clNone;
    if (!ink_.Contains(TPoint{x, y})) return clWhite;
    const uint8_t* in = runs_.data();
    for (int row = ink_.top;; ++row) {
        const uint32_t count = TakeNumber(in);
        int at = ink_.left;
        for (uint32_t i = 0; i < count; ++i) {
            at += int(TakeNumber(in));
            const int length = int(TakeNumber(in));
            if (row == y && x >= at && x < at + length) {
                const uint8_t* p = in + (x - at) * (grey_ ? 1 : 3);
                return grey_ ? TColor(RGB(p[0], p[0], p[0])) : TColor(RGB(p[2], p[1], p[0]));
            }
            in += length * (grey_ ? 1 : 3);
            at += length;
        }
        if (row == y) return clWhite;
    }
}

void TCompactBitmap::Draw(HDC dc, int x, int y) const {
    const int w = ink_.Width(), h = ink_.Height();
    if (!dc || w <= 0 || h <= 0 || !surfaces.Reserve(w, h)) return;
    int slot = surfaces.Find(serial_);
    if (slot < 0) {
        slot = surfaces.Take(serial_);
        ::GdiFlush();  // the sections' last blits must be done before they are written
        const uint8_t* in = runs_.data();
        const int top = surfaces.SlotTop(slot);
        for (int row = 0; row < h; ++row) {
            uint32_t* colour = surfaces.ColourRow(top + row);
            uint8_t* mask = surfaces.MaskRow(top + row);
            std::memset(colour, 0, size_t(w) * 4);
            std::memset(mask, 0xFF, size_t(w + 7) / 8);
            const uint32_t count = TakeNumber(in);
            int at = 0;
            for (uint32_t i = 0; i < count; ++i) {
                at += int(TakeNumber(in));
                const int end = at + int(TakeNumber(in));
                for (; at < end; ++at) {
                    if (grey_) {
                        const uint32_t g = *in++;
                        colour[at] = g | g << 8 | g << 16;
                    } else {
                        colour[at] = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16;
                        in += 3;
                    }
                    mask[at >> 3] &= uint8_t(~(0x80u >> (at & 7)));
                }
            }
        }
    }
    const int top = surfaces.SlotTop(slot);
    // A monochrome source takes the text colour for 0 and the background
    // colour for 1: black and white, whatever the DC had.
    const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF background = ::SetBkColor(dc, RGB(255, 255, 255));
    ::BitBlt(dc, x + ink_.left, y + ink_.top, w, h, surfaces.MaskDC(), 0, top, SRCAND);
    ::BitBlt(dc, x + ink_.left, y + ink_.top, w, h, surfaces.ColourDC(), 0, top, SRCPAINT);
    ::SetBkColor(dc, background);
    ::SetTextColor(dc, text);
}
