#include "platform/win/Bitmap.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Filer.h"
#include "platform/win/BitmapCanvas.h"
#include "platform/win/BitmapDC.h"
#include "platform/win/BmpFile.h"
#include "platform/win/Win32.h"

namespace {

// A DC of the display, kept for the process: bitmaps are made in its format
// without a GetDC round trip each time.
HDC DisplayDC() {
    static const TMemoryDC display(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    return display.Get();
}

TBitmapHandle NewScreenBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle bitmap(::CreateDIBSection(DisplayDC(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) throw EOutOfResources("Out of system resources");
    return bitmap;
}

// White as a colour, not as all bits set: Wine's 32-bit bitmaps keep the
// unused top byte that WHITENESS sets, and such pixels then no longer match
// the colour white (TransparentBlt, GetPixel-based masks).
void FillWhite(HDC dc, int width, int height) {
    HGDIOBJ previous = ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
    ::PatBlt(dc, 0, 0, width, height, PATCOPY);
    ::SelectObject(dc, previous);
}

constexpr std::string_view kInvalidBitmap = "Bitmap image is not valid";

}  // namespace

// ---- TBitmapCanvas ----

TBitmapCanvas::~TBitmapCanvas() { FreeDC(); }

void TBitmapCanvas::CreateHandle() {
    TMemoryDC dc = CreateMemoryDC();
    if (!dc) throw EOutOfResources("Out of system resources");
    original_ = bitmap_.Handle() ? ::SelectObject(dc.Get(), bitmap_.Handle()) : nullptr;
    dc_ = std::move(dc);
    SetHandle(dc_.Get());
    bitmap_.DropMask();
    bitmap_dcs::Join(*this);
}

void TBitmapCanvas::HandleUsed() noexcept {
    // Any operation may change pixels under the mask.
    bitmap_.DropMask();
    bitmap_dcs::Touch(*this);
}

void TBitmapCanvas::SelectBitmap(HBITMAP bitmap) noexcept {
    if (!dc_) return;
    if (bitmap) {
        void* previous = ::SelectObject(dc_.Get(), bitmap);
        if (!original_) original_ = previous;
    } else if (original_) {
        ::SelectObject(dc_.Get(), original_);
        original_ = nullptr;
    }
}

void TBitmapCanvas::FreeDC() noexcept {
    if (!dc_) return;
    bitmap_dcs::Leave(*this);
    SetHandle(nullptr);
    ReleaseObjectHandles();
    if (original_) ::SelectObject(dc_.Get(), original_);
    original_ = nullptr;
    dc_.Reset();
}

// ---- TBitmap ----

const TClassInfo& TBitmap::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBitmap>("TBitmap", &TPersistent::StaticClass).Build();
    return info;
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() = default;

TCanvas* TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    return canvas_.get();
}

HDC TBitmap::OwnDC() const noexcept { return canvas_ ? canvas_->DC() : nullptr; }

bool TBitmap::HasDC() const noexcept { return canvas_ && canvas_->HasDC(); }

void TBitmap::Dormant() {
    if (canvas_) canvas_->FreeDC();
}

void TBitmap::Replace(TBitmapHandle pixels, int width, int height) {
    if (canvas_) canvas_->SelectBitmap(pixels.Get());
    handle_ = std::move(pixels);
    width_ = handle_ ? width : 0;
    height_ = handle_ ? height : 0;
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    if (width == 0 || height == 0) {
        // No pixels, but the size is kept so that the other side can follow.
        if (canvas_) canvas_->SelectBitmap(nullptr);
        handle_.Reset();
        width_ = width;
        height_ = height;
        Changed();
        return;
    }
    TBitmapHandle fresh = NewScreenBitmap(width, height);
    const int keepW = std::min(width, width_), keepH = std::min(height, height_);
    if (HDC own = OwnDC()) {
        // The usual case while drawing: the canvas's DC takes the new pixels
        // at once and the old ones are read through the scratch DC.
        canvas_->SelectBitmap(fresh.Get());
        FillWhite(own, width, height);
        if (handle_ && keepW > 0 && keepH > 0) {
            const TScratchDC old(handle_.Get());
            ::BitBlt(own, 0, 0, keepW, keepH, old.Get(), 0, 0, SRCCOPY);
        }
    } else {
        const TScratchDC target(fresh.Get());
        FillWhite(target.Get(), width, height);
        if (handle_ && keepW > 0 && keepH > 0) {
            const TScratchDC old(handle_.Get());
            ::BitBlt(target.Get(), 0, 0, keepW, keepH, old.Get(), 0, 0, SRCCOPY);
        }
    }
    handle_ = std::move(fresh);
    width_ = width;
    height_ = height;
    Changed();
}

const uint32_t* TBitmap::ScanLine(int y) const noexcept {
    if (!handle_ || y < 0 || y >= height_) return nullptr;
    DIBSECTION dib{};
    if (::GetObjectW(handle_.Get(), sizeof dib, &dib) != int(sizeof dib) || !dib.dsBm.bmBits) return nullptr;
    // Every bitmap's pixels are a top-down section (NewScreenBitmap), which
    // GetObject does not tell apart from a bottom-up one.
    return reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(dib.dsBm.bmBits) +
                                             ptrdiff_t(dib.dsBm.bmWidthBytes) * y);
}

void TBitmap::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    Changed();
}

TColor TBitmap::TransparentColor() const {
    if (transparentColor_ != clDefault) return transparentColor_;
    if (Empty()) return clWhite;
    const TBitmapSourceDC source(*this);
    const COLORREF c = ::GetPixel(source.Get(), 0, height_ - 1);
    return c == CLR_INVALID ? clWhite : TColor(c);
}

void TBitmap::SetTransparentColor(TColor value) {
    if (transparentColor_ == value) return;
    transparentColor_ = value;
    Changed();
}

void TBitmap::Assign(const TPersistent& source) {
    const TBitmap* other = source.As<TBitmap>();
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    transparent_ = other->transparent_;
    transparentColor_ = other->transparentColor_;
    if (other->Empty()) {
        if (canvas_) canvas_->SelectBitmap(nullptr);
        handle_.Reset();
        width_ = other->width_;
        height_ = other->height_;
        Changed();
        return;
    }
    TBitmapHandle copy = NewScreenBitmap(other->width_, other->height_);
    {
        const TScratchDC target(copy.Get());
        const TBitmapSourceDC from(*other);
        ::BitBlt(target.Get(), 0, 0, other->width_, other->height_, from.Get(), 0, 0, SRCCOPY);
    }
    Replace(std::move(copy), other->width_, other->height_);
}

void TBitmap::LoadFromBmpBytes(const std::vector<uint8_t>& bytes) {
    const std::optional<TBmpImage> image = ParseBmp(bytes);
    if (!image) throw EInvalidGraphic(std::string(kInvalidBitmap));
    const auto* info = reinterpret_cast<const BITMAPINFO*>(image->info.data());
    // The file's own palette decides the colours; the result is in the
    // screen's format like every other bitmap.
    TBitmapHandle pixels = NewScreenBitmap(image->width, image->height);
    if (!::SetDIBits(DisplayDC(), pixels.Get(), 0, UINT(image->height), image->bits, info, DIB_RGB_COLORS))
        throw EOutOfResources("Out of system resources");
    Replace(std::move(pixels), image->width, image->height);
}

std::vector<uint8_t> TBitmap::SaveToBmpBytes() const {
    if (Empty()) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> rows(size_t(BmpStride(width_, 24)) * size_t(height_));
    // GetDIBits wants the bitmap out of every DC.
    if (canvas_) canvas_->SelectBitmap(nullptr);
    ::GetDIBits(DisplayDC(), handle_.Get(), 0, UINT(height_), rows.data(), &info, DIB_RGB_COLORS);
    if (canvas_) canvas_->SelectBitmap(handle_.Get());
    return BuildBmp24(width_, height_, rows);
}

void TBitmap::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

void TBitmap::ReadData(TStream& stream) {
    std::vector<uint8_t> bytes(size_t(std::max<int64_t>(stream.Remaining(), 0)));
    stream.ReadBuffer(bytes.data(), bytes.size());
    // Some writers put the image's length in front of it.
    if (bytes.size() >= 6 && bytes[4] == 'B' && bytes[5] == 'M' &&
        (uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24) ==
            bytes.size() - 4)
        bytes.erase(bytes.begin(), bytes.begin() + 4);
    LoadFromBmpBytes(bytes);
}

void TBitmap::WriteData(TStream& stream) const {
    const std::vector<uint8_t> bytes = SaveToBmpBytes();
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap::Changed() {
    DropMask();
    OnChange(this);
}

HBRUSH TBitmap::MaskBrush() const {
    if (mask_ || Empty()) return mask_.Get();
    const COLORREF transparent = ColorToRGB(TransparentColor());
    TBitmapHandle mono(::CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!mono) return nullptr;
    {
        const TBitmapSourceDC source(*this);
        const TScratchDC target(mono.Get());
        // Colour to monochrome: pixels of the background colour become set bits.
        const COLORREF background = ::SetBkColor(source.Get(), transparent);
        ::BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
        ::SetBkColor(source.Get(), background);
    }
    // The brush keeps its own copy of the pattern.
    mask_.Reset(::CreatePatternBrush(mono.Get()));
    return mask_.Get();
}
