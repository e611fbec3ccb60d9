// The recently used files in a menu: numbered entry items made, captioned
// and taken away by the form settings component, and their clicks.
//
// The component finds its items by their tags in the container menu: the
// menu item's own submenu (pmpDescending) or the menu that holds the item,
// just before it (pmpBefore). It keeps no list of them, so items that the
// application moved or freed are never referred to.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win/Menus.h"
#include "psetting/PFormSettings.h"

namespace {

bool IsEntry(const TMenuItem* item) noexcept { return item->Tag() == TPFormSettings::kMRUEntryTag; }
bool IsOwnItem(const TMenuItem* item) noexcept {
    return IsEntry(item) || item->Tag() == TPFormSettings::kMRUSeparatorTag;
}

int CountEntries(const TMenuItem& container) {
    int n = 0;
    for (int i = 0; i < container.Count(); ++i)
        if (IsEntry(container.Items(i))) ++n;
    return n;
}

}  // namespace

TMenuItem* TPFormSettings::MRUContainer() const noexcept {
    if (!mruMenuItem_) return nullptr;
    return mruPlacement_ == pmpBefore ? mruMenuItem_->Parent() : mruMenuItem_;
}

void TPFormSettings::UpdateMRUMenu() {
    if (mruValidate_) ValidateMRUList();
    if (IsDesigning()) return;
    TMenuItem* container = MRUContainer();
    if (!container) return;
    const int shown = std::min(mruLength_, mruList_->Count());
    int n = CountEntries(*container);
    // The list may have lost entries (validation, or a caller's edit) while
    // the menu kept their items: start again from an empty menu rather than
    // leave items that show no entry.
    if (n > shown) {
        ClearMRUMenu();
        n = 0;
    }
    const bool before = mruPlacement_ == pmpBefore;
    int pos = before ? container->IndexOf(mruMenuItem_) : -1;

    if (n == 0 && shown > 0) {
        auto addSeparator = [&](int at) {
            TMenuItem* line = TComponent::Create<TMenuItem>(this);
            line->SetTag(kMRUSeparatorTag);
            line->SetCaption("-");
            if (at < 0)
                container->Add(line);
            else
                container->Insert(at, line);
        };
        if (before) {
            if (pos > 0 && !container->Items(pos - 1)->IsLine()) addSeparator(pos++);
            // Between the entries and the menu item.
            addSeparator(pos);
        } else if (container->Count() > 0) {
            addSeparator(-1);
        }
    } else if (n > 0 && before) {
        // The separator in front of the menu item: new entries go above it.
        --pos;
    }

    for (; n < shown; ++n) {
        TMenuItem* entry = TComponent::Create<TMenuItem>(this);
        entry->SetTag(kMRUEntryTag);
        entry->OnClick = TNotifyEvent(this, &TPFormSettings::MRUItemClick);
        if (before)
            container->Insert(pos, entry);
        else
            container->Add(entry);
    }

    int k = 0;
    for (int i = 0; i < container->Count(); ++i) {
        TMenuItem* item = container->Items(i);
        if (!IsEntry(item)) continue;
        if (k < mruList_->Count()) {
            // Appended piece by piece: GCC 12 at -O3 takes "literal" + a
            // temporary string for an overlapping copy (a false -Wrestrict).
            std::string caption = "&";
            caption += std::to_string(k + 1);
            caption += ' ';
            caption += GetMRUCaption(mruList_->Get(k));
            item->SetCaption(caption);
        }
        ++k;
    }
}

void TPFormSettings::ClearMRUMenu() {
    if (IsDesigning()) return;
    TMenuItem* container = MRUContainer();
    if (!container) return;
    for (int i = container->Count() - 1; i >= 0; --i) {
        // Freeing an item takes it out of its menu.
        if (i < container->Count() && IsOwnItem(container->Items(i))) TComponent::Free(container->Items(i));
    }
}

void TPFormSettings::FreeMRUItems() noexcept {
    std::vector<TMenuItem*> own;
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* item = ObjectAs<TMenuItem>(Components(i));
        if (item && IsOwnItem(item)) own.push_back(item);
    }
    for (TMenuItem* item : own) TComponent::Free(item);
}

void TPFormSettings::MRUItemClick(TObject* sender) {
    TMenuItem* container = MRUContainer();
    if (!container || !sender) return;
    int count = 0;
    bool found = false;
    for (int i = 0; i < container->Count() && !found; ++i) {
        TMenuItem* item = container->Items(i);
        if (!IsEntry(item)) continue;
        ++count;
        found = item == sender;
    }
    if (!found || count > mruList_->Count() || !OnMRUClick) return;
    OnMRUClick(this, static_cast<TMenuItem*>(sender), mruList_->Get(count - 1), count);
}
