#include "platform/win/LentDC.h"

#include "platform/win/Win32.h"

TLentDC::TLentDC(TCanvas& canvas, HDC dc) : canvas_(canvas), dc_(dc), saved_(::SaveDC(dc)) { canvas_.SetHandle(dc); }

TLentDC::~TLentDC() {
    canvas_.ReleaseHandle();
    ::RestoreDC(dc_, saved_);
}
