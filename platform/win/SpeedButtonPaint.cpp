// Painting of speed buttons: the face (flat or framed, up, hot, pressed or
// down) and the glyph and caption laid out on it.

#include <algorithm>

#include "platform/win/Bitmap.h"
#include "platform/win/Canvas.h"
#include "platform/win/Edges.h"
#include "platform/win/SpeedButton.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

COLORREF Mix(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

// Where glyph and text go along one axis of `extent` pixels: returns the
// glyph's and the text's start.
std::pair<int, int> PlaceAlong(int extent, int glyph, int text, int margin, int spacing) {
    if (glyph == 0 || text == 0) spacing = 0;
    if (margin < 0 && spacing < 0) {
        // Even gaps before, between and after.
        const int gap = std::max(0, (extent - glyph - text) / 3);
        margin = spacing = gap;
    } else if (margin < 0) {
        margin = (extent - glyph - spacing - text) / 2;  // the pair centred
    } else if (spacing < 0) {
        spacing = (extent - margin - glyph - text) / 2;  // the text centred in the rest
    }
    return {margin, margin + glyph + spacing};
}

}  // namespace

void TSpeedButton::Paint(HDC dc) {
    RECT r;
    ::GetClientRect(WindowHandle(), &r);
    TCanvas canvas(dc);
    const TRect client{r.left, r.top, r.right, r.bottom};
    DrawFace(canvas, client);
    const bool sunk = (pressed_ || down_) && Enabled();
    DrawContent(canvas, client, sunk ? 1 : 0);
}

uint32_t TSpeedButton::FaceColor() const {
    const COLORREF face = ColorToRGB(Color());
    // A button that stays down (not merely held) shows a lighter face.
    const bool latched = down_ && !pressed_;
    return latched ? Mix(face, ::GetSysColor(COLOR_BTNHIGHLIGHT)) : face;
}

void TSpeedButton::DrawFace(TCanvas& canvas, const TRect& client) {
    HDC dc = canvas.Handle();
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const bool enabled = Enabled();
    FillSolid(dc, client, FaceColor());
    if (flat_) {
        if ((pressed_ || down_) && enabled)
            DrawFrame(dc, client, shadow, light);
        else if (down_ || (hot_ && enabled))
            DrawFrame(dc, client, light, shadow);
    } else {
        RECT edge{client.left, client.top, client.right, client.bottom};
        ::DrawEdge(dc, &edge, (pressed_ || down_) && enabled ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
}

void TSpeedButton::DrawContent(TCanvas& canvas, const TRect& client, int offset) {
    HDC dc = canvas.Handle();
    const bool hasGlyph = !glyph_->Empty();
    const int gw = hasGlyph ? ScaleLength(glyph_->Width(), pixelsPerInch_) : 0;
    const int gh = hasGlyph ? ScaleLength(glyph_->Height(), pixelsPerInch_) : 0;
    const std::wstring text = Wide(caption_);
    int tw = 0, th = 0;
    TSelectObject font(dc, Font()->Handle());
    if (!text.empty()) {
        RECT measure{0, 0, 0, 0};
        ::DrawTextW(dc, text.c_str(), int(text.size()), &measure, DT_SINGLELINE | DT_CALCRECT);
        tw = measure.right;
        th = measure.bottom;
    }
    const int w = client.Width(), h = client.Height();
    int gx, gy, tx, ty;
    switch (layout_) {
    case TButtonLayout::blGlyphLeft:
    case TButtonLayout::blGlyphRight: {
        auto [g, t] = PlaceAlong(w, gw, tw, margin_, spacing_);
        if (layout_ == TButtonLayout::blGlyphRight) {
            g = w - g - gw;
            t = w - t - tw;
        }
        gx = g;
        tx = t;
        gy = (h - gh) / 2;
        ty = (h - th) / 2;
        break;
    }
    default: {
        auto [g, t] = PlaceAlong(h, gh, th, margin_, spacing_);
        if (layout_ == TButtonLayout::blGlyphBottom) {
            g = h - g - gh;
            t = h - t - th;
        }
        gy = g;
        ty = t;
        gx = (w - gw) / 2;
        tx = (w - tw) / 2;
        break;
    }
    }
    if (hasGlyph) {
        if (gw == glyph_->Width() && gh == glyph_->Height())
            canvas.Draw(client.left + gx + offset, client.top + gy + offset, *glyph_);
        else
            DrawScaledGlyph(dc, client.left + gx + offset, client.top + gy + offset, TSize{gw, gh});
    }
    if (!text.empty()) {
        ::SetBkMode(dc, TRANSPARENT);
        RECT tr{client.left + tx + offset, client.top + ty + offset, 0, 0};
        tr.right = tr.left + tw;
        tr.bottom = tr.top + th;
        if (Enabled()) {
            ::SetTextColor(dc, ColorToRGB(Font()->Color()));
            ::DrawTextW(dc, text.c_str(), int(text.size()), &tr, DT_SINGLELINE);
        } else {
            // Engraved: a light copy one pixel down-right under a grey one.
            RECT lit = tr;
            ::OffsetRect(&lit, 1, 1);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
            ::DrawTextW(dc, text.c_str(), int(text.size()), &lit, DT_SINGLELINE);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
            ::DrawTextW(dc, text.c_str(), int(text.size()), &tr, DT_SINGLELINE);
        }
    }
}

void TSpeedButton::DrawScaledGlyph(HDC dc, int x, int y, TSize size) {
    // Stretching the picture with its transparent colour in it would blend
    // that colour into the edges: the picture goes over the face first, and
    // the face is what the edges blend with.
    TBitmap laid;
    laid.SetWidth(glyph_->Width());
    laid.SetHeight(glyph_->Height());
    TCanvas* canvas = laid.Canvas();
    canvas->Brush()->SetColor(TColor(FaceColor()));
    canvas->FillRect(TRect{0, 0, glyph_->Width(), glyph_->Height()});
    canvas->Draw(0, 0, *glyph_);
    const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    ::SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    ::StretchBlt(dc, x, y, size.cx, size.cy, canvas->Handle(), 0, 0, glyph_->Width(), glyph_->Height(), SRCCOPY);
    ::SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    ::SetStretchBltMode(dc, oldMode);
}
