#include "platform/win/WinControl.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Form.h"
#include "platform/win/Win32.h"

namespace {

// The control of ours that a notification to its parent comes from, or null.
TControl* NotifyingControl(HWND parent, const TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND: {
        // The dialog manager sends IDOK and IDCANCEL with some control as
        // lParam; a control's own notification carries its own id.
        HWND from = reinterpret_cast<HWND>(m.LParam);
        if (!from || LOWORD(m.WParam) != ::GetDlgCtrlID(from)) return nullptr;
        return TControl::FromHandle(from);
    }
    case WM_NOTIFY:
        return TControl::FromHandle(reinterpret_cast<const NMHDR*>(m.LParam)->hwndFrom);
    case WM_DRAWITEM:
        // Not CtlType: some controls (the status bar under Wine) leave it
        // undefined; for a menu hwndItem is no window and finds nothing.
        return TControl::FromHandle(reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam)->hwndItem);
    case WM_MEASUREITEM: {
        const auto* mis = reinterpret_cast<const MEASUREITEMSTRUCT*>(m.LParam);
        if (mis->CtlType == ODT_MENU) return nullptr;
        return TControl::FromHandle(::GetDlgItem(parent, int(mis->CtlID)));
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        return TControl::FromHandle(reinterpret_cast<HWND>(m.LParam));
    default:
        return nullptr;
    }
}

}  // namespace

const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info = TClassBuilder<TWinControl>("TWinControl", &TControl::StaticClass)
                                       .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                       .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                       .Default(0)
                                       .Build();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() { FreeControls(); }

void TWinControl::BeforeDestruction() {
    // One DestroyWindow takes every child window with it.
    DestroyHandle();
    FreeControls();
    TControl::BeforeDestruction();
}

void TWinControl::FreeControls() {
    while (!controls_.empty()) TComponent::Free(controls_.back());
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return controls_[size_t(index)];
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    if (auto* w = control->As<TWinControl>()) {
        tabList_.push_back(w);
        // While a form is read, the stored tab orders are sorted out once all
        // siblings exist; otherwise the position applies now.
        if (w->tabOrder_ >= 0 && !IsLoading()) w->SetTabOrder(w->tabOrder_);
    }
}

void TWinControl::RemoveControl(TControl* control) noexcept {
    if (mouseChild_ == control) mouseChild_ = nullptr;
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (auto* w = control->As<TWinControl>()) tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
    if (!IsDestroying() && control->Align() != TAlign::alNone) {
        try {
            Realign();
        } catch (...) {
            // Layout is redone on the next size change; removal must not fail.
        }
    }
}

int TWinControl::TabOrder() const {
    if (!Parent() || IsLoading()) return tabOrder_;
    const auto& list = Parent()->tabList_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    tabOrder_ = value;
    if (!Parent() || IsLoading()) return;
    auto& list = Parent()->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    const size_t at = value < 0 ? list.size() : std::min(size_t(value), list.size());
    list.insert(list.begin() + ptrdiff_t(at), this);
    Parent()->UpdateZOrder();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
    for (TWinControl* w : tabList_) {
        list.push_back(w);
        w->GetTabOrderList(list);
    }
}

void TWinControl::SortTabList() {
    // Controls read with a tab order go to that place; the others keep their
    // relative order around them.
    std::vector<TWinControl*> placed, rest;
    for (TWinControl* w : tabList_) (w->tabOrder_ >= 0 ? placed : rest).push_back(w);
    std::stable_sort(placed.begin(), placed.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    std::vector<TWinControl*> out = rest;
    for (TWinControl* w : placed) out.insert(out.begin() + ptrdiff_t(std::min(size_t(w->tabOrder_), out.size())), w);
    tabList_ = std::move(out);
    UpdateZOrder();
}

void TWinControl::UpdateZOrder() {
    // The dialog manager moves the focus in the windows' z-order, so the
    // z-order follows the tab order; other controls come after.
    if (!HandleAllocated()) return;
    HWND after = HWND_TOP;
    auto place = [&after](TControl* c) {
        if (!c->HandleAllocated()) return;
        ::SetWindowPos(c->WindowHandle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = c->WindowHandle();
    };
    for (TWinControl* w : tabList_) place(w);
    for (TControl* c : controls_)
        if (!c->Is<TWinControl>()) place(c);
}

void TWinControl::SetTabStop(bool value) {
    if (tabStop_ == value) return;
    tabStop_ = value;
    if (!HandleAllocated()) return;
    LONG_PTR style = ::GetWindowLongPtrW(WindowHandle(), GWL_STYLE);
    style = value ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
    ::SetWindowLongPtrW(WindowHandle(), GWL_STYLE, style);
}

bool TWinControl::Focused() const { return HandleAllocated() && ::GetFocus() == WindowHandle(); }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::EnableAlign() {
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) Realign();
}

void TWinControl::AdjustClientRect(TRect& /*rect*/) {}

void TWinControl::Realign() {
    if (aligning_ || alignDisabled_ > 0 || IsLoading() || IsDestroying()) return;
    aligning_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{aligning_};
    TRect r = ClientRect();
    AdjustClientRect(r);
    for (TAlign side : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : std::vector<TControl*>(controls_)) {
            if (c->Align() != side || !c->Visible()) continue;
            const int w = c->Width(), h = c->Height();
            switch (side) {
            case TAlign::alTop:
                c->SetBounds(r.left, r.top, r.Width(), h);
                r.top += h;
                break;
            case TAlign::alBottom:
                c->SetBounds(r.left, r.bottom - h, r.Width(), h);
                r.bottom -= h;
                break;
            case TAlign::alLeft:
                c->SetBounds(r.left, r.top, w, r.Height());
                r.left += w;
                break;
            case TAlign::alRight:
                c->SetBounds(r.right - w, r.top, w, r.Height());
                r.right -= w;
                break;
            case TAlign::alClient:
                c->SetBounds(r.left, r.top, r.Width(), r.Height());
                break;
            case TAlign::alNone:
                break;
            }
        }
    }
}

void TWinControl::BoundsChanged(bool resized) {
    if (resized) Realign();
}

void TWinControl::Loaded() {
    TControl::Loaded();
    SortTabList();
    Realign();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TControl* c : std::vector<TControl*>(controls_))
        if (c->Owner() == root) proc(c);
}

void TWinControl::CreateParams(TCreateParams& params) const {
    TControl::CreateParams(params);
    params.exStyle |= WS_EX_CONTROLPARENT;
    if (tabStop_) params.style |= WS_TABSTOP;
}

void TWinControl::CreateWnd() {
    TControl::CreateWnd();
    for (TControl* c : std::vector<TControl*>(controls_))
        if (!c->HandleAllocated()) c->CreateWnd();
    UpdateZOrder();
    Realign();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : std::vector<TControl*>(controls_)) c->ParentFontChanged();
}

bool TWinControl::DoKeyDown(TMessage& m) {
    const TShiftState shift = KeyboardShiftState();
    uint16_t key = uint16_t(m.WParam);
    TCustomForm* form = ParentForm();
    if (form && form != this && form->KeyPreview() && form->OnKeyDown) {
        form->OnKeyDown(form, key, shift);
        if (key == 0) return true;
    }
    if (OnKeyDown) {
        OnKeyDown(this, key, shift);
        if (key == 0) return true;
    }
    m.WParam = key;
    return false;
}

void TWinControl::ChangeScale(int fromPpi, int toPpi) {
    DisableAlign();
    TControl::ChangeScale(fromPpi, toPpi);
    ScaleChildren(fromPpi, toPpi);
    EnableAlign();
}

void TWinControl::ScaleChildren(int fromPpi, int toPpi) {
    DisableAlign();
    const std::vector<TControl*> children = controls_;
    for (TControl* child : children) child->ChangeScale(fromPpi, toPpi);
    EnableAlign();
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
        Realign();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (DoKeyDown(m)) return;
        break;
    case WM_SETFOCUS:
        if (TCustomForm* form = ParentForm(); form && form != this) form->FocusChanged(this);
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (TControl* child = NotifyingControl(WindowHandle(), m); child && child != this) {
            m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (RouteMouse(m)) return;
        break;
    case WM_SETCURSOR:
        if (RouteCursor(m)) return;
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        if (TControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam))) {
            m.Result = child->CtlColor(reinterpret_cast<HDC>(m.WParam));
            return;
        }
        break;
    default:
        break;
    }
    TControl::WndProc(m);
}
