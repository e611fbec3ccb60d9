// Menu items: the tree, command ids, and the Win32 menu items they become.

#include <algorithm>
#include <map>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Menus.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace handle_traits {
void Menu::Close(HMENU handle) noexcept { ::DestroyMenu(handle); }
}  // namespace handle_traits

namespace {

// Live items by command id. WM_COMMAND carries 16 bits of id, and a menu
// command is told from a control's by its lParam, so ids may overlap
// control ids but not each other.
std::map<int, TMenuItem*>& Commands() {
    static std::map<int, TMenuItem*> commands;
    return commands;
}

int AllocateCommand(TMenuItem* item) {
    static int next = 1;
    auto& commands = Commands();
    for (int tries = 0; tries < 0xEFFF; ++tries) {
        const int id = next;
        next = next >= 0xEFFF ? 1 : next + 1;
        if (commands.emplace(id, item).second) return id;
    }
    throw EMenuError("Too many menu items");
}

}  // namespace

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass)
                                       .Creatable()
                                       .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                       .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                       .Default(0)
                                       .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
                                       .Default(0)
                                       .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                       .Default(1)
                                       .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                       .Default(1)
                                       .Event("OnClick", &TMenuItem::OnClick)
                                       .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem() {
    // Reached without Free: leave the tree without telling anyone.
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) {
        auto& siblings = parent_->items_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    Commands().erase(command_);
}

void TMenuItem::BeforeDestruction() {
    // An item's items go with it, whoever owns them.
    while (!items_.empty()) TComponent::Free(items_.back());
    if (parent_) parent_->Remove(this);
    Commands().erase(command_);
    TComponent::BeforeDestruction();
}

TMenuItem* TMenuItem::FromCommand(int command) noexcept {
    const auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

void TMenuItem::SetCaption(const std::string& value) {
    if (caption_ == value) return;
    caption_ = value;
    Changed();
}

void TMenuItem::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    Changed();
}

void TMenuItem::SetChecked(bool value) {
    if (checked_ == value) return;
    checked_ = value;
    Changed();
}

void TMenuItem::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    Changed();
}

void TMenuItem::SetDefault(bool value) {
    if (default_ == value) return;
    default_ = value;
    Changed();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return items_[size_t(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) throw EMenuError("No menu item to insert");
    if (item->parent_) throw EMenuError("Menu inserted twice");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EMenuError("A menu item cannot be placed inside itself");
    if (index < 0 || index > Count()) throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    const int index = IndexOf(item);
    if (index < 0) throw EMenuError("Menu item not found");
    Delete(index);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    items_.erase(items_.begin() + index);
    item->parent_ = nullptr;
    Changed();
}

void TMenuItem::Clear() {
    while (!items_.empty()) TComponent::Free(items_.back());
}

int TMenuItem::IndexOf(const TMenuItem* item) const noexcept {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

int TMenuItem::MenuIndex() const noexcept { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::SetMenuIndex(int value) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    const int count = parent->Count();
    value = std::clamp(value, 0, count - 1);
    if (value == MenuIndex()) return;
    parent->items_.erase(parent->items_.begin() + MenuIndex());
    parent->items_.insert(parent->items_.begin() + value, this);
    Changed();
}

TMenu* TMenuItem::GetParentMenu() const noexcept {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::Changed() {
    TMenu* menu = GetParentMenu();
    if (menu && !menu->IsDestroying()) menu->MenuChanged();
}

void TMenuItem::Click() {
    if (enabled_) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (parent_) parent_->Remove(this);
    if (auto* menu = ObjectAs<TMenu>(parent))
        menu->Items()->Add(this);
    else if (auto* item = ObjectAs<TMenuItem>(parent))
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        if (item->Owner() == root) proc(item);
}

void TMenuItem::AppendItemsTo(HMENU menu) const {
    for (const TMenuItem* item : items_) {
        if (!item->visible_) continue;
        if (item->IsLine()) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item->checked_) flags |= MF_CHECKED;
        if (!item->enabled_) flags |= MF_GRAYED;
        const std::wstring text = Wide(item->caption_);
        if (!item->items_.empty()) {
            // The new submenu belongs to `menu` from here on and goes with it.
            HMENU sub = ::CreatePopupMenu();
            item->AppendItemsTo(sub);
            ::AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            ::AppendMenuW(menu, flags, UINT_PTR(item->command_), text.c_str());
        }
        if (item->default_) ::SetMenuDefaultItem(menu, UINT(::GetMenuItemCount(menu) - 1), TRUE);
    }
}
