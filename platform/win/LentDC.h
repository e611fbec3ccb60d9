#pragma once
// Lends a DC that a control was handed for painting one item (WM_DRAWITEM) to
// a canvas, and gives it back in the state it came in (objects, colours,
// clipping), also when the painting raises.

#include "platform/win/Canvas.h"

class TLentDC {
public:
    TLentDC(TCanvas& canvas, HDC dc);
    ~TLentDC();
    TLentDC(const TLentDC&) = delete;
    TLentDC& operator=(const TLentDC&) = delete;

private:
    TCanvas& canvas_;
    HDC dc_;
    int saved_;
};
