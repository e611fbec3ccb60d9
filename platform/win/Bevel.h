#pragma once
// A bevel: a sunken or raised line or frame in the system's 3-D colours,
// for separating groups of controls. It takes no input of its own: its
// window lets the pointer through, hints go to what lies beneath, and the
// parent hands it the mouse (its OnMouseMove, not the parent's, runs over
// it; see WinControl.h).

#include "platform/win/PaintedControl.h"

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
const TEnumTypeInfo& BevelShapeTypeInfo();
enum class TBevelStyle { bsLowered, bsRaised };
const TEnumTypeInfo& BevelStyleTypeInfo();

class TBevel : public TPaintedControl {
    GLY_CLASS(TBevel)
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const noexcept { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const noexcept { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void WndProc(TMessage& message) override;
    TColor BackgroundColor() const override { return Color(); }
    void Paint(HDC dc, const TRect& client) override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};
