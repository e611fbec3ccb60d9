#pragma once
// An image: shows an icon at its own size, at the top-left corner or, with
// Center, in the middle; the rest shows the parent's colour. The image keeps
// a copy of the icon it is given.

#include "platform/win/Control.h"
#include "platform/win/Handle.h"

class TImage : public TControl {
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
    void CreateParams(TCreateParams& params) const override;
    void WndProc(TMessage& message) override;

private:
    void Paint(HDC dc);

    TIconHandle icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    bool center_ = false;
};
