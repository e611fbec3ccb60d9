#include "platform/core/Component.h"

#include <algorithm>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

// ---- TPersistent ------------------------------------------------------------

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass).Build();
    return info;
}

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError(FormatText("Cannot assign a %s to a %s", {source.ClassName(), ClassName()}));
}

void TPersistent::DefineProperties(TFiler& /*filer*/) {}

// ---- TComponent -------------------------------------------------------------

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass)
                                       .Str("Name", &TComponent::Name, &TComponent::SetName)
                                       .NotStored()
                                       .Int("Tag", &TComponent::Tag, &TComponent::SetTag)
                                       .Default(0)
                                       .Build();
    return info;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {}

TComponent::~TComponent() {
    if (!beforeDestructionDone_) TComponent::BeforeDestruction();
    DestroyComponents();
}

void TComponent::Free(TComponent* component) {
    if (!component) return;
    component->BeforeDestruction();
    delete component;
}

void TComponent::BeforeDestruction() {
    if (beforeDestructionDone_) return;
    beforeDestructionDone_ = true;
    Destroying();
    // A component told about this one may drop its own subscription while
    // being told, so take one at a time until none is left.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        auto& theirs = other->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, TOperation::Remove);
    }
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount())
        throw EListError(FormatText(errors::kListIndex, {std::to_string(index)}));
    return components_[size_t(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const noexcept {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (text::SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::SetDesigning(bool value, bool setChildren) {
    if (value)
        state_.Include(TComponentFlag::Designing);
    else
        state_.Exclude(TComponentFlag::Designing);
    if (setChildren)
        for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::SetLoadingState(bool loading, bool reading) noexcept {
    if (loading)
        state_.Include(TComponentFlag::Loading);
    else
        state_.Exclude(TComponentFlag::Loading);
    if (reading)
        state_.Include(TComponentFlag::Reading);
    else
        state_.Exclude(TComponentFlag::Reading);
}

void TComponent::ValidateRename(TComponent* component, std::string_view currentName, std::string_view newName) {
    if (component && !text::SameText(currentName, newName) && FindComponent(newName))
        throw EComponentError(FormatText(errors::kDuplicateName, {newName}));
}

void TComponent::SetName(const std::string& newName) {
    if (name_ == newName) return;
    if (!newName.empty() && !text::IsValidIdent(newName))
        throw EComponentError(FormatText(errors::kInvalidName, {newName}));
    if (owner_)
        owner_->ValidateRename(this, name_, newName);
    else
        ValidateRename(nullptr, name_, newName);
    SetReference(false);
    name_ = newName;
    SetReference(true);
}

void TComponent::SetReference(bool enable) {
    if (!owner_ || name_.empty()) return;
    const TFieldInfo* field = owner_->ClassInfo().FindField(name_);
    if (!field) return;
    if (enable && field->type && !InheritsFrom(field->type())) return;
    field->set(*owner_, enable ? this : nullptr);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
    component->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component) return;
    if (component->owner_ && component->owner_ != this) component->owner_->RemoveComponent(component);
    if (std::find(components_.begin(), components_.end(), component) != components_.end()) return;
    if (!component->name_.empty()) ValidateRename(component, {}, component->name_);
    Insert(component);
    component->SetReference(true);
    if (IsDesigning()) component->SetDesigning(true);
    Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->owner_ != this) return;
    component->SetReference(false);
    Notification(component, TOperation::Remove);
    Remove(component);
}

void TComponent::DestroyComponents() {
    // Each round takes whatever is last now: a destructor that frees a
    // sibling shortens the list under us, and that is fine.
    while (!components_.empty()) {
        TComponent* last = components_.back();
        last->SetReference(false);
        Remove(last);
        Free(last);
    }
}

void TComponent::Destroying() {
    if (IsDestroying()) return;
    state_.Include(TComponentFlag::Destroying);
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    auto& theirs = component->freeNotifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::Remove && component) RemoveFreeNotification(component);
    // Everything this component owns hears about it too; copy the list, since
    // a listener may free components in response.
    const std::vector<TComponent*> listeners = components_;
    for (TComponent* c : listeners)
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notification(component, operation);
}

void TComponent::Loaded() { state_.Exclude(TComponentFlag::Loading); }

void TComponent::ReadState(TReader& reader) { reader.ReadProperties(*this); }

void TComponent::WriteState(TWriter& writer) { writer.WriteProperties(*this); }

void TComponent::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    if (root != this) return;
    const std::vector<TComponent*> list = components_;
    for (TComponent* c : list)
        if (!c->HasParent()) proc(c);
}
