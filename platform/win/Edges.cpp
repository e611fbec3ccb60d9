#include "platform/win/Edges.h"

#include "platform/win/Win32.h"

void FillSolid(HDC dc, const TRect& r, uint32_t rgb) {
    // An opaque empty text run fills without a brush to make and free.
    const RECT rect{r.left, r.top, r.right, r.bottom};
    ::SetBkColor(dc, rgb);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void DrawFrame(HDC dc, const TRect& r, uint32_t topLeft, uint32_t bottomRight) {
    FillSolid(dc, {r.left, r.top, r.right, r.top + 1}, topLeft);
    FillSolid(dc, {r.left, r.top, r.left + 1, r.bottom}, topLeft);
    FillSolid(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    FillSolid(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}
