#pragma once
// The canvas of a TBitmap (internal to the drawing classes): it makes its
// memory DC when an operation needs one and gives it up when put to rest.

#include "platform/win/Bitmap.h"
#include "platform/win/Canvas.h"
#include "platform/win/Handle.h"

class TBitmapCanvas final : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}
    ~TBitmapCanvas() override;

    bool HasDC() const noexcept { return bool(dc_); }
    HDC DC() const noexcept { return dc_.Get(); }
    // Selects the bitmap's pixels (null: none) into the DC, if there is one.
    void SelectBitmap(HBITMAP bitmap) noexcept;
    // Deletes the DC and the GDI objects of the font, brush and pen.
    void FreeDC() noexcept;

    // For the thread's list of live DCs.
    void* pool = nullptr;

protected:
    void CreateHandle() override;
    void HandleUsed() noexcept override;

private:
    TBitmap& bitmap_;
    TMemoryDC dc_;
    void* original_ = nullptr;  // the DC's own 1x1 bitmap
};
