// Menus: the root of an item tree, the popup menu and the form's menu bar.

#include "platform/win/Menus.h"

#include <memory>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Application.h"
#include "platform/win/Form.h"
#include "platform/win/Win32.h"

namespace {

TMenuItem* FindIn(const TMenuItem& item, int command) noexcept {
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem* child = item.Items(i);
        if (child->Command() == command) return child;
        if (TMenuItem* found = FindIn(*child, command)) return found;
    }
    return nullptr;
}

}  // namespace

// ---- TMenu ------------------------------------------------------------------

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass).Build();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(TComponent::Create<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
    // The items go with their menu, whoever owns them.
    items_->Clear();
    TComponent::BeforeDestruction();
}

TMenuItem* TMenu::FindItem(int command) const noexcept { return FindIn(*items_, command); }

bool TMenu::DispatchCommand(int command) {
    TMenuItem* item = FindItem(command);
    if (!item) return false;
    item->Click();
    return true;
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    items_->GetChildren(proc, root);
}

// ---- TPopupMenu -------------------------------------------------------------

const TEnumTypeInfo& PopupAlignmentTypeInfo() {
    static const TEnumTypeInfo info{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}, 0};
    return info;
}

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass)
            .Creatable()
            .Enum("Alignment", PopupAlignmentTypeInfo(), &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
            .Default(int(TPopupAlignment::paLeft))
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::OwnerWindow() const {
    // The menu's messages go to the window of the form it belongs to, so
    // that the form stays the active window while the menu is open.
    for (TComponent* c = Owner(); c; c = c->Owner())
        if (auto* form = c->As<TCustomForm>(); form && form->HandleAllocated()) return form->WindowHandle();
    return Application->Handle();
}

void TPopupMenu::Popup(int screenX, int screenY) {
    OnPopup(this);
    TMenuHandle menu(::CreatePopupMenu());
    if (!menu) throw EMenuError("Cannot create the menu");
    Items()->AppendItemsTo(menu.Get());
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_TOPALIGN;
    switch (alignment_) {
    case TPopupAlignment::paLeft: flags |= TPM_LEFTALIGN; break;
    case TPopupAlignment::paRight: flags |= TPM_RIGHTALIGN; break;
    case TPopupAlignment::paCenter: flags |= TPM_CENTERALIGN; break;
    }
    HWND owner = OwnerWindow();
    const int command = ::TrackPopupMenuEx(menu.Get(), flags, screenX, screenY, owner, nullptr);
    // Lets the owner's message loop notice that the menu has gone.
    ::PostMessageW(owner, WM_NULL, 0, 0);
    menu.Reset();
    // The chosen item runs after the menu has closed, before Popup returns.
    if (command > 0) DispatchCommand(command);
}

// ---- TMainMenu --------------------------------------------------------------

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass).Creatable().Build();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() { Detach(); }

void TMainMenu::BeforeDestruction() {
    Detach();
    TMenu::BeforeDestruction();
}

void TMainMenu::Attach(TCustomForm* form) {
    if (form == form_) return;
    Detach();
    if (!form) return;
    form_ = form;
    FreeNotification(form);
    auto hook = std::make_shared<Hook>(Hook{this});
    hook_ = hook;
    std::function<void(TMessage&)> previous = form->WindowProc;
    form->WindowProc = [hook, previous](TMessage& m) {
        if (hook->menu && hook->menu->HandleMenuMessage(m)) return;
        if (previous) previous(m);
        // A window made after Attach gets its menu bar as soon as it exists.
        if (m.Msg == WM_CREATE && hook->menu) hook->menu->Rebuild();
    };
    Rebuild();
}

bool TMainMenu::HandleMenuMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_COMMAND:
        // A menu's choice: no control, notification code 0.
        if (m.LParam == 0 && HIWORD(m.WParam) == 0 && DispatchCommand(LOWORD(m.WParam))) {
            m.Result = 0;
            return true;
        }
        return false;
    case WM_DESTROY:
        // The window would destroy its menu with it; the menu stays ours.
        if (form_ && form_->HandleAllocated()) ::SetMenu(form_->WindowHandle(), nullptr);
        handle_.Reset();
        return false;
    default:
        return false;
    }
}

void TMainMenu::Detach() noexcept {
    if (!form_) return;
    if (auto hook = hook_.lock()) hook->menu = nullptr;
    hook_.reset();
    if (form_->HandleAllocated() && handle_) {
        ::SetMenu(form_->WindowHandle(), nullptr);
        ::DrawMenuBar(form_->WindowHandle());
    }
    handle_.Reset();
    RemoveFreeNotification(form_);
    form_ = nullptr;
}

void TMainMenu::Notification(TComponent* component, TOperation operation) {
    TMenu::Notification(component, operation);
    if (operation == TOperation::Remove && component == form_) {
        if (auto hook = hook_.lock()) hook->menu = nullptr;
        hook_.reset();
        handle_.Reset();
        form_ = nullptr;
    }
}

void TMainMenu::MenuChanged() { Rebuild(); }

void TMainMenu::Rebuild() {
    if (!form_ || !form_->HandleAllocated()) {
        handle_.Reset();
        return;
    }
    TMenuHandle bar(::CreateMenu());
    if (!bar) throw EMenuError("Cannot create the menu");
    Items()->AppendItemsTo(bar.Get());
    HWND window = form_->WindowHandle();
    ::SetMenu(window, bar.Get());
    ::DrawMenuBar(window);
    handle_ = std::move(bar);  // the old bar is no longer shown: it goes now
}
