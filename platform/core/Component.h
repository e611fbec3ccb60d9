#pragma once
// Persistent objects and components: the owner tree through which forms own
// their controls and free them, with names, state, load completion and
// notifications of insertion and removal.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/Rtti.h"
#include "platform/core/Set.h"

class TFiler;
class TReader;
class TWriter;

class TPersistent : public TObject {
    GLY_CLASS(TPersistent)
public:
    // Copies another object's state; the base raises EConvertError.
    virtual void Assign(const TPersistent& source);
    // The hook through which an object streams properties that are not
    // published, by calling the filer's DefineProperty / DefineBinaryProperty.
    virtual void DefineProperties(TFiler& filer);
    virtual TPersistent* GetOwner() const { return nullptr; }
};

enum class TOperation { Insert, Remove };

enum class TComponentFlag {
    Loading,
    Reading,
    Writing,
    Destroying,
    Designing,
    Updating,
};
using TComponentState = TSet<TComponentFlag>;

class TComponent : public TPersistent {
    GLY_CLASS(TComponent)
public:
    // Components are made through Create<T>, which inserts the finished object
    // into its owner; the constructor only records the owner to be.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    template <class T, class... A>
    static T* Create(TComponent* owner, A&&... args) {
        auto obj = std::make_unique<T>(owner, std::forward<A>(args)...);
        T* raw = obj.get();
        if (owner) owner->InsertComponent(raw);
        obj.release();
        return raw;
    }

    TComponent* Owner() const noexcept { return owner_; }
    const std::string& Name() const noexcept { return name_; }
    virtual void SetName(const std::string& newName);
    int Tag() const noexcept { return tag_; }
    void SetTag(int tag) noexcept { tag_ = tag; }

    int ComponentCount() const noexcept { return int(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;  // position in the owner's list, -1 without owner
    // The owned component of that name, ASCII case ignored; nullptr if none.
    TComponent* FindComponent(std::string_view name) const noexcept;

    TComponentState ComponentState() const noexcept { return state_; }
    bool IsDesigning() const noexcept { return state_.Has(TComponentFlag::Designing); }
    bool IsLoading() const noexcept { return state_.Has(TComponentFlag::Loading); }
    bool IsReading() const noexcept { return state_.Has(TComponentFlag::Reading); }
    bool IsDestroying() const noexcept { return state_.Has(TComponentFlag::Destroying); }
    void SetDesigning(bool value, bool setChildren = true);

    // Takes `component` into this owner's list (it must have no owner) and
    // tells every owned component; RemoveComponent undoes it and tells them.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last first; survives a component freeing a
    // sibling in its destructor.
    void DestroyComponents();
    void Destroying();

    // Frees a component: BeforeDestruction runs while the object is still
    // whole (so that those told about its removal can still ask what it is),
    // then it is deleted. Components are always freed this way; plain delete
    // still works but notifies only from the base destructor.
    static void Free(TComponent* component);
    struct Deleter {
        void operator()(TComponent* c) const { Free(c); }
    };

    // Asks to be told (Notification with Remove) when `component` is freed,
    // whoever owns it. Mutual: both sides forget each other on destruction.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    virtual void Notification(TComponent* component, TOperation operation);
    // Load completion: runs once after the stream that created the component
    // has been read and its references fixed.
    virtual void Loaded();

    // Streaming of the owner tree.
    virtual void ReadState(TReader& reader);
    virtual void WriteState(TWriter& writer);
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root);
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* /*parent*/) {}

    TPersistent* GetOwner() const override { return owner_; }

    // Used by the stream reader while a component is being read.
    void SetLoadingState(bool loading, bool reading) noexcept;

protected:
    // Overrides do their own work first, then call this: it marks the tree as
    // destroying, tells the components that asked for it, and leaves the owner
    // (which tells everything it owns).
    virtual void BeforeDestruction();
    virtual void ValidateRename(TComponent* component, std::string_view currentName, std::string_view newName);
    // Keeps the owner's published field of this component's name pointing at it.
    void SetReference(bool enable);

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* owner_ = nullptr;
    std::string name_;
    int tag_ = 0;
    TComponentState state_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool beforeDestructionDone_ = false;
};

// Holds a component without owner; frees it through TComponent::Free.
template <class T>
using TOwnedPtr = std::unique_ptr<T, TComponent::Deleter>;

// The factory that class tables use for creatable components.
template <class T>
TComponent* NewComponent(TComponent* owner) {
    return TComponent::Create<T>(owner);
}
