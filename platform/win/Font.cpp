#include "platform/win/Font.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

const TEnumTypeInfo& FontStyleTypeInfo() {
    static const TEnumTypeInfo info{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, 0};
    return info;
}

const TSetTypeInfo& FontStylesTypeInfo() {
    static const TSetTypeInfo info{"TFontStyles", &FontStyleTypeInfo()};
    return info;
}

const TIntIdentMap& CharsetIdents() {
    static const TIntIdentMap map{{
        {ANSI_CHARSET, "ANSI_CHARSET"},
        {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
        {MAC_CHARSET, "MAC_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
        {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {JOHAB_CHARSET, "JOHAB_CHARSET"},
        {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
        {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},
        {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
        {HEBREW_CHARSET, "HEBREW_CHARSET"},
        {ARABIC_CHARSET, "ARABIC_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},
        {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {THAI_CHARSET, "THAI_CHARSET"},
        {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
    }};
    return map;
}

const TClassInfo& TFont::StaticClass() {
    static const TClassInfo info = TClassBuilder<TFont>("TFont", &TPersistent::StaticClass)
                                       .Int("Charset", &TFont::Charset, &TFont::SetCharset)
                                       .Idents(CharsetIdents())
                                       .Default(kDefaultCharset)
                                       .Int("Color", &TFont::Color, &TFont::SetColor)
                                       .Idents(ColorIdents())
                                       .Default(clWindowText)
                                       .Int("Height", &TFont::Height, &TFont::SetHeight)
                                       .Str("Name", &TFont::Name, &TFont::SetName)
                                       .Int("Size", &TFont::Size, &TFont::SetSize)
                                       .NotStored()
                                       .SetOf("Style", FontStylesTypeInfo(), &TFont::Style, &TFont::SetStyle)
                                       .Default(0)
                                       .Build();
    return info;
}

TFont::TFont() = default;
TFont::~TFont() = default;

int TFont::ScreenPixelsPerInch() {
    static const int ppi = [] {
        TWindowDC screen;
        const int v = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return v > 0 ? v : 96;
    }();
    return ppi;
}

void TFont::SetCharset(int value) {
    if (charset_ == value) return;
    charset_ = value;
    Changed();
}

void TFont::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TFont::SetHeight(int value) {
    if (height_ == value) return;
    height_ = value;
    Changed();
}

void TFont::SetName(const std::string& value) {
    if (name_ == value) return;
    name_ = value;
    Changed();
}

int TFont::Size() const { return -::MulDiv(height_, 72, PixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, PixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = style_.Has(TFontStyle::fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = style_.Has(TFontStyle::fsItalic);
        lf.lfUnderline = style_.Has(TFontStyle::fsUnderline);
        lf.lfStrikeOut = style_.Has(TFontStyle::fsStrikeOut);
        lf.lfCharSet = BYTE(charset_);
        lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
        lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        lf.lfQuality = DEFAULT_QUALITY;
        lf.lfPitchAndFamily = DEFAULT_PITCH;
        const std::wstring face = Wide(name_);
        std::copy_n(face.begin(), std::min<size_t>(face.size(), LF_FACESIZE - 1), lf.lfFaceName);
        handle_.Reset(::CreateFontIndirectW(&lf));
    }
    return handle_.Get();
}

void TFont::Assign(const TPersistent& source) {
    const TFont* other = source.As<TFont>();
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    pixelsPerInch_ = other->pixelsPerInch_;  // the same height means the same size only at the same density
    if (charset_ == other->charset_ && color_ == other->color_ && height_ == other->height_ &&
        name_ == other->name_ && style_ == other->style_)
        return;
    charset_ = other->charset_;
    color_ = other->color_;
    height_ = other->height_;
    name_ = other->name_;
    style_ = other->style_;
    Changed();
}

void TFont::Changed() {
    // A canvas that has the old font selected puts it out of its DC in
    // OnChange; only then may it be deleted.
    TFontHandle old = std::move(handle_);
    OnChange(this);
}
