#pragma once
// Run-time class information and published-property reflection.
//
// Every reflectable class declares GLY_CLASS(Self) in its body and defines
// Self::StaticClass() next to it, building its table once with
// TClassBuilder<Self> (ClassBuilder.h). Lookups by name ignore ASCII letter
// case and search the class and then its ancestors; every lookup that can
// miss says so with nullptr, std::nullopt or -1, never a guess.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

#include "platform/core/Variant.h"

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
struct TClassInfo;

enum class TTypeKind {
    Unknown,
    Integer,
    Char,
    Enumeration,
    Float,
    ShortString,
    Set,
    Class,
    Method,
    WChar,
    LString,
    WString,
    Variant,
};

// An enumeration's identifiers; the boolean type is one ("False", "True").
struct TEnumTypeInfo {
    std::string name;
    std::vector<std::string> identifiers;  // identifiers[i] has ordinal minValue + i
    int minValue = 0;

    int MaxValue() const noexcept { return minValue + int(identifiers.size()) - 1; }
    std::optional<std::string> NameOf(int64_t ordinal) const;
    std::optional<int> Find(std::string_view identifier) const;  // ASCII case ignored
    int ValueOf(std::string_view identifier) const;               // -1 when absent
};

// A set of an enumeration's members, held as a bit mask: bit n = ordinal n.
struct TSetTypeInfo {
    std::string name;
    const TEnumTypeInfo* element = nullptr;
};

const TEnumTypeInfo& BooleanTypeInfo();

// Identifiers that stand for integer values in streams (clWindow, crHandPoint).
struct TIntIdentMap {
    struct Entry {
        int64_t value;
        const char* ident;
    };
    std::vector<Entry> entries;
    std::optional<int64_t> ValueOf(std::string_view ident) const;  // ASCII case ignored
    std::optional<std::string> IdentOf(int64_t value) const;
};

// A published method: a handler that form files name by identifier.
struct TMethodInfo {
    std::string name;
    const std::type_info* signature = nullptr;  // typeid of the event signature
    void (*code)() = nullptr;                   // type-erased thunk
};

// The value of an event property as reflection sees it: the object a handler
// is bound to and the published method, or none when unassigned or assigned
// from code without a published method.
struct TMethodRef {
    TObject* data = nullptr;
    const TMethodInfo* method = nullptr;
    bool Assigned() const noexcept { return method != nullptr; }
};

struct TPropInfo {
    std::string name;
    TTypeKind kind = TTypeKind::Unknown;
    const TEnumTypeInfo* enumType = nullptr;   // Enumeration
    const TSetTypeInfo* setType = nullptr;     // Set
    const TClassInfo& (*classType)() = nullptr; // Class: the declared class
    const struct TIntIdentMap* intIdents = nullptr; // Integer: identifiers for values (colours)
    const std::type_info* signature = nullptr; // Method: the event signature

    std::function<int64_t(const TObject&)> getOrd;
    std::function<void(TObject&, int64_t)> setOrd;
    std::function<long double(const TObject&)> getFloat;
    std::function<void(TObject&, long double)> setFloat;
    std::function<std::string(const TObject&)> getStr;
    std::function<void(TObject&, const std::string&)> setStr;
    std::function<TVariant(const TObject&)> getVar;
    std::function<void(TObject&, const TVariant&)> setVar;
    std::function<TObject*(const TObject&)> getObj;
    std::function<void(TObject&, TObject*)> setObj;
    std::function<TMethodRef(const TObject&)> getMethod;
    std::function<bool(TObject&, const TMethodRef&)> setMethod;  // false: signature mismatch

    // Ordinal properties: a value equal to the default is not written to
    // streams. Without one (nodefault) the value is always written.
    std::optional<int64_t> defaultOrd;
    // Whether the property is written at all; unset means always.
    std::function<bool(const TObject&)> stored;

    bool Writable() const noexcept;
    bool IsStored(const TObject& obj) const { return !stored || stored(obj); }
};

// A published field: a component reference of a form that the stream reader
// fills with the component of the same name.
struct TFieldInfo {
    std::string name;
    const TClassInfo& (*type)() = nullptr;
    std::function<void(TObject&, TObject*)> set;
};

struct TClassInfo {
    std::string name;
    const TClassInfo* parent = nullptr;
    std::vector<TPropInfo> props;  // own published properties, declaration order
    std::vector<TMethodInfo> methods;
    std::vector<TFieldInfo> fields;
    TComponent* (*newComponent)(TComponent* owner) = nullptr;
    TCollectionItem* (*newItem)(TCollection* collection) = nullptr;

    bool InheritsFrom(const TClassInfo& other) const noexcept;
    const TPropInfo* FindProp(std::string_view propName) const noexcept;
    std::vector<const TPropInfo*> AllProps() const;  // ancestors' first
    const TMethodInfo* FindMethod(std::string_view methodName) const noexcept;
    const TFieldInfo* FindField(std::string_view fieldName) const noexcept;
};

#define GLY_CLASS(Self)                                                        \
public:                                                                        \
    static const TClassInfo& StaticClass();                                    \
    const TClassInfo& ClassInfo() const override { return Self::StaticClass(); }

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo& StaticClass();
    virtual const TClassInfo& ClassInfo() const { return StaticClass(); }

    const std::string& ClassName() const { return ClassInfo().name; }
    bool InheritsFrom(const TClassInfo& cls) const noexcept { return ClassInfo().InheritsFrom(cls); }
    template <class T>
    bool Is() const noexcept {
        return InheritsFrom(T::StaticClass());
    }
    // nullptr when the object is not a T.
    template <class T>
    T* As() noexcept {
        return Is<T>() ? static_cast<T*>(this) : nullptr;
    }
    template <class T>
    const T* As() const noexcept {
        return Is<T>() ? static_cast<const T*>(this) : nullptr;
    }
};

template <class T>
T* ObjectAs(TObject* obj) noexcept {
    return obj ? obj->As<T>() : nullptr;
}

// Classes that streams may name. Registration is explicit, at start-up.
namespace classes {
void Register(const TClassInfo& cls);
const TClassInfo* Find(std::string_view className) noexcept;  // ASCII case ignored
}  // namespace classes

// Property access by reflection. The getters and setters raise
// EPropertyError when the property's kind does not allow the access.
const TPropInfo* FindPropInfo(const TObject& obj, std::string_view propName) noexcept;
int64_t GetOrdProp(const TObject& obj, const TPropInfo& prop);
void SetOrdProp(TObject& obj, const TPropInfo& prop, int64_t value);
long double GetFloatProp(const TObject& obj, const TPropInfo& prop);
void SetFloatProp(TObject& obj, const TPropInfo& prop, long double value);
std::string GetStrProp(const TObject& obj, const TPropInfo& prop);
void SetStrProp(TObject& obj, const TPropInfo& prop, const std::string& value);
TVariant GetVariantProp(const TObject& obj, const TPropInfo& prop);
void SetVariantProp(TObject& obj, const TPropInfo& prop, const TVariant& value);
TObject* GetObjectProp(const TObject& obj, const TPropInfo& prop);
void SetObjectProp(TObject& obj, const TPropInfo& prop, TObject* value);
TMethodRef GetMethodProp(const TObject& obj, const TPropInfo& prop);
void SetMethodProp(TObject& obj, const TPropInfo& prop, const TMethodRef& value);

bool IsOrdinalKind(TTypeKind kind) noexcept;
bool IsStringKind(TTypeKind kind) noexcept;

// Set <-> text: identifiers of the members with ordinals up to 31 in ascending
// order, joined by "," without spaces; and back, ignoring letter case and
// unknown pieces.
std::string SetToText(const TSetTypeInfo& type, uint32_t bits);
uint32_t TextToSet(const TSetTypeInfo& type, std::string_view text);
