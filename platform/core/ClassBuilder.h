#pragma once
// Builds a class's reflection table next to the class:
//
//   const TClassInfo& TPanel::StaticClass() {
//       static const TClassInfo info = TClassBuilder<TPanel>("TPanel", &TWinControl::StaticClass)
//           .Creatable()
//           .Str("Caption", &TPanel::Caption, &TPanel::SetCaption)
//           .Int("Left", &TPanel::Left, &TPanel::SetLeft)
//           .Bool("Down", &TPanel::down_, &TPanel::SetDown).Default(0)
//           .Build();
//       return info;
//   }
//
// Getters are const member functions or data members; setters are member
// functions taking the value, data members, or nullptr for read-only.

#include <cstddef>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/core/Collection.h"
#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/core/Rtti.h"
#include "platform/core/Set.h"

namespace rtti_detail {

template <class T>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<TSet<E>> : std::true_type {};

template <class T>
int64_t ToOrd(const T& v) {
    if constexpr (IsSet<T>::value)
        return int64_t(v.Bits());
    else
        return static_cast<int64_t>(v);
}

template <class T>
T FromOrd(int64_t v) {
    if constexpr (IsSet<T>::value)
        return T::FromBits(uint32_t(v));
    else
        return static_cast<T>(v);
}

template <class C, class G>
using GetResult = std::decay_t<std::invoke_result_t<G, const C&>>;

template <class C, class S, class V>
void Apply(C& obj, S setter, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        obj.*setter = std::forward<V>(value);
    else
        (obj.*setter)(std::forward<V>(value));
}

}  // namespace rtti_detail

template <class C>
class TClassBuilder {
public:
    TClassBuilder(std::string name, const TClassInfo& (*parent)()) {
        info_.name = std::move(name);
        info_.parent = parent ? &parent() : nullptr;
    }

    // Streams may create it: C(TComponent* owner).
    TClassBuilder& Creatable() {
        info_.newComponent = &NewComponent<C>;
        return *this;
    }
    // A collection item class: C(TCollection*).
    TClassBuilder& Item() {
        info_.newItem = [](TCollection* c) -> TCollectionItem* { return new C(c); };
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Int(std::string name, G get, S set) {
        return Ordinal(std::move(name), TTypeKind::Integer, get, set);
    }
    template <class G, class S>
    TClassBuilder& Char(std::string name, G get, S set) {
        return Ordinal(std::move(name), TTypeKind::Char, get, set);
    }
    template <class G, class S>
    TClassBuilder& WChar(std::string name, G get, S set) {
        return Ordinal(std::move(name), TTypeKind::WChar, get, set);
    }
    template <class G, class S>
    TClassBuilder& Bool(std::string name, G get, S set) {
        Ordinal(std::move(name), TTypeKind::Enumeration, get, set);
        last().enumType = &BooleanTypeInfo();
        return *this;
    }
    template <class G, class S>
    TClassBuilder& Enum(std::string name, const TEnumTypeInfo& type, G get, S set) {
        Ordinal(std::move(name), TTypeKind::Enumeration, get, set);
        last().enumType = &type;
        return *this;
    }
    template <class G, class S>
    TClassBuilder& SetOf(std::string name, const TSetTypeInfo& type, G get, S set) {
        Ordinal(std::move(name), TTypeKind::Set, get, set);
        last().setType = &type;
        return *this;
    }

    template <class G, class S>
    TClassBuilder& Float(std::string name, G get, S set) {
        TPropInfo p = Named(std::move(name), TTypeKind::Float);
        using T = rtti_detail::GetResult<C, G>;
        p.getFloat = [get](const TObject& o) { return static_cast<long double>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setFloat = [set](TObject& o, long double v) { rtti_detail::Apply(Self(o), set, static_cast<T>(v)); };
        return Push(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Str(std::string name, G get, S set, TTypeKind kind = TTypeKind::LString) {
        TPropInfo p = Named(std::move(name), kind);
        p.getStr = [get](const TObject& o) { return std::string(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setStr = [set](TObject& o, const std::string& v) { rtti_detail::Apply(Self(o), set, v); };
        return Push(std::move(p));
    }

    template <class G, class S>
    TClassBuilder& Var(std::string name, G get, S set) {
        TPropInfo p = Named(std::move(name), TTypeKind::Variant);
        p.getVar = [get](const TObject& o) { return TVariant(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setVar = [set](TObject& o, const TVariant& v) { rtti_detail::Apply(Self(o), set, v); };
        return Push(std::move(p));
    }

    // An object property: a sub-object (font, string list, collection) or a
    // reference to a component. The declared class is the getter's pointee.
    template <class G, class S>
    TClassBuilder& Obj(std::string name, G get, S set) {
        using P = rtti_detail::GetResult<C, G>;
        static_assert(std::is_pointer_v<P>, "object properties hold pointers");
        using T = std::remove_const_t<std::remove_pointer_t<P>>;
        TPropInfo p = Named(std::move(name), TTypeKind::Class);
        p.classType = &T::StaticClass;
        p.getObj = [get](const TObject& o) -> TObject* { return const_cast<T*>(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setObj = [set](TObject& o, TObject* v) {
                rtti_detail::Apply(Self(o), set, v ? v->As<T>() : static_cast<T*>(nullptr));
            };
        return Push(std::move(p));
    }

    // An event property held in a TEvent member.
    template <class Sig, class B>
        requires std::is_base_of_v<B, C>
    TClassBuilder& Event(std::string name, TEvent<Sig> B::*member) {
        TPropInfo p = Named(std::move(name), TTypeKind::Method);
        p.signature = &typeid(Sig);
        p.getMethod = [member](const TObject& o) { return (Self(o).*member).Ref(); };
        p.setMethod = [member](TObject& o, const TMethodRef& ref) {
            if (ref.method && ref.method->signature && *ref.method->signature != typeid(Sig)) return false;
            Self(o).*member = TEvent<Sig>::Bind(ref);
            return true;
        };
        return Push(std::move(p));
    }

    // A published method that form files may name as a handler.
    template <auto M>
    TClassBuilder& Method(std::string name) {
        using PM = PublishedMethod<M>;
        info_.methods.push_back(
            TMethodInfo{std::move(name), &typeid(typename PM::Signature), reinterpret_cast<void (*)()>(&PM::Call)});
        return *this;
    }

    // A published component field filled by name when a form is read.
    template <class T, class B>
        requires std::is_base_of_v<B, C>
    TClassBuilder& Field(std::string name, T* B::*member) {
        info_.fields.push_back(TFieldInfo{std::move(name), &T::StaticClass, [member](TObject& o, TObject* v) {
                                              static_cast<C&>(o).*member = v ? v->As<T>() : nullptr;
                                          }});
        return *this;
    }

    // Modifiers of the property declared last.
    TClassBuilder& Default(int64_t value) {
        last().defaultOrd = value;
        return *this;
    }
    TClassBuilder& StoredIf(std::function<bool(const C&)> pred) {
        last().stored = [pred = std::move(pred)](const TObject& o) { return pred(Self(o)); };
        return *this;
    }
    TClassBuilder& NotStored() {
        last().stored = [](const TObject&) { return false; };
        return *this;
    }
    TClassBuilder& Idents(const TIntIdentMap& map) {
        last().intIdents = &map;
        return *this;
    }

    TClassInfo Build() { return std::move(info_); }

private:
    static const C& Self(const TObject& o) { return static_cast<const C&>(o); }
    static C& Self(TObject& o) { return static_cast<C&>(o); }

    TPropInfo Named(std::string name, TTypeKind kind) {
        TPropInfo p;
        p.name = std::move(name);
        p.kind = kind;
        return p;
    }
    TClassBuilder& Push(TPropInfo p) {
        info_.props.push_back(std::move(p));
        return *this;
    }
    TPropInfo& last() { return info_.props.back(); }

    template <class G, class S>
    TClassBuilder& Ordinal(std::string name, TTypeKind kind, G get, S set) {
        using T = rtti_detail::GetResult<C, G>;
        TPropInfo p = Named(std::move(name), kind);
        p.getOrd = [get](const TObject& o) { return rtti_detail::ToOrd(std::invoke(get, Self(o))); };
        if constexpr (!std::is_null_pointer_v<S>)
            p.setOrd = [set](TObject& o, int64_t v) { rtti_detail::Apply(Self(o), set, rtti_detail::FromOrd<T>(v)); };
        return Push(std::move(p));
    }

    TClassInfo info_;
};
