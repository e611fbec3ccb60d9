#include "platform/win/Bevel.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Edges.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& BevelShapeTypeInfo() {
    static const TEnumTypeInfo info{
        "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"}, 0};
    return info;
}

const TEnumTypeInfo& BevelStyleTypeInfo() {
    static const TEnumTypeInfo info{"TBevelStyle", {"bsLowered", "bsRaised"}, 0};
    return info;
}

const TClassInfo& TBevel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TBevel>("TBevel", &TControl::StaticClass)
                                       .Creatable()
                                       .Enum("Shape", BevelShapeTypeInfo(), &TBevel::Shape, &TBevel::SetShape)
                                       .Default(int(TBevelShape::bsBox))
                                       .Enum("Style", BevelStyleTypeInfo(), &TBevel::Style, &TBevel::SetStyle)
                                       .Default(int(TBevelStyle::bsLowered))
                                       .Build();
    return info;
}

TBevel::TBevel(TComponent* owner) : TPaintedControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape value) {
    if (shape_ == value) return;
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
    if (style_ == value) return;
    style_ = value;
    Invalidate();
}

void TBevel::Paint(HDC dc, const TRect& client) {
    const int w = client.right, h = client.bottom;
    // A lowered line is shadow then highlight, a raised one the other way
    // round: two one-pixel lines along the edge.
    const bool lowered = style_ == TBevelStyle::bsLowered;
    const COLORREF first = ::GetSysColor(lowered ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    const COLORREF second = ::GetSysColor(lowered ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    switch (shape_) {
    case TBevelShape::bsBox:
        DrawFrame(dc, {0, 0, w, h}, first, second);
        break;
    case TBevelShape::bsFrame:
        DrawFrame(dc, {1, 1, w, h}, second, second);
        DrawFrame(dc, {0, 0, w - 1, h - 1}, first, first);
        break;
    case TBevelShape::bsTopLine:
        FillSolid(dc, {0, 0, w, 1}, first);
        FillSolid(dc, {0, 1, w, 2}, second);
        break;
    case TBevelShape::bsBottomLine:
        FillSolid(dc, {0, h - 2, w, h - 1}, first);
        FillSolid(dc, {0, h - 1, w, h}, second);
        break;
    case TBevelShape::bsLeftLine:
        FillSolid(dc, {0, 0, 1, h}, first);
        FillSolid(dc, {1, 0, 2, h}, second);
        break;
    case TBevelShape::bsRightLine:
        FillSolid(dc, {w - 2, 0, w - 1, h}, first);
        FillSolid(dc, {w - 1, 0, w, h}, second);
        break;
    case TBevelShape::bsSpacer:
        break;
    }
}

void TBevel::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    TPaintedControl::WndProc(m);
}
