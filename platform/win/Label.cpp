#include "platform/win/Label.h"

#include <algorithm>
#include <cstdint>

#include "platform/core/ClassBuilder.h"
#include "platform/win/MouseEvent.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"
#include "platform/win/WinText.h"

namespace {

// How far to the right a line of text reaches when it is drawn at x = 0, as
// the static control draws it. Wine may place the glyphs of a face further
// apart than its measures say (the face that stands in for "MS Sans Serif"
// does, by a few pixels on a line), so a label only as wide as DrawText's
// DT_CALCRECT would cut its last character off. 0 on any failure.
int DrawnRight(HDC reference, HFONT font, const std::wstring& text, UINT format, int measured, int height) {
    // Room for a line drawn even twice as wide as measured, and for glyphs
    // that hang below the line.
    const int width = 2 * measured + 2 * height + 8, rows = 2 * height + 4;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -rows;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    TBitmapHandle bitmap(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    TMemoryDC dc = CreateMemoryDC(reference);
    if (!bitmap || !bits || !dc) return 0;
    {
        TSelectObject selectBitmap(dc.Get(), bitmap.Get());
        TSelectObject selectFont(dc.Get(), font);
        ::PatBlt(dc.Get(), 0, 0, width, rows, WHITENESS);
        ::SetTextColor(dc.Get(), RGB(0, 0, 0));
        ::SetBkMode(dc.Get(), TRANSPARENT);
        RECT r{0, 0, width, rows};
        ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, (format & ~UINT(DT_CALCRECT)) | DT_NOCLIP);
        ::GdiFlush();
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int x = width - 1; x >= 0; --x)
        for (int y = 0; y < rows; ++y)
            if ((pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFFu) != 0xFFFFFFu) return x + 1;
    return 0;
}

}  // namespace

const TEnumTypeInfo& TextLayoutTypeInfo() {
    static const TEnumTypeInfo info{"TTextLayout", {"tlTop", "tlCenter", "tlBottom"}, 0};
    return info;
}

const TClassInfo& TLabel::StaticClass() {
    using L = TLabel;
    static const TClassInfo info = TClassBuilder<L>("TLabel", &TControl::StaticClass)
                                       .Creatable()
                                       .Enum("Alignment", AlignmentTypeInfo(), &L::Alignment, &L::SetAlignment)
                                       .Default(int(TAlignment::taLeftJustify))
                                       .Bool("AutoSize", &L::AutoSize, &L::SetAutoSize)
                                       .Default(1)
                                       .Str("Caption", &L::Caption, &L::SetCaption)
                                       .Int("Color", &L::Color, &L::SetColor)
                                       .Idents(ColorIdents())
                                       .StoredIf([](const L& l) { return !l.ParentColor(); })
                                       .Enum("Layout", TextLayoutTypeInfo(), &L::Layout, &L::SetLayout)
                                       .Default(int(TTextLayout::tlTop))
                                       .Bool("ParentColor", &L::ParentColor, &L::SetParentColor)
                                       .Default(1)
                                       .Bool("ShowAccelChar", &L::ShowAccelChar, &L::SetShowAccelChar)
                                       .Default(1)
                                       .Bool("Transparent", &L::Transparent, &L::SetTransparent)
                                       .Default(0)
                                       .Bool("WordWrap", &L::WordWrap, &L::SetWordWrap)
                                       .Default(0)
                                       .Event("OnClick", &L::OnClick)
                                       .Build();
    return info;
}

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 65, 17);
    parentColor_ = true;
}

void TLabel::SetCaption(const std::string& value) {
    SetText(value);
    AdjustBounds();
}

void TLabel::SetAutoSize(bool value) {
    if (autoSize_ == value) return;
    autoSize_ = value;
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value) return;
    alignment_ = value;
    StyleChanged();
}

void TLabel::SetLayout(TTextLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    StyleChanged();
}

void TLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    StyleChanged();
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    StyleChanged();
    AdjustBounds();
}

void TLabel::SetParentColor(bool value) {
    if (parentColor_ == value) return;
    parentColor_ = value;
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (transparent_ == value) return;
    transparent_ = value;
    Invalidate();
}

void TLabel::ColorChanged() {
    // A colour of its own, from a form file or from code.
    parentColor_ = false;
    TControl::ColorChanged();
}

TColor TLabel::BackColor() const { return parentColor_ && Parent() ? Parent()->Color() : Color(); }

intptr_t TLabel::CtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(Font()->Color()));
    if (transparent_) {
        ::SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<intptr_t>(::GetStockObject(NULL_BRUSH));
    }
    const TColor back = BackColor();
    if (!backBrush_ || backBrushColor_ != back) {
        backBrush_.Reset(::CreateSolidBrush(ColorToRGB(back)));
        backBrushColor_ = back;
    }
    ::SetBkColor(dc, ColorToRGB(back));
    return reinterpret_cast<intptr_t>(backBrush_.Get());
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustBounds();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}

void TLabel::StyleChanged() {
    ApplyStyle();
    Invalidate();
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || IsLoading() || IsDestroying()) return;
    std::wstring text = Wide(Caption());
    // An empty caption still has the height of a line.
    const bool empty = text.empty();
    if (empty) text = L" ";
    TWindowDC dc;
    TSelectObject font(dc.Get(), Font()->Handle());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    UINT format = DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    if (!showAccelChar_) format |= DT_NOPREFIX;
    ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, format);
    const int height = r.bottom - r.top;
    int width = empty ? 0 : r.right - r.left;
    // A wrapped label keeps the width it was given; a line is as wide as
    // what is drawn of it, when that reaches further than the measure.
    if (!empty && !wordWrap_) width = std::max(width, DrawnRight(dc.Get(), Font()->Handle(), text, format, width, height));
    // A right-aligned label keeps its right edge where it was.
    const int left = alignment_ == TAlignment::taRightJustify ? Left() + Width() - width : Left();
    SetBounds(left, Top(), width, height);
}

void TLabel::CreateParams(TCreateParams& params) const {
    TControl::CreateParams(params);
    params.systemClass = L"STATIC";
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        params.style |= wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP;
        break;
    case TAlignment::taRightJustify:
        params.style |= SS_RIGHT;
        break;
    case TAlignment::taCenter:
        params.style |= SS_CENTER;
        break;
    }
    if (layout_ == TTextLayout::tlCenter && !wordWrap_) params.style |= SS_CENTERIMAGE;
    if (!showAccelChar_) params.style |= SS_NOPREFIX;
}

void TLabel::Click() { OnClick(this); }

void TLabel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        // A new caption may be shorter than the old one: the text is drawn
        // on a freshly filled background.
        TControl::WndProc(m);
        Invalidate();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        pressed_ = true;
        break;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        break;
    case WM_LBUTTONUP: {
        const TPoint p = MousePoint(m.LParam);
        const bool clicked = pressed_ && p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
        pressed_ = false;
        TControl::WndProc(m);
        if (clicked) Click();
        return;
    }
    default:
        break;
    }
    TControl::WndProc(m);
}
