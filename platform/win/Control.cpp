#include "platform/win/Control.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Form.h"
#include "platform/win/HintWindow.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"
#include "platform/win/WinText.h"

const TEnumTypeInfo& AlignTypeInfo() {
    static const TEnumTypeInfo info{"TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, 0};
    return info;
}

const TClassInfo& TControl::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TControl>("TControl", &TComponent::StaticClass)
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Enum("Align", AlignTypeInfo(), &TControl::Align, &TControl::SetAlign)
            .Default(int(TAlign::alNone))
            .Int("Color", &TControl::Color, &TControl::SetColor)
            .Idents(ColorIdents())
            .Default(clBtnFace)
            .Int("Cursor", &TControl::Cursor, &TControl::SetCursor)
            .Idents(CursorIdents())
            .Default(crDefault)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Default(1)
            .Obj("Font", &TControl::Font, &TControl::SetFont)
            .StoredIf([](const TControl& c) { return !c.ParentFont(); })
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Default(1)
            .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
            .Default(1)
            .Str("Hint", &TControl::Hint, &TControl::SetHint)
            .StoredIf([](const TControl& c) { return !c.Hint().empty(); })
            .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .StoredIf([](const TControl& c) { return !c.ParentShowHint(); })
            .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
            .Default(1)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Build();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = TNotifyEvent(this, &TControl::OnFontChange);
}

TControl::~TControl() {
    // Reached without Free: the object is no longer whole, so no message may
    // reach it while the window goes.
    if (handle_) {
        HWND window = handle_.Get();
        Detach(window);
        ::DestroyWindow(window);
    }
    LeaveParent();
}

void TControl::BeforeDestruction() {
    DestroyHandle();
    LeaveParent();
    TComponent::BeforeDestruction();
}

void TControl::LeaveParent() noexcept {
    if (!parent_) return;
    TWinControl* parent = parent_;
    parent_ = nullptr;
    parent->RemoveControl(this);
}

TCustomForm* TControl::ParentForm() const noexcept {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<TControl*>(c)->As<TCustomForm>();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    for (TControl* p = parent; p; p = p->parent_)
        if (p == this) throw EComponentError("A control cannot be placed inside itself");
    // The window belongs to the old parent's window; it is remade under the
    // new one when needed.
    DestroyHandle();
    LeaveParent();
    if (!parent) return;
    parent_ = parent;
    parent->InsertControl(this);
    ParentFontChanged();
    ParentShowHintChanged();
    if (parent->HandleAllocated()) HandleNeeded();
    RequestAlign();
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* p = ObjectAs<TWinControl>(parent)) SetParent(p);
}

void TControl::Loaded() {
    TComponent::Loaded();
    ParentFontChanged();
    ParentShowHintChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) ::SetWindowPos(handle_.Get(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    BoundsChanged(resized);
    if (align_ != TAlign::alNone) RequestAlign();
}

void TControl::BoundsChanged(bool /*resized*/) {}

void TControl::ChangeScale(int fromPpi, int toPpi) {
    ScaleBounds(fromPpi, toPpi);
    ScaleFont(fromPpi, toPpi);
}

void TControl::ScaleBounds(int fromPpi, int toPpi, bool position) {
    const int left = designLeft_.Rescale(left_, fromPpi, toPpi);
    const int top = designTop_.Rescale(top_, fromPpi, toPpi);
    const int width = designWidth_.Rescale(width_, fromPpi, toPpi);
    const int height = designHeight_.Rescale(height_, fromPpi, toPpi);
    if (position)
        SetBounds(left, top, width, height);
    else
        SetBounds(left_, top_, width, height);
}

void TControl::ScaleFont(int fromPpi, int toPpi) {
    // A font taken from the parent follows the parent's.
    const int height = designFontHeight_.Rescale(font_->Height(), fromPpi, toPpi);
    font_->SetPixelsPerInch(toPpi);
    if (!parentFont_) font_->SetHeight(height);
}

void TControl::UpdateBoundsFromWindow() {
    if (!handle_) return;
    HWND window = handle_.Get();
    if (topLevel_ && ::IsIconic(window)) return;
    RECT r;
    if (!::GetWindowRect(window, &r)) return;
    if (!topLevel_) {
        HWND parentWindow = ::GetParent(window);
        if (parentWindow) ::MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&r), 2);
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (r.left == left_ && r.top == top_ && w == width_ && h == height_) return;
    const bool resized = w != width_ || h != height_;
    left_ = r.left;
    top_ = r.top;
    width_ = w;
    height_ = h;
    BoundsChanged(resized);
}

TRect TControl::ClientRect() const {
    if (handle_) {
        RECT r{};
        ::GetClientRect(handle_.Get(), &r);
        return {r.left, r.top, r.right, r.bottom};
    }
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, params.style, FALSE, params.exStyle);
    const int w = width_ - (frame.right - frame.left);
    const int h = height_ - (frame.bottom - frame.top);
    return {0, 0, w > 0 ? w : 0, h > 0 ? h : 0};
}

TPoint TControl::ClientToScreen(TPoint point) {
    POINT p{point.x, point.y};
    ::ClientToScreen(Handle(), &p);
    return {int(p.x), int(p.y)};
}

void TControl::SetAlign(TAlign value) {
    if (align_ == value) return;
    align_ = value;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    VisibleChanged();
    RequestAlign();
}

void TControl::VisibleChanged() {
    if (handle_) ::ShowWindow(handle_.Get(), visible_ ? SW_SHOW : SW_HIDE);
}

void TControl::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    if (handle_) ::EnableWindow(handle_.Get(), value);
}

void TControl::SetHint(const std::string& value) {
    if (hint_ == value) return;
    hint_ = value;
    SyncHintTool(*this);
}

void TControl::SetShowHint(bool value) {
    parentShowHint_ = false;
    if (showHint_ == value) return;
    showHint_ = value;
    SyncHintTool(*this);
    if (auto* self = As<TWinControl>())
        for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool value) {
    if (parentShowHint_ == value) return;
    parentShowHint_ = value;
    ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (!parentShowHint_ || !parent_) return;
    const bool value = parent_->ShowHint();
    if (showHint_ == value) return;
    showHint_ = value;
    SyncHintTool(*this);
    if (auto* self = As<TWinControl>())
        for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentShowHintChanged();
}

void TControl::SetFont(TFont* value) {
    if (value && value != font_.get()) font_->Assign(*value);
}

void TControl::SetParentFont(bool value) {
    if (parentFont_ == value) return;
    parentFont_ = value;
    ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!parentFont_ || !parent_) return;
    struct Following {
        bool& flag;
        explicit Following(bool& f) : flag(f) { flag = true; }
        ~Following() { flag = false; }
    } following(followingParent_);
    font_->Assign(*parent_->Font());
}

void TControl::OnFontChange(TObject* /*sender*/) {
    if (!followingParent_) parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() { ApplyFont(); }

void TControl::ApplyFont() {
    if (!handle_) return;
    ::SendMessageW(handle_.Get(), WM_SETFONT, WPARAM(font_->Handle()), TRUE);
    // Windows of our own classes ignore WM_SETFONT: they paint with the
    // control's font, so they must paint again to show the new one.
    ::InvalidateRect(handle_.Get(), nullptr, TRUE);
}

void TControl::SetColor(TColor value) {
    if (color_ == value) return;
    color_ = value;
    ColorChanged();
}

void TControl::ColorChanged() {
    brush_.Reset();
    if (handle_) ::InvalidateRect(handle_.Get(), nullptr, TRUE);
}

void TControl::MouseMoved(TShiftState shift, int x, int y) { OnMouseMove(this, shift, x, y); }

HBRUSH TControl::Brush() {
    if (!brush_) brush_.Reset(::CreateSolidBrush(ColorToRGB(color_)));
    return brush_.Get();
}

intptr_t TControl::CtlColor(HDC dc) {
    ::SetTextColor(dc, ColorToRGB(font_->Color()));
    ::SetBkColor(dc, ColorToRGB(color_));
    return reinterpret_cast<intptr_t>(Brush());
}

std::string TControl::GetText() const {
    if (!handle_) return text_;
    const int n = ::GetWindowTextLengthW(handle_.Get());
    std::wstring w(size_t(n > 0 ? n : 0) + 1, L'\0');
    const int got = ::GetWindowTextW(handle_.Get(), w.data(), int(w.size()));
    w.resize(size_t(got > 0 ? got : 0));
    return Utf8(w);
}

void TControl::SetText(const std::string& value) {
    text_ = value;
    if (handle_) ::SetWindowTextW(handle_.Get(), Wide(value).c_str());
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (::GetKeyState(VK_SHIFT) < 0) s.Include(TShiftFlag::ssShift);
    if (::GetKeyState(VK_CONTROL) < 0) s.Include(TShiftFlag::ssCtrl);
    if (::GetKeyState(VK_MENU) < 0) s.Include(TShiftFlag::ssAlt);
    if (::GetKeyState(VK_LBUTTON) < 0) s.Include(TShiftFlag::ssLeft);
    if (::GetKeyState(VK_RBUTTON) < 0) s.Include(TShiftFlag::ssRight);
    if (::GetKeyState(VK_MBUTTON) < 0) s.Include(TShiftFlag::ssMiddle);
    return s;
}

void TControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_.Get(), nullptr, TRUE);
}

void TControl::Update() {
    if (handle_) ::UpdateWindow(handle_.Get());
}

void TControl::Repaint() {
    Invalidate();
    Update();
}
