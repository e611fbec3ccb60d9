#pragma once
// Memory DCs for bitmaps (internal to the drawing classes).

#include <memory>

#include "platform/win/Handle.h"
#include "platform/win/WinTypes.h"

class TBitmap;
class TCanvas;

// A bitmap selected into a memory DC for the scope: the calling thread's
// scratch DC, or a DC of its own when the scratch DC is already in use.
class TScratchDC {
public:
    explicit TScratchDC(HBITMAP bitmap);
    TScratchDC(const TScratchDC&) = delete;
    TScratchDC& operator=(const TScratchDC&) = delete;
    ~TScratchDC();

    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_ = nullptr;
    void* previous_ = nullptr;
    bool scratch_ = false;
    TMemoryDC own_;
};

// A DC to copy a bitmap's pixels from: its canvas's DC when it has one,
// otherwise a scratch DC.
class TBitmapSourceDC {
public:
    explicit TBitmapSourceDC(const TBitmap& bitmap);
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_ = nullptr;
    std::unique_ptr<TScratchDC> scratch_;
};

// The bitmap canvases of one thread that hold a DC, least recently used
// first. Joining beyond TBitmap::kMaxLiveDCs puts the least recently used
// unlocked one to rest.
class TBitmapCanvas;
namespace bitmap_dcs {
void Join(TBitmapCanvas& canvas);
void Touch(TBitmapCanvas& canvas) noexcept;
void Leave(TBitmapCanvas& canvas) noexcept;
}  // namespace bitmap_dcs
