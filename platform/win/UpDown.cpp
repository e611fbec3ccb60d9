#include "platform/win/UpDown.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& UDOrientationTypeInfo() {
    static const TEnumTypeInfo info{"TUDOrientation", {"udHorizontal", "udVertical"}, 0};
    return info;
}

const TClassInfo& TUpDown::StaticClass() {
    using U = TUpDown;
    static const TClassInfo info = TClassBuilder<U>("TUpDown", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Obj("Associate", &U::Associate, &U::SetAssociate)
                                       .StoredIf([](const U& u) { return u.Associate() != nullptr; })
                                       .Bool("ArrowKeys", &U::ArrowKeys, &U::SetArrowKeys)
                                       .Default(1)
                                       .Int("Increment", &U::Increment, &U::SetIncrement)
                                       .Default(1)
                                       .Int("Min", &U::Min, &U::SetMin)
                                       .Default(0)
                                       .Int("Max", &U::Max, &U::SetMax)
                                       .Default(100)
                                       .Enum("Orientation", UDOrientationTypeInfo(), &U::Orientation,
                                             &U::SetOrientation)
                                       .Default(int(TUDOrientation::udVertical))
                                       .Int("Position", &U::Position, &U::SetPosition)
                                       .Default(0)
                                       .Bool("Thousands", &U::Thousands, &U::SetThousands)
                                       .Default(0)
                                       .Bool("Wrap", &U::Wrap, &U::SetWrap)
                                       .Default(0)
                                       .Event("OnChanging", &U::OnChanging)
                                       .Event("OnClick", &U::OnClick)
                                       .Build();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 15, 21); }

TUpDown::~TUpDown() = default;

void TUpDown::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == associate_) {
        associate_ = nullptr;
        // The buddy's window is going with it; the control lets go of it
        // itself (asking it to would shrink the arrows to their default width).
    }
}

void TUpDown::SetAssociate(TWinControl* value) {
    if (value == this) value = nullptr;
    if (associate_ == value) return;
    if (associate_) associate_->RemoveFreeNotification(this);
    associate_ = value;
    if (associate_) associate_->FreeNotification(this);
    if (HandleAllocated()) {
        ApplyBuddy();
        ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, position_);
    }
}

int TUpDown::Clamp(int value) const noexcept {
    const int lo = std::min(min_, max_), hi = std::max(min_, max_);
    return std::clamp(value, lo, hi);
}

void TUpDown::SetMin(int value) {
    min_ = value;
    ApplyRange();
}

void TUpDown::SetMax(int value) {
    max_ = value;
    ApplyRange();
}

void TUpDown::ApplyRange() {
    // A form file may give the position before the range; it is brought into
    // range once the whole form has been read.
    if (IsLoading()) return;
    position_ = Clamp(position_);
    if (!HandleAllocated()) return;
    ::SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, position_);
}

int TUpDown::ReadPosition(bool* valid) const {
    if (!HandleAllocated()) {
        if (valid) *valid = true;
        return position_;
    }
    BOOL error = FALSE;
    const int value = int(::SendMessageW(WindowHandle(), UDM_GETPOS32, 0, LPARAM(&error)));
    if (!error) position_ = value;
    if (valid) *valid = !error;
    return position_;
}

int TUpDown::Position() const { return ReadPosition(nullptr); }

bool TUpDown::PositionValid() const {
    bool valid = true;
    ReadPosition(&valid);
    return valid;
}

void TUpDown::SetPosition(int value) {
    position_ = IsLoading() ? value : Clamp(value);
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetIncrement(int value) {
    if (value < 1) value = 1;
    increment_ = value;
    ApplyAccel();
}

void TUpDown::ApplyAccel() {
    if (!HandleAllocated()) return;
    // One step size however long an arrow is held.
    UDACCEL accel{0, UINT(increment_)};
    ::SendMessageW(WindowHandle(), UDM_SETACCEL, 1, LPARAM(&accel));
}

void TUpDown::SetWrap(bool value) {
    if (wrap_ == value) return;
    wrap_ = value;
    StyleChanged();
}

void TUpDown::SetThousands(bool value) {
    if (thousands_ == value) return;
    thousands_ = value;
    StyleChanged();
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, Position());
}

void TUpDown::SetArrowKeys(bool value) {
    if (arrowKeys_ == value) return;
    arrowKeys_ = value;
    StyleChanged();
}

void TUpDown::SetOrientation(TUDOrientation value) {
    if (orientation_ == value) return;
    orientation_ = value;
    StyleChanged();
}

void TUpDown::StyleChanged() {
    if (!HandleAllocated()) return;
    ApplyStyle();
    // The buddy's key handling is set up when the buddy is given.
    ApplyBuddy();
}

void TUpDown::ApplyBuddy() {
    // A buddy whose parent has its window gets its own now, to be tied to.
    if (associate_ && !associate_->HandleAllocated() && associate_->Parent() && associate_->Parent()->HandleAllocated())
        associate_->HandleNeeded();
    HWND buddy = associate_ && associate_->HandleAllocated() ? associate_->WindowHandle() : nullptr;
    const TRect designed = BoundsRect();
    ::SendMessageW(WindowHandle(), UDM_SETBUDDY, WPARAM(buddy), 0);
    // Letting go of a buddy narrows the arrows to the control's default
    // width; they keep the width they were given.
    ::SetWindowPos(WindowHandle(), nullptr, designed.left, designed.top, designed.Width(), designed.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void TUpDown::Loaded() {
    TWinControl::Loaded();
    position_ = Clamp(position_);
    if (HandleAllocated()) ApplyRange();
}

void TUpDown::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = UPDOWN_CLASSW;
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    // No UDS_ALIGNLEFT/RIGHT: the buddy keeps its designed bounds.
    params.style |= UDS_SETBUDDYINT;
    if (arrowKeys_) params.style |= UDS_ARROWKEYS;
    if (wrap_) params.style |= UDS_WRAP;
    if (!thousands_) params.style |= UDS_NOTHOUSANDS;
    if (orientation_ == TUDOrientation::udHorizontal) params.style |= UDS_HORZ;
}

void TUpDown::CreateWnd() {
    const TRect designed = BoundsRect();
    TWinControl::CreateWnd();
    // The control picks a width of its own when it is made.
    SetBounds(designed.left, designed.top, designed.Width(), designed.Height());
    ::SendMessageW(WindowHandle(), UDM_SETRANGE32, WPARAM(min_), LPARAM(max_));
    ApplyAccel();
    ApplyBuddy();
    ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_BASE + WM_NOTIFY: {
        auto* nm = reinterpret_cast<NMUPDOWN*>(m.LParam);
        if (nm->hdr.code != UDN_DELTAPOS) break;
        // The step is made here rather than by the control, so that OnChanging
        // already finds the new position in the buddy's text.
        const int old = nm->iPos;
        const TUDBtnType button = (nm->iDelta > 0) == (max_ >= min_) ? TUDBtnType::btNext : TUDBtnType::btPrev;
        const int lo = std::min(min_, max_), hi = std::max(min_, max_);
        int next = old + nm->iDelta;
        if (next < lo || next > hi) next = wrap_ ? (nm->iDelta > 0 ? lo : hi) : old;
        // Whatever OnChanging does (even raise), the control must not step again.
        nm->iDelta = 0;
        clickPending_ = false;
        ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, next);
        position_ = next;
        bool allow = true;
        OnChanging(this, allow);
        if (!allow) {
            ::SendMessageW(WindowHandle(), UDM_SETPOS32, 0, old);
            position_ = old;
        }
        clickPending_ = allow;
        clickButton_ = button;
        m.Result = allow ? 0 : 1;
        return;
    }
    case CN_BASE + WM_VSCROLL:
    case CN_BASE + WM_HSCROLL:
        // Sent after every step, allowed or not.
        if (LOWORD(m.WParam) == SB_THUMBPOSITION && clickPending_) {
            clickPending_ = false;
            OnClick(this, clickButton_);
        }
        m.Result = 0;
        return;
    default:
        break;
    }
    TWinControl::WndProc(m);
}
