#include "platform/win/Canvas.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Bitmap.h"
#include "platform/win/BitmapDC.h"
#include "platform/win/CompactBitmap.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

RECT ToRECT(const TRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// (D and P) or (S and not P): the destination where the pattern is set, the
// source elsewhere.
constexpr DWORD kMaskedCopy = 0x00AC0744;

}  // namespace

const TClassInfo& TCanvas::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass)
                                       .Obj("Brush", &TCanvas::Brush, &TCanvas::SetBrushObject)
                                       .Obj("Font", &TCanvas::Font, &TCanvas::SetFontObject)
                                       .Obj("Pen", &TCanvas::Pen, &TCanvas::SetPenObject)
                                       .Build();
    return info;
}

TCanvas::TCanvas(HDC dc)
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>()) {
    font_->OnChange = TNotifyEvent(this, &TCanvas::OnFontChange);
    brush_->OnChange = TNotifyEvent(this, &TCanvas::OnBrushChange);
    pen_->OnChange = TNotifyEvent(this, &TCanvas::OnPenChange);
    dc_ = dc;
}

TCanvas::~TCanvas() { Deselect(kFont | kBrush | kPen); }

HDC TCanvas::Handle() { return Require(0); }

void TCanvas::SetHandle(HDC dc) {
    if (dc == dc_) return;
    Deselect(kFont | kBrush | kPen);
    dc_ = dc;
}

HDC TCanvas::Require(unsigned objects) {
    if (!dc_) {
        CreateHandle();
        if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
    } else {
        HandleUsed();
    }
    const unsigned missing = objects & ~selected_;
    if (missing & kFont) {
        oldFont_ = ::SelectObject(dc_, font_->Handle());
        selected_ |= kFont;
    }
    if (missing & kBrush) {
        oldBrush_ = ::SelectObject(dc_, brush_->Handle());
        selected_ |= kBrush;
    }
    if (missing & kPen) {
        oldPen_ = ::SelectObject(dc_, pen_->Handle());
        selected_ |= kPen;
    }
    return dc_;
}

void TCanvas::Deselect(unsigned objects) noexcept {
    const unsigned present = objects & selected_;
    if (!dc_ || !present) return;
    if (present & kFont) ::SelectObject(dc_, oldFont_);
    if (present & kBrush) ::SelectObject(dc_, oldBrush_);
    if (present & kPen) ::SelectObject(dc_, oldPen_);
    selected_ &= ~present;
}

void TCanvas::OnFontChange(TObject*) { Deselect(kFont); }
void TCanvas::OnBrushChange(TObject*) { Deselect(kBrush); }
void TCanvas::OnPenChange(TObject*) { Deselect(kPen); }

void TCanvas::ReleaseObjectHandles() noexcept {
    Deselect(kFont | kBrush | kPen);
    font_->ReleaseHandle();
    brush_->ReleaseHandle();
    pen_->ReleaseHandle();
}

void TCanvas::PrepareText(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(font_->Color()));
    if (brush_->Style() == TBrushStyle::bsClear) {
        ::SetBkMode(dc, TRANSPARENT);
    } else {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ColorToRGB(brush_->Color()));
    }
}

void TCanvas::FillRect(const TRect& rect) {
    HDC dc = Require(0);
    if (brush_->Style() == TBrushStyle::bsClear) return;
    const RECT r = ToRECT(rect);
    ::FillRect(dc, &r, brush_->Handle());
}

void TCanvas::FrameRect(const TRect& rect) {
    HDC dc = Require(0);
    const RECT r = ToRECT(rect);
    ::FrameRect(dc, &r, brush_->Handle());
}

void TCanvas::Rectangle(const TRect& rect) {
    HDC dc = Require(kBrush | kPen);
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

bool TCanvas::NeedsOutlineText(HDC dc) const {
    constexpr DWORD kGlyfTag = 0x66796C67;  // 'glyf', as GetFontData takes it
    return outlineTextFallback_ && ::GetFontData(dc, kGlyfTag, 0, nullptr, 0) == GDI_ERROR &&
           ::GetOutlineTextMetricsW(dc, 0, nullptr) != 0;
}

template <class Paint>
void TCanvas::FillTextOutlines(HDC dc, Paint paint) {
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::BeginPath(dc);
    paint();
    ::EndPath(dc);
    TBrushHandle fill(::CreateSolidBrush(ColorToRGB(font_->Color())));
    {
        const TSelectObject brush(dc, fill.Get());
        const TSelectObject pen(dc, ::GetStockObject(NULL_PEN));
        ::FillPath(dc);
    }
    ::SetBkMode(dc, oldMode);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    HDC dc = Require(kFont);
    PrepareText(dc);
    const std::wstring w = Wide(text);
    if (!NeedsOutlineText(dc)) {
        ::TextOutW(dc, x, y, w.c_str(), int(w.size()));
        return;
    }
    if (brush_->Style() != TBrushStyle::bsClear) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, w.c_str(), int(w.size()), &size);
        const RECT cell{x, y, x + size.cx, y + size.cy};
        ::FillRect(dc, &cell, brush_->Handle());
    }
    FillTextOutlines(dc, [&] { ::TextOutW(dc, x, y, w.c_str(), int(w.size())); });
}

void TCanvas::TextRect(const TRect& clip, int x, int y, const std::string& text) {
    HDC dc = Require(kFont);
    PrepareText(dc);
    const std::wstring w = Wide(text);
    const RECT r = ToRECT(clip);
    UINT options = ETO_CLIPPED;
    if (brush_->Style() != TBrushStyle::bsClear) options |= ETO_OPAQUE;
    ::ExtTextOutW(dc, x, y, options, &r, w.c_str(), UINT(w.size()), nullptr);
}

void TCanvas::DrawText(const TRect& rect, const std::string& text, unsigned format) {
    HDC dc = Require(kFont);
    PrepareText(dc);
    std::wstring w = Wide(text);
    RECT r = ToRECT(rect);
    // DT_MODIFYSTRING may write into the text: it gets a copy of its own.
    if (!NeedsOutlineText(dc)) {
        ::DrawTextW(dc, w.data(), int(w.size()), &r, format);
        return;
    }
    // Paths are not clipped by DrawText: the rectangle clips the fill.
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    FillTextOutlines(dc, [&] { ::DrawTextW(dc, w.data(), int(w.size()), &r, format | DT_NOCLIP); });
    ::RestoreDC(dc, saved);
}

TSize TCanvas::TextExtent(const std::string& text) {
    HDC dc = Require(kFont);
    const std::wstring w = Wide(text);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, w.c_str(), int(w.size()), &size);
    return {int(size.cx), int(size.cy)};
}

void TCanvas::MoveTo(int x, int y) {
    HDC dc = Require(0);
    ::MoveToEx(dc, x, y, nullptr);
    penPos_ = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    HDC dc = Require(kPen);
    ::LineTo(dc, x, y);
    penPos_ = {x, y};
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    HDC dc = Require(0);
    // The dots come from the text and background colours: black on white
    // gives the frame that inverts what it covers.
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    const RECT r = ToRECT(rect);
    ::DrawFocusRect(dc, &r);
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    HDC dc = Require(0);
    TLockCanvas keep(*this);
    const int w = bitmap.Width(), h = bitmap.Height();
    if (bitmap.Transparent()) {
        if (HBRUSH mask = bitmap.MaskBrush()) {
            // Pattern bits map to the background colour (white: all ones)
            // where set and to the text colour (black: zeros) where clear.
            const COLORREF text = ::SetTextColor(dc, RGB(0, 0, 0));
            const COLORREF background = ::SetBkColor(dc, RGB(255, 255, 255));
            POINT origin{x, y};
            ::LPtoDP(dc, &origin, 1);
            POINT oldOrigin{};
            ::SetBrushOrgEx(dc, origin.x, origin.y, &oldOrigin);
            HGDIOBJ oldBrush = ::SelectObject(dc, mask);
            const TBitmapSourceDC source(bitmap);
            ::BitBlt(dc, x, y, w, h, source.Get(), 0, 0, kMaskedCopy);
            ::SelectObject(dc, oldBrush);
            ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
            ::SetBkColor(dc, background);
            ::SetTextColor(dc, text);
            return;
        }
        const TBitmapSourceDC source(bitmap);
        ::TransparentBlt(dc, x, y, w, h, source.Get(), 0, 0, w, h, ColorToRGB(bitmap.TransparentColor()));
    } else {
        const TBitmapSourceDC source(bitmap);
        ::BitBlt(dc, x, y, w, h, source.Get(), 0, 0, SRCCOPY);
    }
}

void TCanvas::Draw(int x, int y, const TCompactBitmap& picture) {
    if (picture.Empty()) return;
    HDC dc = Require(0);
    TLockCanvas keep(*this);
    picture.Draw(dc, x, y);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& canvas, const TRect& source) {
    HDC dc = Require(0);
    TLockCanvas keep(*this);
    HDC from = canvas.Handle();
    ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), from, source.left, source.top, source.Width(),
                 source.Height(), SRCCOPY);
}

TColor TCanvas::Pixel(int x, int y) {
    const COLORREF c = ::GetPixel(Require(0), x, y);
    return c == CLR_INVALID ? clNone : TColor(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) { ::SetPixelV(Require(0), x, y, ColorToRGB(color)); }
