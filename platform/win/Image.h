#pragma once
// An image: shows an icon at its own size, at the top-left corner or, with
// Center, in the middle; the rest shows the parent's colour. The image keeps
// a copy of the icon it is given.

#include "platform/win/PaintedControl.h"
#include "platform/win/Handle.h"

class TImage : public TPaintedControl {
    GLY_CLASS(TImage)
public:
    explicit TImage(TComponent* owner);

    // Takes a copy of `icon`; null shows nothing.
    void SetIcon(HICON icon);
    HICON Icon() const noexcept { return icon_.Get(); }
    int IconWidth() const noexcept { return iconWidth_; }
    int IconHeight() const noexcept { return iconHeight_; }
    bool Center() const noexcept { return center_; }
    void SetCenter(bool value);

protected:
    // A picture has no background of its own.
    TColor BackgroundColor() const override;
    void Paint(HDC dc, const TRect& client) override;

private:
    TIconHandle icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    bool center_ = false;
};
