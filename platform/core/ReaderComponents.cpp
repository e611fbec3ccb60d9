// TReader: properties through reflection, components, references.

#include <algorithm>
#include <cstring>

#include "platform/core/Collection.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

namespace {

constexpr uint8_t kPrefixMask = 0xF0;
constexpr uint8_t kFlagInherited = 1;
constexpr uint8_t kFlagChildPos = 2;
constexpr char kSignature[4] = {'T', 'P', 'F', '0'};

bool IsIntegerTag(TValueType t) {
    return t == TValueType::Int8 || t == TValueType::Int16 || t == TValueType::Int32 || t == TValueType::Int64;
}

bool IsStringTag(TValueType t) {
    return t == TValueType::String || t == TValueType::LString || t == TValueType::WString ||
           t == TValueType::Utf8String;
}

// Whatever a setter, a factory or a component's own hook raises while a
// stream is read reaches the caller as a read error with the same text: a
// bad stream must be recognisable as one.
template <class F>
auto Guarded(F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError(e.Message());
    }
}

std::vector<std::string> SplitDotted(const std::string& name) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = name.find('.', start);
        parts.push_back(name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) return parts;
        start = dot + 1;
    }
}

}  // namespace

// ---- properties -------------------------------------------------------------

void TReader::ReadProperties(TPersistent& instance) {
    while (!EndOfList()) ReadProperty(instance);
}

void TReader::ReadProperty(TPersistent& instance) {
    const std::string fullName = ReadStr();
    const std::vector<std::string> parts = SplitDotted(fullName);
    auto missing = [&](const std::string& part) {
        const TComponent* c = component_ ? component_ : instance.As<TComponent>();
        const std::string owner = c ? c->Name() : instance.ClassName();
        throw EReadError(FormatText(errors::kPropertyDoesNotExist, {owner, fullName, part}));
    };
    TPersistent* target = &instance;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const TPropInfo* prop = FindPropInfo(*target, parts[i]);
        if (!prop || prop->kind != TTypeKind::Class || !prop->getObj) missing(parts[i]);
        TPersistent* sub = ObjectAs<TPersistent>(Guarded([&] { return GetObjectProp(*target, *prop); }));
        if (!sub) missing(parts[i]);
        target = sub;
    }
    const std::string& last = parts.back();
    if (const TPropInfo* prop = FindPropInfo(*target, last)) {
        ReadPropValue(*target, *prop);
        return;
    }
    // Not published: the object's own definitions may know it. Nested reads
    // inside a definition set these again, so they are restored afterwards.
    const std::string savedName = propName_;
    const bool savedHandled = propertyHandled_;
    propName_ = last;
    propertyHandled_ = false;
    Guarded([&] { target->DefineProperties(*this); });
    const bool handled = propertyHandled_;
    propName_ = savedName;
    propertyHandled_ = savedHandled;
    if (!handled) missing(last);
}

void TReader::ReadPropValue(TPersistent& instance, const TPropInfo& prop) {
    if (prop.kind != TTypeKind::Class && prop.kind != TTypeKind::Method && !prop.Writable()) {
        ReadValue();
        PropValueError();
    }
    const TValueType t = NextValue();
    switch (prop.kind) {
        case TTypeKind::Integer: {
            int64_t v;
            if (t == TValueType::Ident && prop.intIdents) {
                const auto mapped = prop.intIdents->ValueOf(ReadIdent());
                if (!mapped) PropValueError();
                v = *mapped;
            } else {
                v = ReadInt64();
            }
            Guarded([&] { SetOrdProp(instance, prop, v); });
            return;
        }
        case TTypeKind::Char:
        case TTypeKind::WChar: {
            int64_t v;
            if (IsIntegerTag(t)) {
                v = ReadInt64();
            } else if (prop.kind == TTypeKind::Char && t == TValueType::String) {
                // The byte as written, without a round trip through the code page.
                ReadValue();
                const std::string byte = ReadStr();
                if (byte.size() != 1) PropValueError();
                v = static_cast<unsigned char>(byte[0]);
            } else if (prop.kind == TTypeKind::WChar && t == TValueType::WString) {
                // The unit as written, even half of a surrogate pair, which a
                // round trip through UTF-8 would replace.
                ReadValue();
                if (ReadSize(2) != 1) PropValueError();
                uint8_t unit[2];
                Read(unit, sizeof unit);
                v = unit[0] | unit[1] << 8;
            } else if (prop.kind == TTypeKind::Char) {
                // A char is a byte of the ANSI code page, stored as a string
                // of one character.
                bool lossless = true;
                const std::string ansi = text::Utf8ToAnsi(ReadString(), &lossless);
                if (ansi.size() != 1 || !lossless) PropValueError();
                v = static_cast<unsigned char>(ansi[0]);
            } else {
                const std::u16string units = text::Utf8ToUtf16(ReadString());
                if (units.size() != 1) PropValueError();
                v = units[0];
            }
            Guarded([&] { SetOrdProp(instance, prop, v); });
            return;
        }
        case TTypeKind::Enumeration: {
            if (!prop.enumType) PropValueError();
            const auto v = prop.enumType->Find(ReadIdent());
            if (!v) PropValueError();
            Guarded([&] { SetOrdProp(instance, prop, *v); });
            return;
        }
        case TTypeKind::Set: ReadSetValue(instance, prop); return;
        case TTypeKind::Float: {
            const long double v = ReadFloat();
            Guarded([&] { SetFloatProp(instance, prop, v); });
            return;
        }
        case TTypeKind::ShortString:
        case TTypeKind::LString:
        case TTypeKind::WString: {
            if (!IsStringTag(t)) {
                ReadValue();
                PropValueError();
            }
            const std::string v = ReadString();
            Guarded([&] { SetStrProp(instance, prop, v); });
            return;
        }
        case TTypeKind::Variant: {
            const TVariant v = ReadVariant();
            Guarded([&] { SetVariantProp(instance, prop, v); });
            return;
        }
        case TTypeKind::Class: ReadObjectValue(instance, prop); return;
        case TTypeKind::Method: ReadMethodValue(instance, prop); return;
        case TTypeKind::Unknown: break;
    }
    ReadValue();
    PropValueError();
}

void TReader::ReadSetValue(TPersistent& instance, const TPropInfo& prop) {
    CheckValue(TValueType::Set);
    const TEnumTypeInfo* element = prop.setType ? prop.setType->element : nullptr;
    if (!element) PropValueError();
    uint32_t bits = 0;
    for (std::string ident = ReadStr(); !ident.empty(); ident = ReadStr()) {
        const auto ord = element->Find(ident);
        if (!ord || *ord < 0 || *ord > 31) PropValueError();
        bits |= uint32_t(1) << *ord;
    }
    Guarded([&] { SetOrdProp(instance, prop, bits); });
}

void TReader::ReadObjectValue(TPersistent& instance, const TPropInfo& prop) {
    switch (ReadValue()) {
        case TValueType::Ident: {
            // A reference to a component that may come later in the stream:
            // set once the whole root has been read.
            std::string name = ReadStr();
            if (!prop.setObj || !prop.classType || !prop.classType().InheritsFrom(TComponent::StaticClass()))
                PropValueError();
            fixups_.push_back(Fixup{&instance, &prop, std::move(name)});
            return;
        }
        case TValueType::Nil:
            if (!prop.setObj) PropValueError();
            Guarded([&] { SetObjectProp(instance, prop, nullptr); });
            return;
        case TValueType::Collection: {
            auto* collection = ObjectAs<TCollection>(Guarded([&] { return GetObjectProp(instance, prop); }));
            if (!collection) PropValueError();
            ReadCollection(*collection);
            return;
        }
        default: PropValueError();
    }
}

void TReader::ReadMethodValue(TPersistent& instance, const TPropInfo& prop) {
    TMethodRef ref;
    if (NextValue() == TValueType::Nil) {
        ReadValue();
    } else {
        if (ReadValue() != TValueType::Ident) PropValueError();
        const std::string name = ReadStr();
        TComponent* root = Root();
        const TMethodInfo* method = root ? root->ClassInfo().FindMethod(name) : nullptr;
        if (!method) PropValueError();
        if (prop.signature && method->signature && *prop.signature != *method->signature) PropValueError();
        ref = TMethodRef{root, method};
    }
    if (!prop.setMethod) PropValueError();
    Guarded([&] { SetMethodProp(instance, prop, ref); });
}

void TReader::ReadCollection(TCollection& collection) {
    DepthGuard guard(*this);
    DropFixupsWithin(collection);
    collection.BeginUpdate();
    try {
        collection.Clear();
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue())) ReadInt64();  // the order value
            TCollectionItem* item = Guarded([&] { return collection.Add(); });
            ReadListBegin();
            while (!EndOfList()) ReadProperty(*item);
            ReadListEnd();
        }
        ReadListEnd();
    } catch (...) {
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
}

// Items about to be freed must not be written to by a reference resolved
// later.
void TReader::DropFixupsWithin(const TCollection& collection) {
    auto within = [&](const Fixup& f) {
        for (const TPersistent* p = f.instance; p; p = p->GetOwner())
            if (p == &collection) return true;
        return false;
    };
    fixups_.erase(std::remove_if(fixups_.begin(), fixups_.end(), within), fixups_.end());
}

void TReader::ResolveFixups() {
    TComponent* root = Root();
    std::vector<Fixup> pending;
    pending.swap(fixups_);
    if (!root) return;
    for (const Fixup& f : pending) {
        TComponent* target = nullptr;
        const size_t dot = f.name.find('.');
        if (dot == std::string::npos) {
            target = text::SameText(f.name, root->Name()) ? root : root->FindComponent(f.name);
        } else if (text::SameText(std::string_view(f.name).substr(0, dot), root->Name())) {
            target = root->FindComponent(std::string_view(f.name).substr(dot + 1));
        }
        // Unresolved or of the wrong class: the property keeps its value.
        if (!target || !target->InheritsFrom(f.prop->classType())) continue;
        Guarded([&] { SetObjectProp(*f.instance, *f.prop, target); });
    }
}

// ---- components -------------------------------------------------------------

void TReader::ReadComponentBody(TComponent& component) {
    TComponent* const savedComponent = component_;
    TComponent* const savedParent = parent_;
    component_ = &component;
    Guarded([&] { component.ReadState(*this); });
    ReadListEnd();
    // Children nest under the component that holds them on screen; their
    // owner stays the reader's owner, the root.
    parent_ = &component;
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
    parent_ = savedParent;
    component_ = savedComponent;
}

TComponent* TReader::ReadComponent(TComponent* component) {
    DepthGuard guard(*this);
    uint8_t flags = 0;
    if ((uint8_t(NextValue()) & kPrefixMask) == kPrefixMask) {
        flags = uint8_t(ReadValue()) & ~kPrefixMask;
        if (flags & kFlagChildPos) ReadInteger();
    }
    const std::string className = ReadStr();
    const std::string name = ReadStr();
    if (!component && (flags & kFlagInherited) && Owner()) {
        component = Owner()->FindComponent(name);
        // An inherited component is one the stream reads into once. Found
        // again, it may be the very component whose children are being read
        // or one of its parents, and would become its own ancestor.
        if (component && std::find(loaded_.begin(), loaded_.end(), component) != loaded_.end())
            throw EReadError(FormatText(errors::kDuplicateName, {name}));
    }
    TOwnedPtr<TComponent> orphan;
    if (!component) {
        const TClassInfo* cls = classes::Find(className);
        if (!cls || !cls->newComponent) throw EClassNotFound(FormatText(errors::kClassNotFound, {className}));
        component = Guarded([&] { return cls->newComponent(Owner()); });
        if (!component->Owner()) orphan.reset(component);
    }
    component->SetLoadingState(true, true);
    loaded_.push_back(component);
    try {
        Guarded([&] {
            component->SetName(name);
            if (parent_) component->SetParentComponent(parent_);
        });
        // A component that lives in a parent but would not take the one the
        // stream nests it in would belong to the root without a place in
        // it: no writer puts it back, and references to it would dangle.
        if (parent_ && component->HasParent() && !component->GetParentComponent())
            throw EReadError(std::string(errors::kInvalidImage));
        ReadComponentBody(*component);
    } catch (...) {
        // Without an owner it dies with the failure: forget it.
        if (orphan) loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), component), loaded_.end());
        throw;
    }
    orphan.release();
    return component;
}

void TReader::AbandonLoaded() noexcept {
    for (TComponent* c : loaded_) c->SetLoadingState(false, false);
    loaded_.clear();
    fixups_.clear();
}

TComponent* TReader::ReadRootComponent(TComponent* root) {
    char signature[sizeof kSignature];
    Read(signature, sizeof signature);
    if (std::memcmp(signature, kSignature, sizeof signature) != 0) throw EReadError(std::string(errors::kInvalidImage));

    DepthGuard guard(*this);
    if ((uint8_t(NextValue()) & kPrefixMask) == kPrefixMask) {
        if (uint8_t(ReadValue()) & kFlagChildPos) ReadInteger();
    }
    const std::string className = ReadStr();
    const std::string name = ReadStr();
    TOwnedPtr<TComponent> created;
    if (root) {
        if (!text::SameText(root->ClassName(), className)) throw EReadError(std::string(errors::kInvalidImage));
    } else {
        const TClassInfo* cls = classes::Find(className);
        if (!cls || !cls->newComponent) throw EClassNotFound(FormatText(errors::kClassNotFound, {className}));
        root = Guarded([&] { return cls->newComponent(nullptr); });
        created.reset(root);
    }

    // The reader's context belongs to this root only while it is read.
    struct Context {
        TReader& r;
        TComponent *root, *owner, *parent, *component;
        ~Context() {
            r.SetRoot(root);
            r.owner_ = owner;
            r.parent_ = parent;
            r.component_ = component;
        }
    } context{*this, Root(), owner_, parent_, component_};
    SetRoot(root);
    owner_ = root;
    parent_ = nullptr;
    loaded_.clear();
    fixups_.clear();
    try {
        root->SetLoadingState(true, true);
        loaded_.push_back(root);
        if (!name.empty()) Guarded([&] { root->SetName(name); });  // an unnamed stream keeps the root's name
        ReadComponentBody(*root);
        ResolveFixups();
    } catch (...) {
        AbandonLoaded();
        throw;
    }
    const std::vector<TComponent*> loaded = std::move(loaded_);
    loaded_.clear();
    for (TComponent* c : loaded) c->SetLoadingState(true, false);
    for (TComponent* c : loaded) c->Loaded();
    created.release();
    return root;
}
