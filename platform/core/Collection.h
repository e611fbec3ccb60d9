#pragma once
// Collections: ordered lists of items whose published properties stream as
// one value of a property of their owner.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/Component.h"

class TCollection;

class TCollectionItem : public TPersistent {
    GLY_CLASS(TCollectionItem)
public:
    explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
    ~TCollectionItem() override;  // leaves its collection

    TCollection* Collection() const noexcept { return collection_; }
    int Index() const;
    void SetIndex(int index);
    TPersistent* GetOwner() const override;

protected:
    void Changed();

private:
    friend class TCollection;
    TCollection* collection_;
};

class TCollection : public TPersistent {
    GLY_CLASS(TCollection)
public:
    // `itemClass` must carry a newItem factory (TClassBuilder::Item).
    TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    const TClassInfo& ItemClass() const noexcept { return *itemClass_; }
    TCollectionItem* Add();
    void Clear();
    void Delete(int index);
    int Count() const noexcept { return int(items_.size()); }
    TCollectionItem* Items(int index) const;
    template <class T>
    T* ItemAs(int index) const {
        return static_cast<T*>(Items(index));
    }

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    void Assign(const TPersistent& source) override;
    TPersistent* GetOwner() const override { return owner_; }

    // Called after the items changed (item is null for a change of the list).
    virtual void Update(TCollectionItem* item);

private:
    friend class TCollectionItem;
    void Detach(TCollectionItem* item) noexcept;
    void Move(int from, int to);
    void Changed();

    const TClassInfo* itemClass_;
    TPersistent* owner_;
    std::vector<std::unique_ptr<TCollectionItem>> items_;
    int updateCount_ = 0;
};
