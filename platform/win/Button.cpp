#include "platform/win/Button.h"

#include <functional>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Form.h"
#include "platform/win/Win32.h"

const TClassInfo& TButton::StaticClass() {
    using B = TButton;
    static const TClassInfo info = TClassBuilder<B>("TButton", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Bool("Cancel", &B::Cancel, &B::SetCancel)
                                       .Default(0)
                                       .Str("Caption", &B::Caption, &B::SetCaption)
                                       .Bool("Default", &B::Default, &B::SetDefault)
                                       .Default(0)
                                       .Int("ModalResult", &B::ModalResult, &B::SetModalResult)
                                       .Default(0)
                                       .Bool("TabStop", &B::TabStop, &B::SetTabStop)
                                       .Default(1)
                                       .Event("OnClick", &B::OnClick)
                                       .Build();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    if (HandleAllocated())
        ::SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    OnClick(this);
}

void TButton::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = L"BUTTON";
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    params.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_BASE + WM_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        m.Result = 0;
        return;
    case BM_SETSTYLE:
        // Moving the focus with Tab takes the default look from every button
        // and gives it to a button that gets the focus; the default button
        // has it back whenever no other button holds the focus.
        if (default_ && (m.WParam & BS_TYPEMASK) == BS_PUSHBUTTON) {
            TControl* focused = FromHandle(::GetFocus());
            if (!focused || focused == this || !focused->Is<TButton>()) m.WParam = (m.WParam & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON;
        }
        break;
    case WM_KILLFOCUS: {
        TWinControl::WndProc(m);
        // The default look goes back to the default button when the focus
        // leaves the buttons.
        const TControl* next = FromHandle(reinterpret_cast<HWND>(m.WParam));
        if (!next || !next->Is<TButton>()) RestoreDefaultLook();
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(m);
}

namespace {

bool Available(TButton& button) {
    HWND window = button.WindowHandle();
    return window && ::IsWindowVisible(window) && ::IsWindowEnabled(window);
}

// The first visible, enabled button of the form, in the order the controls
// were placed, for which `wanted` holds.
TButton* FindButton(TWinControl& parent, const std::function<bool(TButton&)>& wanted) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (auto* b = c->As<TButton>(); b && wanted(*b) && Available(*b)) return b;
        if (auto* w = c->As<TWinControl>())
            if (TButton* found = FindButton(*w, wanted)) return found;
    }
    return nullptr;
}

}  // namespace

void TButton::RestoreDefaultLook() {
    TCustomForm* form = ParentForm();
    if (!form || IsDestroying() || form->IsDestroying()) return;
    if (!default_ && HandleAllocated() && (::GetWindowLongW(WindowHandle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        ::SendMessageW(WindowHandle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (TButton* def = FindButton(*form, [](TButton& b) { return b.Default(); }))
        ::SendMessageW(def->WindowHandle(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

bool HandleDialogButtons(TCustomForm& form, TMessage& m) {
    if (m.Msg == DM_GETDEFID) {
        // Enter on a focused button clicks that button; elsewhere the default.
        TButton* button = nullptr;
        if (auto* focused = ObjectAs<TButton>(TControl::FromHandle(::GetFocus()));
            focused && focused->ParentForm() == &form && Available(*focused))
            button = focused;
        if (!button) button = FindButton(form, [](TButton& b) { return b.Default(); });
        m.Result = button ? intptr_t(MAKELONG(::GetDlgCtrlID(button->WindowHandle()), DC_HASDEFID)) : 0;
        return true;
    }
    if (m.Msg == WM_COMMAND && LOWORD(m.WParam) == IDCANCEL && HIWORD(m.WParam) == 0) {
        // Esc, from the dialog manager: no control of ours has the id IDCANCEL.
        if (TButton* button = FindButton(form, [](TButton& b) { return b.Cancel(); })) {
            button->Click();
            return true;
        }
    }
    return false;
}
