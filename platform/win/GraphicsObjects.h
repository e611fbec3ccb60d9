#pragma once
// Brushes and pens as published values. Each makes its GDI object on first
// use and tells its listener (a canvas) of every change; the listener gets
// the chance to take the old object out of its DC before it is deleted.

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/win/Colors.h"
#include "platform/win/Handle.h"

enum class TBrushStyle { bsSolid, bsClear };
const TEnumTypeInfo& BrushStyleTypeInfo();

class TBrush : public TPersistent {
    GLY_CLASS(TBrush)
public:
    TBrush();
    ~TBrush() override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const noexcept { return style_; }
    void SetStyle(TBrushStyle value);

    // The GDI brush (a hollow stock brush for bsClear), made on first use.
    HBRUSH Handle() const;
    // Deletes the GDI brush; the next Handle() makes it again.
    void ReleaseHandle() noexcept { handle_.Reset(); }
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    mutable TBrushHandle handle_;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
const TEnumTypeInfo& PenStyleTypeInfo();

class TPen : public TPersistent {
    GLY_CLASS(TPen)
public:
    TPen();
    ~TPen() override;

    TColor Color() const noexcept { return color_; }
    void SetColor(TColor value);
    int Width() const noexcept { return width_; }
    void SetWidth(int value);
    TPenStyle Style() const noexcept { return style_; }
    void SetStyle(TPenStyle value);

    // The GDI pen, made on first use.
    HPEN Handle() const;
    void ReleaseHandle() noexcept { handle_.Reset(); }
    void Assign(const TPersistent& source) override;

    TNotifyEvent OnChange;

private:
    void Changed();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
    mutable TPenHandle handle_;
};
