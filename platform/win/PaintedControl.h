#pragma once
// A control of our own window class that draws the whole of its window
// itself, as a picture or a bevel does. What it shows follows its size, so a
// new size repaints all of it; its background is one colour, filled before
// Paint draws on it, and nothing is erased in between.

#include "platform/win/Control.h"

class TPaintedControl : public TControl {
public:
    using TControl::TControl;

protected:
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;

    // The colour under what Paint draws.
    virtual TColor BackgroundColor() const = 0;
    // Draws on `client`, the whole client area, already filled with
    // BackgroundColor.
    virtual void Paint(HDC dc, const TRect& client) = 0;
};
