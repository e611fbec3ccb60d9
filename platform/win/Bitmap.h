#pragma once
// An off-screen bitmap in the screen's format, with a canvas to draw on it.
//
// The pixels are a 32-bit DIB section, the format of the screen on every
// current display, rather than a device-dependent bitmap: under Wine,
// selecting a device-dependent bitmap into a memory DC costs about 0.15 ms
// against 0.005 ms for a DIB section, and every draw of a resting bitmap
// selects it. Measured with 1,200 previews: rendering 0.33 -> 0.09 ms each,
// a transparent draw of a kept one 0.17 -> 0.02 ms.
//
// GDI cost. A bitmap that is only kept and drawn from holds one GDI object,
// its HBITMAP. The memory DC its canvas draws through (and the canvas's
// font, brush and pen) exist only while it is being drawn on: the DC is made
// when a canvas operation first needs it, and each thread keeps at most a
// few such DCs (kMaxLiveDCs): making one more puts the bitmap that drew
// least recently to rest (Dormant), which deletes its DC and the canvas's
// GDI objects but keeps every setting. So thousands of kept bitmaps stay far
// below the per-process GDI handle limit. Drawing a resting bitmap selects
// it into a scratch DC of the drawing thread for one blit. An HDC taken from
// Canvas()->Handle() stays valid until Dormant() or until kMaxLiveDCs other
// bitmaps have drawn on that thread; Canvas()->Lock() keeps it meanwhile.
// A bitmap is used by one thread at a time.
//
// Transparent drawing. A transparent bitmap keeps a second GDI object once
// it has been drawn: a pattern brush of its mask (made on the first draw,
// dropped when its canvas or its pixels change), so that every later draw is
// one BitBlt with a raster operation that takes the destination where the
// mask is set and the bitmap elsewhere. Under Wine this is several times
// faster than TransparentBlt, which builds a mask and a copy on every call.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Stream.h"
#include "platform/win/Canvas.h"
#include "platform/win/Colors.h"
#include "platform/win/Handle.h"

class TBitmapCanvas;

GLY_EXCEPTION(EInvalidGraphic, Exception);
GLY_EXCEPTION(EOutOfResources, Exception);

class TBitmap : public TPersistent {
    GLY_CLASS(TBitmap)
public:
    static constexpr int kMaxLiveDCs = 8;

    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    TCanvas* Canvas();

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // Keeps the pixels that remain inside; the new ones are white.
    void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, height_); }
    void SetHeight(int value) { SetSize(width_, value); }
    // No pixels (either side 0).
    bool Empty() const noexcept { return width_ <= 0 || height_ <= 0; }

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool value);
    // The colour left out when a transparent bitmap is drawn. Unless set
    // (clDefault), the colour of the bottom-left pixel.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor value);

    // Null while the bitmap is empty.
    HBITMAP Handle() const noexcept { return handle_.Get(); }
    // Row y of the pixels, 0x00RRGGBB each (the top byte may be anything):
    // read straight from the section, so drawing through the canvas must be
    // flushed first (GdiFlush). Null while empty or for y outside.
    const uint32_t* ScanLine(int y) const noexcept;

    // Copies pixels, size and transparency of another bitmap (not its
    // canvas's font, brush or pen).
    void Assign(const TPersistent& source) override;
    // A .bmp file image: 1, 4, 8, 24 or 32 bits per pixel, uncompressed,
    // with a 40-byte (or larger) or 12-byte info header, bottom-up or
    // top-down. Raises EInvalidGraphic ("Bitmap image is not valid") and
    // leaves the bitmap unchanged when the bytes are not such an image.
    void LoadFromBmpBytes(const std::vector<uint8_t>& bytes);
    // A 24-bit .bmp file image of the pixels (empty vector when empty).
    std::vector<uint8_t> SaveToBmpBytes() const;
    // Streams the pixels as the binary property "Data": the .bmp file bytes.
    void DefineProperties(TFiler& filer) override;

    // Deletes the canvas's DC and GDI objects; the next canvas operation
    // makes them again. Pixels and settings stay.
    void Dormant();
    // Whether the canvas has its DC now (for tests of the GDI budget).
    bool HasDC() const noexcept;

    // After the size or the transparency changed, or new pixels were loaded
    // or assigned (not after drawing on the canvas).
    TNotifyEvent OnChange;

private:
    friend class TBitmapSourceDC;
    friend class TBitmapCanvas;
    friend class TCanvas;
    // The canvas's DC while it has one, in which the pixels are selected.
    HDC OwnDC() const noexcept;
    // Takes `pixels` (a screen-compatible bitmap of that size) as the new
    // content.
    void Replace(TBitmapHandle pixels, int width, int height);
    void Changed();
    // The mask brush (set bits where the transparent colour is), made now if
    // needed; null when it cannot be made.
    HBRUSH MaskBrush() const;
    void DropMask() noexcept { mask_.Reset(); }
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    int width_ = 0, height_ = 0;
    bool transparent_ = false;
    TColor transparentColor_ = clDefault;
    TBitmapHandle handle_;
    mutable TBrushHandle mask_;
    std::unique_ptr<TBitmapCanvas> canvas_;
};
