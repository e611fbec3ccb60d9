#include "platform/core/Collection.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"

const TClassInfo& TCollectionItem::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass).Build();
    return info;
}

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo info = TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass).Build();
    return info;
}

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->Detach(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    for (int i = 0; i < collection_->Count(); ++i)
        if (collection_->Items(i) == this) return i;
    return -1;
}

void TCollectionItem::SetIndex(int index) {
    if (collection_) collection_->Move(Index(), index);
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed() {
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(this);
}

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner) : itemClass_(&itemClass), owner_(owner) {}

TCollection::~TCollection() {
    updateCount_ = 1;  // no change reports while tearing down
    Clear();
}

TCollectionItem* TCollection::Add() {
    if (!itemClass_->newItem)
        throw EListError(FormatText("Class %s cannot make collection items", {itemClass_->name}));
    std::unique_ptr<TCollectionItem> item(itemClass_->newItem(this));
    TCollectionItem* raw = item.get();
    items_.push_back(std::move(item));
    Changed();
    return raw;
}

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    // Items are detached before they are freed, so that an item destructor
    // that looks at the collection sees a consistent list.
    while (!items_.empty()) {
        std::unique_ptr<TCollectionItem> item = std::move(items_.back());
        items_.pop_back();
        item->collection_ = nullptr;
    }
    EndUpdate();
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    std::unique_ptr<TCollectionItem> owned = std::move(items_[size_t(index)]);
    items_.erase(items_.begin() + index);
    item->collection_ = nullptr;
    owned.reset();
    Changed();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return items_[size_t(index)].get();
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::Assign(const TPersistent& source) {
    const auto* other = source.As<TCollection>();
    if (!other) return TPersistent::Assign(source);
    BeginUpdate();
    Clear();
    for (int i = 0; i < other->Count(); ++i) Add()->Assign(*other->Items(i));
    EndUpdate();
}

void TCollection::Update(TCollectionItem* /*item*/) {}

void TCollection::Detach(TCollectionItem* item) noexcept {
    for (auto it = items_.begin(); it != items_.end(); ++it)
        if (it->get() == item) {
            it->release();
            items_.erase(it);
            break;
        }
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::Move(int from, int to) {
    if (from < 0 || from >= Count()) return;
    to = std::clamp(to, 0, Count() - 1);
    if (from == to) return;
    auto item = std::move(items_[size_t(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}
