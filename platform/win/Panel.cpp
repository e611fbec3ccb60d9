#include "platform/win/Panel.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Edges.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

const TEnumTypeInfo& BevelCutTypeInfo() {
    static const TEnumTypeInfo info{"TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, 0};
    return info;
}

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Enum("BevelInner", BevelCutTypeInfo(), &TPanel::BevelInner, &TPanel::SetBevelInner)
                                       .Default(int(TBevelCut::bvNone))
                                       .Enum("BevelOuter", BevelCutTypeInfo(), &TPanel::BevelOuter, &TPanel::SetBevelOuter)
                                       .Default(int(TBevelCut::bvRaised))
                                       .Int("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth)
                                       .Default(1)
                                       .Str("Caption", &TPanel::Caption, &TPanel::SetCaption)
                                       .Build();
    return info;
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetCaption(const std::string& value) {
    SetText(value);
    if (HandleAllocated()) ::InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TPanel::SetBevelInner(TBevelCut value) {
    if (bevelInner_ == value) return;
    bevelInner_ = value;
    BevelsChanged();
}

void TPanel::SetBevelOuter(TBevelCut value) {
    if (bevelOuter_ == value) return;
    bevelOuter_ = value;
    BevelsChanged();
}

void TPanel::SetBevelWidth(int value) {
    if (value < 1) value = 1;
    if (bevelWidth_ == value) return;
    bevelWidth_ = value;
    BevelsChanged();
}

void TPanel::BevelsChanged() {
    Realign();
    if (HandleAllocated()) ::InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TPanel::AdjustClientRect(TRect& rect) {
    int inset = 0;
    if (bevelOuter_ != TBevelCut::bvNone) inset += bevelWidth_;
    if (bevelInner_ != TBevelCut::bvNone) inset += bevelWidth_;
    rect.left += inset;
    rect.top += inset;
    rect.right -= inset;
    rect.bottom -= inset;
}

void TPanel::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    // The caption is centred and the bevels follow the edges: repaint all.
    params.classStyle |= CS_HREDRAW | CS_VREDRAW;
}

namespace {

// One bevel ring `width` pixels wide just inside `r`, which then shrinks.
void DrawBevel(HDC dc, TRect& r, TBevelCut cut, int width) {
    if (cut == TBevelCut::bvNone) return;
    if (cut == TBevelCut::bvSpace) {
        r = {r.left + width, r.top + width, r.right - width, r.bottom - width};
        return;
    }
    const COLORREF topLeft = ::GetSysColor(cut == TBevelCut::bvRaised ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    const COLORREF bottomRight = ::GetSysColor(cut == TBevelCut::bvRaised ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT);
    for (int i = 0; i < width; ++i) {
        DrawFrame(dc, r, topLeft, bottomRight);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
}

}  // namespace

void TPanel::Paint(HDC dc) {
    RECT client;
    ::GetClientRect(WindowHandle(), &client);
    ::FillRect(dc, &client, Brush());
    TRect inside{client.left, client.top, client.right, client.bottom};
    DrawBevel(dc, inside, bevelOuter_, bevelWidth_);
    DrawBevel(dc, inside, bevelInner_, bevelWidth_);
    RECT r{inside.left, inside.top, inside.right, inside.bottom};
    const std::wstring caption = Wide(Caption());
    if (!caption.empty()) {
        TSelectObject font(dc, Font()->Handle());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(Font()->Color()));
        ::DrawTextW(dc, caption.c_str(), int(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void TPanel::WndProc(TMessage& m) {
    if (PaintOwnWindow(m, [this](HDC dc, const TRect&) { Paint(dc); })) return;
    TWinControl::WndProc(m);
}
