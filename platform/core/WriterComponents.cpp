// TWriter: published properties through reflection, collections, components.

#include <algorithm>

#include "platform/core/Collection.h"
#include "platform/core/Filer.h"
#include "platform/core/Text.h"

namespace {

// Restores the writer's property path when a nested write is done.
class PathScope {
public:
    PathScope(std::string& path, std::string value) : path_(path), saved_(std::move(path)) { path_ = std::move(value); }
    ~PathScope() { path_ = std::move(saved_); }
    PathScope(const PathScope&) = delete;
    PathScope& operator=(const PathScope&) = delete;

private:
    std::string& path_;
    std::string saved_;
};

}  // namespace

void TWriter::WriteProperties(const TPersistent& instance) {
    for (const TPropInfo* prop : instance.ClassInfo().AllProps())
        if (prop->IsStored(instance)) WriteProperty(instance, *prop);
    // DefineProperties is how an object tells any filer about its extra
    // data; writing it does not change the object.
    const_cast<TPersistent&>(instance).DefineProperties(*this);
}

void TWriter::WriteProperty(const TPersistent& instance, const TPropInfo& prop) {
    // What could not be read back is not written; object properties are the
    // exception, as sub-objects are read into the object already there.
    if (prop.kind == TTypeKind::Class) return WriteObjectProperty(instance, prop);
    if (!prop.Writable()) return;
    switch (prop.kind) {
        case TTypeKind::Integer: {
            const int64_t v = GetOrdProp(instance, prop);
            if (prop.defaultOrd && v == *prop.defaultOrd) return;
            WritePropName(prop.name);
            if (const auto ident = prop.intIdents ? prop.intIdents->IdentOf(v) : std::nullopt)
                WriteIdent(*ident);
            else
                WriteInteger(v);
            return;
        }
        case TTypeKind::Char:
        case TTypeKind::WChar: {
            const int64_t v = GetOrdProp(instance, prop);
            if (prop.defaultOrd && v == *prop.defaultOrd) return;
            WritePropName(prop.name);
            if (prop.kind == TTypeKind::Char || (v >= 0 && v < 0x80)) {
                // The byte as it is: a char is already a byte of the code page.
                WriteValue(TValueType::String);
                WriteStr(std::string(1, char(uint8_t(v))));
            } else {
                // The unit as it is, even half of a surrogate pair.
                const uint8_t unit[6] = {1, 0, 0, 0, uint8_t(v), uint8_t(v >> 8)};
                WriteValue(TValueType::WString);
                Write(unit, sizeof unit);
            }
            return;
        }
        case TTypeKind::Enumeration: {
            const int64_t v = GetOrdProp(instance, prop);
            if (prop.defaultOrd && v == *prop.defaultOrd) return;
            const auto ident = prop.enumType ? prop.enumType->NameOf(v) : std::nullopt;
            if (!ident) throw EWriteError(std::string(errors::kStreamWrite));
            WritePropName(prop.name);
            WriteIdent(*ident);
            return;
        }
        case TTypeKind::Set: {
            const int64_t v = GetOrdProp(instance, prop);
            if (prop.defaultOrd && v == *prop.defaultOrd) return;
            const TEnumTypeInfo* element = prop.setType ? prop.setType->element : nullptr;
            if (!element) return;
            WritePropName(prop.name);
            WriteValue(TValueType::Set);
            for (int ord = std::max(element->minValue, 0); ord <= element->MaxValue() && ord <= 31; ++ord)
                if (uint64_t(v) & (uint64_t(1) << ord)) WriteStr(*element->NameOf(ord));
            WriteStr({});
            return;
        }
        case TTypeKind::Float: {
            const long double v = GetFloatProp(instance, prop);
            if (v == 0) return;
            WritePropName(prop.name);
            WriteFloat(v);
            return;
        }
        case TTypeKind::ShortString:
        case TTypeKind::LString:
        case TTypeKind::WString: {
            const std::string v = GetStrProp(instance, prop);
            if (v.empty()) return;
            WritePropName(prop.name);
            WriteString(v);
            return;
        }
        case TTypeKind::Variant: {
            const TVariant v = GetVariantProp(instance, prop);
            if (v.IsEmpty()) return;
            WritePropName(prop.name);
            WriteVariant(v);
            return;
        }
        case TTypeKind::Method: {
            const TMethodRef ref = GetMethodProp(instance, prop);
            // Only a published method of the form being written has a name
            // that reading can find again.
            if (!ref.method || !lookupRoot_ || ref.data != lookupRoot_) return;
            WritePropName(prop.name);
            WriteIdent(ref.method->name);
            return;
        }
        case TTypeKind::Class:
        case TTypeKind::Unknown: return;
    }
}

void TWriter::WriteObjectProperty(const TPersistent& instance, const TPropInfo& prop) {
    if (!prop.getObj) return;
    TObject* obj = GetObjectProp(instance, prop);
    if (!obj) return;
    if (auto* comp = obj->As<TComponent>(); comp && comp->Owner() != &instance) {
        // A reference to another component, by name.
        if (!prop.setObj || comp->Name().empty()) return;
        std::string name = comp->Name();
        if (comp != lookupRoot_ && comp->Owner() && comp->Owner() != lookupRoot_)
            name = comp->Owner()->Name() + "." + name;
        WritePropName(prop.name);
        WriteIdent(name);
        return;
    }
    if (auto* collection = obj->As<TCollection>()) {
        // Empty is the collection's default, like an empty string.
        if (collection->Count() == 0) return;
        WritePropName(prop.name);
        WriteCollection(*collection);
        return;
    }
    if (auto* sub = obj->As<TPersistent>()) {
        PathScope scope(propPath_, propPath_ + prop.name + ".");
        WriteProperties(*sub);
    }
}

void TWriter::WriteCollection(const TCollection& collection) {
    WriteValue(TValueType::Collection);
    PathScope scope(propPath_, {});
    for (int i = 0; i < collection.Count(); ++i) {
        WriteListBegin();
        WriteProperties(*collection.Items(i));
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::WriteSignature() { Write("TPF0", 4); }

void TWriter::WriteComponent(TComponent& component) {
    // Written alone, a component is its own lookup root.
    TComponent* const savedLookup = lookupRoot_;
    TComponent* const savedRoot = Root();
    if (!lookupRoot_) {
        lookupRoot_ = &component;
        SetRoot(&component);
    }
    struct Restore {
        TWriter& w;
        TComponent *lookup, *root;
        ~Restore() {
            w.lookupRoot_ = lookup;
            w.SetRoot(root);
        }
    } restore{*this, savedLookup, savedRoot};

    PathScope scope(propPath_, {});
    if (component.ClassName().size() > kMaxClassNameLength)
        throw EWriteError(NameTooLongMessage("Class name", component.ClassName(), kMaxClassNameLength));
    if (component.Name().size() > kMaxShortStringLength)
        throw EWriteError(NameTooLongMessage("Component name", component.Name(), kMaxShortStringLength));
    WriteStr(component.ClassName());
    WriteStr(component.Name());
    component.WriteState(*this);
    WriteListEnd();
    component.GetChildren([this](TComponent* child) { WriteComponent(*child); }, lookupRoot_);
    WriteListEnd();
}

void TWriter::WriteRootComponent(TComponent& root) {
    WriteSignature();
    TComponent* const savedLookup = lookupRoot_;
    lookupRoot_ = nullptr;
    try {
        WriteComponent(root);
    } catch (...) {
        lookupRoot_ = savedLookup;
        throw;
    }
    lookupRoot_ = savedLookup;
}
