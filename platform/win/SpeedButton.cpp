// The speed button's state: groups, toggling, the mouse, the window text.
// Its painting is in SpeedButtonPaint.cpp.

#include "platform/win/SpeedButton.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Bitmap.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"

const TEnumTypeInfo& ButtonLayoutTypeInfo() {
    static const TEnumTypeInfo info{"TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}, 0};
    return info;
}

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TSpeedButton>("TSpeedButton", &TControl::StaticClass)
            .Creatable()
            .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Default(0)
            .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Default(0)
            .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Default(0)
            .Str("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption)
            .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Default(0)
            .Obj("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph)
            .Str("Hint", &TSpeedButton::Hint, &TSpeedButton::SetHint)
            .StoredIf([](const TSpeedButton& b) { return !b.Hint().empty(); })
            .Enum("Layout", ButtonLayoutTypeInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
            .Default(int(TButtonLayout::blGlyphLeft))
            .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
            .Default(-1)
            .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
            .Default(4)
            .Event("OnClick", &TSpeedButton::OnClick)
            .Event("OnMouseDown", &TSpeedButton::OnMouseDown)
            .Event("OnMouseUp", &TSpeedButton::OnMouseUp)
            .Build();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TControl(owner), glyph_(std::make_unique<TBitmap>()) {
    SetBounds(0, 0, 23, 22);
    glyph_->SetTransparent(true);
    glyph_->OnChange = TNotifyEvent(this, &TSpeedButton::OnGlyphChange);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    UpdateAccessibleText();
    Invalidate();
}

void TSpeedButton::SetHint(const std::string& value) {
    TControl::SetHint(value);
    UpdateAccessibleText();
}

void TSpeedButton::UpdateAccessibleText() {
    // A glyph-only button is known by its hint.
    const std::string& name = caption_.empty() ? Hint() : caption_;
    if (GetText() != name) SetText(name);
}

void TSpeedButton::SetGlyph(TBitmap* value) {
    if (value)
        glyph_->Assign(*value);
    else
        glyph_->SetSize(0, 0);
}

void TSpeedButton::OnGlyphChange(TObject* /*sender*/) {
    // The glyph is always drawn without its bottom-left pixel's colour.
    if (!glyph_->Transparent()) glyph_->SetTransparent(true);
    Invalidate();
}

void TSpeedButton::SetFlat(bool value) {
    if (flat_ == value) return;
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int value) {
    if (groupIndex_ == value) return;
    groupIndex_ = value;
    if (IsLoading()) return;
    if (groupIndex_ == 0) {
        SetDown(false);
    } else if (down_) {
        ReleaseGroup();
    }
}

void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    // The whole group shares the rule.
    if (IsLoading() || groupIndex_ == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* b = Parent()->Controls(i)->As<TSpeedButton>(); b && b->groupIndex_ == groupIndex_)
            b->allowAllUp_ = value;
}

void TSpeedButton::SetDown(bool value) {
    // While a form is read the group may not be known yet: Loaded settles it.
    if (IsLoading()) {
        down_ = value;
        return;
    }
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = value;
    if (down_) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::ReleaseGroup() {
    if (groupIndex_ == 0 || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* b = Parent()->Controls(i)->As<TSpeedButton>();
        if (!b || b == this || b->groupIndex_ != groupIndex_ || !b->down_) continue;
        b->down_ = false;
        b->Invalidate();
    }
}

void TSpeedButton::ChangeScale(int fromPpi, int toPpi) {
    TControl::ChangeScale(fromPpi, toPpi);
    pixelsPerInch_ = toPpi;
    // -1 (centred) is no length.
    const int spacing = spacing_ >= 0 ? designSpacing_.Rescale(spacing_, fromPpi, toPpi) : spacing_;
    if (spacing != spacing_) SetSpacing(spacing);
    Invalidate();
}

void TSpeedButton::Loaded() {
    TControl::Loaded();
    if (groupIndex_ == 0) down_ = false;
    if (down_) ReleaseGroup();
    UpdateAccessibleText();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int value) {
    if (spacing_ == value) return;
    spacing_ = value;
    Invalidate();
}

void TSpeedButton::SetMargin(int value) {
    if (margin_ == value) return;
    margin_ = value;
    Invalidate();
}

void TSpeedButton::Click() {
    if (groupIndex_ > 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    OnClick(this);
}

void TSpeedButton::FontChanged() {
    TControl::FontChanged();
    Invalidate();
}

void TSpeedButton::CreateParams(TCreateParams& params) const {
    TControl::CreateParams(params);
    // Two quick clicks are two clicks: a toggle goes down and up again.
    params.classStyle &= ~uint32_t(CS_DBLCLKS);
}

bool TSpeedButton::Inside(intptr_t lParam) const {
    const TPoint p = MousePoint(lParam);
    return p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
}

void TSpeedButton::SetHot(bool value) {
    if (hot_ == value) return;
    hot_ = value;
    if (hot_) {
        // Tells us when the mouse leaves, so that a flat button loses its frame.
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, WindowHandle(), 0};
        ::TrackMouseEvent(&tme);
    }
    if (flat_) Invalidate();
}

void TSpeedButton::MouseButtonDown(TMouseButton button, uintptr_t wParam, intptr_t lParam) {
    if (button == TMouseButton::mbLeft && Enabled()) {
        tracking_ = true;
        pressed_ = true;
        ::SetCapture(WindowHandle());
        Invalidate();
    }
    const TPoint p = MousePoint(lParam);
    OnMouseDown(this, button, MouseShiftState(wParam), p.x, p.y);
}

void TSpeedButton::MouseButtonUp(TMouseButton button, uintptr_t wParam, intptr_t lParam) {
    const bool inside = Inside(lParam);
    bool clicked = false;
    if (button == TMouseButton::mbLeft && tracking_) {
        clicked = inside;
        tracking_ = false;
        pressed_ = false;
        if (::GetCapture() == WindowHandle()) ::ReleaseCapture();
        Invalidate();
    }
    if (inside) {
        const TPoint p = MousePoint(lParam);
        OnMouseUp(this, button, MouseShiftState(wParam), p.x, p.y);
    }
    if (clicked) Click();
}

void TSpeedButton::WndProc(TMessage& m) {
    if (PaintOwnWindow(m, [this](HDC dc, const TRect&) { Paint(dc); })) return;
    switch (m.Msg) {
    case WM_SETFOCUS:
        // Never keeps the focus: it goes back where it came from.
        if (m.WParam) ::SetFocus(reinterpret_cast<HWND>(m.WParam));
        m.Result = 0;
        return;
    case WM_LBUTTONDOWN: MouseButtonDown(TMouseButton::mbLeft, m.WParam, m.LParam); m.Result = 0; return;
    case WM_RBUTTONDOWN: MouseButtonDown(TMouseButton::mbRight, m.WParam, m.LParam); m.Result = 0; return;
    case WM_MBUTTONDOWN: MouseButtonDown(TMouseButton::mbMiddle, m.WParam, m.LParam); m.Result = 0; return;
    case WM_LBUTTONUP: MouseButtonUp(TMouseButton::mbLeft, m.WParam, m.LParam); m.Result = 0; return;
    case WM_RBUTTONUP: MouseButtonUp(TMouseButton::mbRight, m.WParam, m.LParam); m.Result = 0; return;
    case WM_MBUTTONUP: MouseButtonUp(TMouseButton::mbMiddle, m.WParam, m.LParam); m.Result = 0; return;
    case WM_MOUSEMOVE: {
        SetHot(true);
        if (tracking_) {
            const bool inside = Inside(m.LParam);
            if (pressed_ != inside) {
                pressed_ = inside;
                Invalidate();
            }
        }
        const TPoint p = MousePoint(m.LParam);
        MouseMoved(MouseShiftState(m.WParam), p.x, p.y);
        m.Result = 0;
        return;
    }
    case WM_MOUSELEAVE:
        SetHot(false);
        m.Result = 0;
        return;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(m.LParam) != WindowHandle()) {
            tracking_ = false;
            pressed_ = false;
            Invalidate();
        }
        break;
    case WM_ENABLE:
        if (!m.WParam) {
            tracking_ = pressed_ = hot_ = false;
        }
        Invalidate();
        break;
    default:
        break;
    }
    TControl::WndProc(m);
}
