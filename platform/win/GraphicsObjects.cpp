#include "platform/win/GraphicsObjects.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& BrushStyleTypeInfo() {
    static const TEnumTypeInfo info{"TBrushStyle", {"bsSolid", "bsClear"}, 0};
    return info;
}

const TEnumTypeInfo& PenStyleTypeInfo() {
    static const TEnumTypeInfo info{
        "TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear"}, 0};
    return info;
}

// ---- TBrush ----

const TClassInfo& TBrush::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBrush>("TBrush", &TPersistent::StaticClass)
                                       .Int("Color", &TBrush::Color, &TBrush::SetColor)
                                       .Idents(ColorIdents())
                                       .Default(clWhite)
                                       .Enum("Style", BrushStyleTypeInfo(), &TBrush::Style, &TBrush::SetStyle)
                                       .Default(0)
                                       .Build();
    return info;
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

HBRUSH TBrush::Handle() const {
    if (style_ == TBrushStyle::bsClear) return static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
    if (!handle_) handle_.Reset(::CreateSolidBrush(ColorToRGB(color_)));
    return handle_.Get();
}

void TBrush::Assign(const TPersistent& source) {
    const TBrush* other = source.As<TBrush>();
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == other->color_ && style_ == other->style_) return;
    color_ = other->color_;
    style_ = other->style_;
    Changed();
}

void TBrush::Changed() {
    // A canvas that has the old brush selected puts it out of its DC in
    // OnChange; only then may it be deleted.
    TBrushHandle old = std::move(handle_);
    OnChange(this);
}

// ---- TPen ----

const TClassInfo& TPen::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPen>("TPen", &TPersistent::StaticClass)
                                       .Int("Color", &TPen::Color, &TPen::SetColor)
                                       .Idents(ColorIdents())
                                       .Default(clBlack)
                                       .Enum("Style", PenStyleTypeInfo(), &TPen::Style, &TPen::SetStyle)
                                       .Default(0)
                                       .Int("Width", &TPen::Width, &TPen::SetWidth)
                                       .Default(1)
                                       .Build();
    return info;
}

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    Changed();
}

void TPen::SetWidth(int value) {
    if (value < 0) value = 0;
    if (width_ == value) return;
    width_ = value;
    Changed();
}

void TPen::SetStyle(TPenStyle value) {
    if (style_ == value) return;
    style_ = value;
    Changed();
}

HPEN TPen::Handle() const {
    if (!handle_) {
        static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL};
        handle_.Reset(::CreatePen(kStyles[int(style_)], width_, ColorToRGB(color_)));
    }
    return handle_.Get();
}

void TPen::Assign(const TPersistent& source) {
    const TPen* other = source.As<TPen>();
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (color_ == other->color_ && width_ == other->width_ && style_ == other->style_) return;
    color_ = other->color_;
    width_ = other->width_;
    style_ = other->style_;
    Changed();
}

void TPen::Changed() {
    TPenHandle old = std::move(handle_);
    OnChange(this);
}
