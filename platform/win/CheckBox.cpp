#include "platform/win/CheckBox.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Win32.h"

const TEnumTypeInfo& CheckBoxStateTypeInfo() {
    static const TEnumTypeInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}, 0};
    return info;
}

const TClassInfo& TCheckBox::StaticClass() {
    using C = TCheckBox;
    static const TClassInfo info = TClassBuilder<C>("TCheckBox", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Bool("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed)
                                       .Default(0)
                                       .Str("Caption", &C::Caption, &C::SetCaption)
                                       .Bool("Checked", &C::Checked, &C::SetChecked)
                                       .Default(0)
                                       .Enum("State", CheckBoxStateTypeInfo(), &C::State, &C::SetState)
                                       .StoredIf([](const C& c) { return c.State() == TCheckBoxState::cbGrayed; })
                                       .Bool("TabStop", &C::TabStop, &C::SetTabStop)
                                       .Default(1)
                                       .Event("OnClick", &C::OnClick)
                                       .Build();
    return info;
}

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

namespace {

WPARAM CheckOf(TCheckBoxState state) {
    switch (state) {
    case TCheckBoxState::cbChecked: return BST_CHECKED;
    case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
    case TCheckBoxState::cbUnchecked: break;
    }
    return BST_UNCHECKED;
}

TCheckBoxState StateOf(LRESULT check) {
    if (check == BST_CHECKED) return TCheckBoxState::cbChecked;
    if (check == BST_INDETERMINATE) return TCheckBoxState::cbGrayed;
    return TCheckBoxState::cbUnchecked;
}

}  // namespace

// Kept in step with the window by its clicks and BM_SETCHECK, from here or
// from outside: under Wine asking a comctl32-subclassed button (one with a
// tooltip) costs a wineserver round trip, and the state is read for every
// preview rendered.
TCheckBoxState TCheckBox::State() const { return state_; }

void TCheckBox::SetChecked(bool value) {
    SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState value) {
    if (State() == value) return;
    state_ = value;
    // BM_SETCHECK tells the parent nothing, so the click is raised here.
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(value), 0);
    OnClick(this);
}

void TCheckBox::SetAllowGrayed(bool value) {
    if (allowGrayed_ == value) return;
    allowGrayed_ = value;
    if (!HandleAllocated()) return;
    ::SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_AUTO3STATE : BS_AUTOCHECKBOX, TRUE);
}

void TCheckBox::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = L"BUTTON";
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    params.style |= allowGrayed_ ? BS_AUTO3STATE : BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    ::SendMessageW(WindowHandle(), BM_SETCHECK, CheckOf(state_), 0);
}

void TCheckBox::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_COMMAND) {
        if (HIWORD(m.WParam) == BN_CLICKED) {
            // The box has already changed its state.
            state_ = StateOf(::SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0));
            OnClick(this);
        }
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
    if (m.Msg == BM_SETCHECK) state_ = StateOf(::SendMessageW(WindowHandle(), BM_GETCHECK, 0, 0));
}
