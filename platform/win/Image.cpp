#include "platform/win/Image.h"

#include <utility>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/WinControl.h"
#include "platform/win/Win32.h"

const TClassInfo& TImage::StaticClass() {
    static const TClassInfo info = TClassBuilder<TImage>("TImage", &TControl::StaticClass)
                                       .Creatable()
                                       .Bool("Center", &TImage::Center, &TImage::SetCenter)
                                       .Default(0)
                                       .Build();
    return info;
}

TImage::TImage(TComponent* owner) : TPaintedControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetIcon(HICON icon) {
    TIconHandle copy;
    int width = 0, height = 0;
    if (icon) {
        copy.Reset(::CopyIcon(icon));
        ICONINFO info{};
        if (!copy || !::GetIconInfo(copy.Get(), &info)) throw Exception("Cannot copy the icon");
        // The colour bitmap has the icon's size; a monochrome icon has only
        // its mask, the AND half above the XOR half.
        BITMAP bm{};
        ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        width = bm.bmWidth;
        height = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
        if (info.hbmColor) ::DeleteObject(info.hbmColor);
        if (info.hbmMask) ::DeleteObject(info.hbmMask);
    }
    icon_ = std::move(copy);
    iconWidth_ = width;
    iconHeight_ = height;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (center_ == value) return;
    center_ = value;
    Invalidate();
}

TColor TImage::BackgroundColor() const { return Parent() ? Parent()->Color() : Color(); }

void TImage::Paint(HDC dc, const TRect& client) {
    if (!icon_) return;
    const int x = center_ ? (client.right - iconWidth_) / 2 : 0;
    const int y = center_ ? (client.bottom - iconHeight_) / 2 : 0;
    // The icon's own size: no scaling.
    ::DrawIconEx(dc, x, y, icon_.Get(), iconWidth_, iconHeight_, 0, nullptr, DI_NORMAL);
}
