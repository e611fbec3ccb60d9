#include "platform/win/Edit.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Form.h"
#include "platform/win/Win32.h"

const TClassInfo& TCustomEdit::StaticClass() {
    using E = TCustomEdit;
    static const TClassInfo info = TClassBuilder<E>("TCustomEdit", &TWinControl::StaticClass)
                                       .Int("Color", &E::Color, &E::SetColor)
                                       .Idents(ColorIdents())
                                       .Default(clWindow)
                                       .Int("MaxLength", &E::MaxLength, &E::SetMaxLength)
                                       .Default(0)
                                       .Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly)
                                       .Default(0)
                                       .Bool("TabStop", &E::TabStop, &E::SetTabStop)
                                       .Default(1)
                                       .Event("OnChange", &E::OnChange)
                                       .Event("OnEnter", &E::OnEnter)
                                       .Event("OnExit", &E::OnExit)
                                       .Event("OnKeyDown", &E::OnKeyDown)
                                       .Event("OnKeyPress", &E::OnKeyPress)
                                       .Event("OnKeyUp", &E::OnKeyUp)
                                       .Build();
    return info;
}

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass)
                                       .Creatable()
                                       .Str("Text", &TEdit::Text, &TEdit::SetText)
                                       .Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

std::string TCustomEdit::Text() const {
    if (!HandleAllocated()) return GetText();
    if (!textKnown_) {
        knownText_ = GetText();
        textKnown_ = true;
    }
    return knownText_;
}

void TCustomEdit::SetText(const std::string& value) { TControl::SetText(value); }

void TCustomEdit::SetMaxLength(int value) {
    if (value < 0) value = 0;
    maxLength_ = value;
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), EM_LIMITTEXT, WPARAM(value), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) ::SendMessageW(WindowHandle(), EM_SETREADONLY, value, 0);
}

int TCustomEdit::SelStart() const {
    if (!HandleAllocated()) return 0;
    DWORD start = 0;
    ::SendMessageW(WindowHandle(), EM_GETSEL, WPARAM(&start), 0);
    return int(start);
}

int TCustomEdit::SelLength() const {
    if (!HandleAllocated()) return 0;
    DWORD start = 0, end = 0;
    ::SendMessageW(WindowHandle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return int(end - start);
}

void TCustomEdit::SetSelStart(int value) {
    ::SendMessageW(Handle(), EM_SETSEL, WPARAM(value), LPARAM(value));
}

void TCustomEdit::SetSelLength(int value) {
    const int start = SelStart();
    ::SendMessageW(Handle(), EM_SETSEL, WPARAM(start), LPARAM(start + value));
}

void TCustomEdit::SelectAll() { ::SendMessageW(Handle(), EM_SETSEL, 0, -1); }

void TCustomEdit::CreateParams(TCreateParams& params) const {
    TWinControl::CreateParams(params);
    params.systemClass = L"EDIT";
    // A control, not a container: Tab stops at it instead of looking inside.
    params.exStyle &= ~DWORD(WS_EX_CONTROLPARENT);
    params.exStyle |= WS_EX_CLIENTEDGE;
    params.style |= ES_AUTOHSCROLL;
    if (readOnly_) params.style |= ES_READONLY;
}

void TCustomEdit::CreateWnd() {
    textKnown_ = false;
    TWinControl::CreateWnd();
    if (maxLength_ > 0) ::SendMessageW(WindowHandle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::RecreateWnd() {
    if (HandleAllocated()) RecreateWnd(GetText());
}

void TCustomEdit::RecreateWnd(const std::string& text) {
    if (!HandleAllocated()) return;
    const bool focused = Focused();
    DestroyHandle();
    TControl::SetText(text);
    if (Parent() && Parent()->HandleAllocated()) {
        HandleNeeded();
        if (focused) SetFocus();
    }
}

bool TCustomEdit::FromSameForm(uintptr_t otherWindow) const {
    HWND other = reinterpret_cast<HWND>(otherWindow);
    if (!other || !HandleAllocated() || IsDestroying()) return false;
    // A form that is going away moves the focus about as its windows go.
    if (const TCustomForm* form = ParentForm(); form && form->IsDestroying()) return false;
    return ::GetAncestor(other, GA_ROOT) == ::GetAncestor(WindowHandle(), GA_ROOT);
}

void TCustomEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        // Also when it comes from outside (an up-down writing its buddy, a
        // multi-line edit, which sends no EN_CHANGE for it).
        textKnown_ = false;
        TWinControl::WndProc(m);
        textKnown_ = false;
        return;
    case CN_BASE + WM_COMMAND:
        if (HIWORD(m.WParam) == EN_CHANGE) {
            textKnown_ = false;
            OnChange(this);
        }
        m.Result = 0;
        return;
    case WM_SETFOCUS:
        TWinControl::WndProc(m);
        if (FromSameForm(m.WParam)) OnEnter(this);
        return;
    case WM_KILLFOCUS:
        TWinControl::WndProc(m);
        if (FromSameForm(m.WParam)) OnExit(this);
        return;
    case WM_KEYUP: {
        uint16_t key = uint16_t(m.WParam);
        OnKeyUp(this, key, KeyboardShiftState());
        if (key == 0) return;
        m.WParam = key;
        break;
    }
    case WM_CHAR: {
        wchar_t key = wchar_t(m.WParam);
        OnKeyPress(this, key);
        if (key == 0) return;
        m.WParam = uintptr_t(key);
        break;
    }
    default:
        break;
    }
    TWinControl::WndProc(m);
}
