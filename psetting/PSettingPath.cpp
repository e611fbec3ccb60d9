// A bound setting's view of its property: the walk along BoundProperty from
// the setting's owner through owned components, nested objects and, at the
// end, a published property, a string list, a component reference, a
// collection or a hidden property.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/core/Collection.h"
#include "platform/core/Numbers.h"
#include "platform/core/Rtti.h"
#include "platform/core/Strings.h"
#include "psetting/HiddenProps.h"
#include "psetting/PSetting.h"

namespace {

// Sets a flag for the lifetime of the guard, also when the walk throws.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagGuard() { flag_ = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& flag_;
};

int32_t ClampToInt32(int64_t v) noexcept {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The path's elements, without a first element naming the setting's owner.
std::vector<std::string> PathFromOwner(const std::string& boundProperty, const TComponent* owner) {
    std::vector<std::string> parts = SplitPath(boundProperty);
    if (owner && !parts.empty() && parts.front() == owner->Name()) parts.erase(parts.begin());
    return parts;
}

// The owned component of the setting's owner that a path element names.
TComponent* OwnedComponent(const TComponent* owner, const std::string& name) {
    return owner ? owner->FindComponent(name) : nullptr;
}

void SetText(TPValue& v, TPValueKind kind, const std::string& text) {
    v.Kind = kind;
    const size_t zero = text.find('\0');
    v.Text = zero == std::string::npos ? text : text.substr(0, zero);
}

// The value of a property the path stops at.
void ReadProperty(const TObject& obj, const TPropInfo& prop, TPValue& v) {
    switch (prop.kind) {
        case TTypeKind::Integer:
        case TTypeKind::Char:
        case TTypeKind::WChar:
            v.Kind = pvkInteger;
            v.Integer = ClampToInt32(GetOrdProp(obj, prop));
            return;
        case TTypeKind::Enumeration: {
            const int64_t ord = GetOrdProp(obj, prop);
            SetText(v, pvkString, prop.enumType ? prop.enumType->NameOf(ord).value_or(std::string()) : std::string());
            return;
        }
        case TTypeKind::Float:
            v.Kind = pvkFloat;
            v.Float = GetFloatProp(obj, prop);
            return;
        case TTypeKind::ShortString:
        case TTypeKind::LString:
        case TTypeKind::WString:
            SetText(v, pvkString, GetStrProp(obj, prop));
            return;
        case TTypeKind::Variant: {
            const TVariant var = GetVariantProp(obj, prop);
            // An array has no text form; it is not a value a setting can hold.
            if (!var.IsArray()) SetText(v, pvkVariant, var.ToText());
            return;
        }
        case TTypeKind::Set:
            if (prop.setType) SetText(v, pvkString, SetToText(*prop.setType, uint32_t(GetOrdProp(obj, prop))));
            return;
        case TTypeKind::Class: {
            TObject* held = GetObjectProp(obj, prop);
            if (!held) return;
            if (const auto* list = held->As<TStrings>()) {
                SetText(v, pvkStrings, list->Text());
            } else if (const auto* component = held->As<TComponent>()) {
                SetText(v, pvkString, component->Name());
            } else if (held->Is<TCollection>()) {
                v.Kind = pvkCollection;
                v.Object = held;
            }
            return;
        }
        default:
            return;
    }
}

bool IsNumeric(const TPValue& v) {
    switch (v.Kind) {
        case pvkInteger:
        case pvkFloat: return true;
        case pvkString:
        case pvkVariant: return TextToFloat(v.Text).has_value();
        default: return false;
    }
}

}  // namespace

// Reads the property the path names into `target`, leaving it pvkNone when
// the path does not resolve.
void TPSetting::ReadPathInto(TPValue& target) {
    target = TPValue{};
    TComponent* owner = Owner();
    const std::vector<std::string> parts = PathFromOwner(BoundProperty, owner);
    TObject* current = owner;
    for (size_t i = 0; current && i < parts.size(); ++i) {
        const std::string& element = parts[i];
        const bool last = i + 1 == parts.size();
        if (const TPropInfo* prop = FindPropInfo(*current, element)) {
            if (prop->kind == TTypeKind::Class && !last) {
                current = GetObjectProp(*current, *prop);
                continue;  // a nil object ends the loop with pvkNone
            }
            ReadProperty(*current, *prop, target);
            return;
        }
        if (TComponent* component = OwnedComponent(owner, element)) {
            current = component;
            continue;
        }
        if (auto* persistent = current->As<TPersistent>(); persistent && HasHiddenProperty(*persistent, element)) {
            target.Kind = pvkHidden;
            target.Object = current;
        }
        return;
    }
}

void TPSetting::ReadFromProperty() {
    if (Reading) return;
    TFlagGuard guard(Reading);
    if (!BoundProperty.empty()) {
        ClearValue();
        ReadPathInto(Value);
    }
}

void TPSetting::StoreDefault() {
    if (!BoundProperty.empty()) ReadPathInto(DefaultValue);
}

// Writes Value into the property the path names. Hidden properties and
// collections are transferred whole by the registry code, never through the
// typed conversions, so those kinds write nothing here. A read-only property,
// or a component of a class that the reference cannot hold, is left as it is.
void TPSetting::WritePath() {
    if (Value.Kind == pvkNone || Value.Kind == pvkHidden || Value.Kind == pvkCollection) return;
    TComponent* owner = Owner();
    const std::vector<std::string> parts = PathFromOwner(BoundProperty, owner);
    TObject* current = owner;
    for (size_t i = 0; current && i < parts.size(); ++i) {
        if (Value.Kind == pvkNone) return;
        const std::string& element = parts[i];
        const bool last = i + 1 == parts.size();
        const TPropInfo* prop = FindPropInfo(*current, element);
        if (!prop) {
            current = OwnedComponent(owner, element);
            continue;
        }
        if (prop->kind == TTypeKind::Class && !last) {
            current = GetObjectProp(*current, *prop);
            continue;
        }
        TObject& obj = *current;
        switch (prop->kind) {
            case TTypeKind::Integer:
            case TTypeKind::Char:
            case TTypeKind::WChar:
                if (IsNumeric(Value) && prop->Writable()) SetOrdProp(obj, *prop, GetAsInteger());
                return;
            case TTypeKind::Enumeration:
                // A text that is not one of the identifiers leaves the property as it is.
                if (prop->enumType && prop->Writable()) {
                    const int ord = prop->enumType->ValueOf(GetAsString());
                    if (ord >= 0) SetOrdProp(obj, *prop, ord);
                }
                return;
            case TTypeKind::Float:
                if (IsNumeric(Value) && prop->Writable()) SetFloatProp(obj, *prop, GetAsFloat());
                return;
            case TTypeKind::ShortString:
            case TTypeKind::LString:
            case TTypeKind::WString:
                if (prop->Writable()) SetStrProp(obj, *prop, GetAsString());
                return;
            case TTypeKind::Variant:
                if (prop->Writable()) SetVariantProp(obj, *prop, GetAsVariant());
                return;
            case TTypeKind::Set:
                if (Value.Kind == pvkString && prop->setType && prop->Writable())
                    SetOrdProp(obj, *prop, TextToSet(*prop->setType, GetAsString()));
                return;
            case TTypeKind::Class: {
                TObject* held = GetObjectProp(obj, *prop);
                if (!held) return;
                if (auto* list = held->As<TStrings>()) {
                    GetAsStrings(*list);
                } else if (held->Is<TComponent>()) {
                    TComponent* target = OwnedComponent(owner, GetAsString());
                    if (target && prop->Writable() && (!prop->classType || target->InheritsFrom(prop->classType())))
                        SetObjectProp(obj, *prop, target);
                }
                return;
            }
            default:
                return;
        }
    }
}

void TPSetting::WriteToProperty() {
    if (Writing) return;
    TFlagGuard guard(Writing);
    if (!BoundProperty.empty()) WritePath();
}

void TPSetting::ResolveComponent() {
    SetBoundComponent(nullptr);
    if (BoundProperty.empty()) return;
    const TComponent* settings = Owner();
    const TComponent* form = settings ? settings->Owner() : nullptr;
    if (form) SetBoundComponent(form->FindComponent(SplitPath(BoundProperty).front()));
}

void TPSetting::UpdateBoundProperty() {
    if (!BoundComponent) return;
    std::vector<std::string> parts = SplitPath(BoundProperty);
    if (parts.front() == BoundComponent->Name()) return;
    std::string path = BoundComponent->Name();
    for (size_t i = 1; i < parts.size(); ++i) path += "." + parts[i];
    BoundProperty = std::move(path);
}
