#pragma once
// Menus: trees of TMenuItem components under a TPopupMenu or a TMainMenu.
//
// Items are components owned by the form (or by whoever creates them) and
// nested by their parent item, as form files nest them:
//
//   object PrintPopup: TPopupMenu
//     object FontListItem: TMenuItem
//       Caption = '&Seznam fontů'
//       OnClick = PrintFontList
//     end
//   end
//
// A caption of "-" makes a separator; "&" marks the access key. An item with
// items of its own opens a submenu. Every item has a command id of its own
// for as long as it lives. The Win32 menus are built from the items when
// they are shown (popup menus) or whenever the items change (main menus).
// Freeing an item takes it, and its items, out of its menu.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Handle.h"
#include "platform/win/Messages.h"
#include "platform/win/WinTypes.h"

class TMenu;
class TCustomForm;

namespace handle_traits {
struct Menu {
    static void Close(HMENU handle) noexcept;  // DestroyMenu
};
}  // namespace handle_traits
using TMenuHandle = TUniqueHandle<HMENU, handle_traits::Menu>;

class TMenuItem : public TComponent {
    GLY_CLASS(TMenuItem)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool value);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool value);
    // Shown in bold; Enter on its menu chooses it.
    bool Default() const noexcept { return default_; }
    void SetDefault(bool value);
    bool IsLine() const { return caption_ == "-"; }

    // ---- the tree ----
    int Count() const noexcept { return int(items_.size()); }
    TMenuItem* Items(int index) const;  // EListError out of range
    // Adds at the end / at `index` (0..Count); the item must not be in a
    // menu (EMenuError otherwise). The caller's owner keeps owning it.
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Takes the item out without freeing it (EMenuError if not an item of
    // this one); Delete does it by index; Clear frees every item.
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear();
    int IndexOf(const TMenuItem* item) const noexcept;  // -1 when absent
    // The item this one is in (a menu's root item for top-level items).
    TMenuItem* Parent() const noexcept { return parent_; }
    int MenuIndex() const noexcept;  // -1 without a parent
    void SetMenuIndex(int value);
    // The menu whose tree holds this item, or null.
    TMenu* GetParentMenu() const noexcept;

    // The id Win32 reports when the item is chosen.
    int Command() const noexcept { return command_; }
    // The live item with that command id, or null.
    static TMenuItem* FromCommand(int command) noexcept;

    // Runs OnClick if the item is enabled.
    void Click();
    TNotifyEvent OnClick;

    // ---- streaming ----
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    // Appends this item's children to `menu` (Win32), submenus included.
    void AppendItemsTo(HMENU menu) const;

protected:
    void BeforeDestruction() override;

private:
    friend class TMenu;
    void Changed();  // tells the menu to rebuild

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool default_ = false;
    int command_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
    std::vector<TMenuItem*> items_;
};

GLY_EXCEPTION(EMenuError, Exception);

class TMenu : public TComponent {
    GLY_CLASS(TMenu)
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The root item: its items are the menu's items.
    TMenuItem* Items() const noexcept { return items_.get(); }
    // The item with that command id in this menu's tree, or null.
    TMenuItem* FindItem(int command) const noexcept;
    // Runs the click of the item with that command id; false when the id is
    // none of this menu's.
    bool DispatchCommand(int command);

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
    friend class TMenuItem;
    // An item of the tree changed.
    virtual void MenuChanged() {}
    void BeforeDestruction() override;

private:
    TOwnedPtr<TMenuItem> items_;
};

enum class TPopupAlignment { paLeft, paRight, paCenter };
const TEnumTypeInfo& PopupAlignmentTypeInfo();

class TPopupMenu : public TMenu {
    GLY_CLASS(TPopupMenu)
public:
    explicit TPopupMenu(TComponent* owner);

    TPopupAlignment Alignment() const noexcept { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }

    // Runs OnPopup, shows the menu at the screen point (its top-left corner
    // there for paLeft) and waits until it closes; either mouse button
    // chooses. The chosen item's OnClick runs before Popup returns.
    void Popup(int screenX, int screenY);

    TNotifyEvent OnPopup;

private:
    HWND OwnerWindow() const;
    TPopupAlignment alignment_ = TPopupAlignment::paLeft;
};

// A form's menu bar. Attach shows it on the form's window (now, or when the
// window is made) and routes the choices of its items to their OnClick;
// every change of the items shows at once.
class TMainMenu : public TMenu {
    GLY_CLASS(TMainMenu)
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    void Attach(TCustomForm* form);
    TCustomForm* Form() const noexcept { return form_; }
    // The menu bar now shown (null while not shown).
    HMENU Handle() const noexcept { return handle_.Get(); }

    void Notification(TComponent* component, TOperation operation) override;

protected:
    void MenuChanged() override;
    void BeforeDestruction() override;

private:
    // What the menu puts into the form's window procedure; it stays there
    // for the form's life (others may hook in after it) and passes every
    // message on once the menu has let go of the form.
    struct Hook {
        TMainMenu* menu = nullptr;
    };
    bool HandleMenuMessage(TMessage& message);
    void Rebuild();
    void Detach() noexcept;

    TCustomForm* form_ = nullptr;
    std::weak_ptr<Hook> hook_;
    TMenuHandle handle_;
};
