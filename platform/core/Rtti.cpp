#include "platform/core/Rtti.h"

#include <map>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Text.h"

// ---- type information -------------------------------------------------------

std::optional<std::string> TEnumTypeInfo::NameOf(int64_t ordinal) const {
    if (ordinal < minValue || ordinal > MaxValue()) return std::nullopt;
    return identifiers[size_t(ordinal - minValue)];
}

std::optional<int> TEnumTypeInfo::Find(std::string_view identifier) const {
    for (size_t i = 0; i < identifiers.size(); ++i)
        if (text::SameText(identifiers[i], identifier)) return minValue + int(i);
    return std::nullopt;
}

int TEnumTypeInfo::ValueOf(std::string_view identifier) const { return Find(identifier).value_or(-1); }

const TEnumTypeInfo& BooleanTypeInfo() {
    static const TEnumTypeInfo info{"Boolean", {"False", "True"}, 0};
    return info;
}

std::optional<int64_t> TIntIdentMap::ValueOf(std::string_view ident) const {
    for (const Entry& e : entries)
        if (text::SameText(e.ident, ident)) return e.value;
    return std::nullopt;
}

std::optional<std::string> TIntIdentMap::IdentOf(int64_t value) const {
    for (const Entry& e : entries)
        if (e.value == value) return std::string(e.ident);
    return std::nullopt;
}

bool TPropInfo::Writable() const noexcept {
    switch (kind) {
        case TTypeKind::Integer:
        case TTypeKind::Char:
        case TTypeKind::WChar:
        case TTypeKind::Enumeration:
        case TTypeKind::Set:
            return bool(setOrd);
        case TTypeKind::Float:
            return bool(setFloat);
        case TTypeKind::ShortString:
        case TTypeKind::LString:
        case TTypeKind::WString:
            return bool(setStr);
        case TTypeKind::Variant:
            return bool(setVar);
        case TTypeKind::Class:
            return bool(setObj);
        case TTypeKind::Method:
            return bool(setMethod);
        case TTypeKind::Unknown:
            break;
    }
    return false;
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent)
        if (c == &other) return true;
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view propName) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TPropInfo& p : c->props)
            if (text::SameText(p.name, propName)) return &p;
    return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProps() const {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* c = this; c; c = c->parent) chain.push_back(c);
    std::vector<const TPropInfo*> out;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        for (const TPropInfo& p : (*it)->props) {
            // A descendant may redeclare an ancestor's property (to change its
            // default); the later declaration replaces the earlier in place.
            bool replaced = false;
            for (auto& existing : out)
                if (text::SameText(existing->name, p.name)) {
                    existing = &p;
                    replaced = true;
                    break;
                }
            if (!replaced) out.push_back(&p);
        }
    return out;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view methodName) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TMethodInfo& m : c->methods)
            if (text::SameText(m.name, methodName)) return &m;
    return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view fieldName) const noexcept {
    for (const TClassInfo* c = this; c; c = c->parent)
        for (const TFieldInfo& f : c->fields)
            if (text::SameText(f.name, fieldName)) return &f;
    return nullptr;
}

const TClassInfo& TObject::StaticClass() {
    static const TClassInfo info = TClassBuilder<TObject>("TObject", nullptr).Build();
    return info;
}

// ---- class registry ---------------------------------------------------------

namespace classes {
namespace {
std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}
}  // namespace

void Register(const TClassInfo& cls) { Registry()[text::AsciiUpperCase(cls.name)] = &cls; }

const TClassInfo* Find(std::string_view className) noexcept {
    const auto& reg = Registry();
    const auto it = reg.find(text::AsciiUpperCase(className));
    return it == reg.end() ? nullptr : it->second;
}
}  // namespace classes

// ---- property access --------------------------------------------------------

namespace {
[[noreturn]] void KindError(const TPropInfo& prop, std::string_view access) {
    throw EPropertyError(FormatText("Property %s does not allow %s access", {prop.name, access}));
}
[[noreturn]] void ReadOnlyError(const TPropInfo& prop) {
    throw EPropertyError(FormatText("Property %s is read-only", {prop.name}));
}
}  // namespace

bool IsOrdinalKind(TTypeKind kind) noexcept {
    return kind == TTypeKind::Integer || kind == TTypeKind::Char || kind == TTypeKind::WChar ||
           kind == TTypeKind::Enumeration || kind == TTypeKind::Set;
}

bool IsStringKind(TTypeKind kind) noexcept {
    return kind == TTypeKind::ShortString || kind == TTypeKind::LString || kind == TTypeKind::WString;
}

const TPropInfo* FindPropInfo(const TObject& obj, std::string_view propName) noexcept {
    return obj.ClassInfo().FindProp(propName);
}

int64_t GetOrdProp(const TObject& obj, const TPropInfo& prop) {
    if (!IsOrdinalKind(prop.kind) || !prop.getOrd) KindError(prop, "ordinal");
    return prop.getOrd(obj);
}

void SetOrdProp(TObject& obj, const TPropInfo& prop, int64_t value) {
    if (!IsOrdinalKind(prop.kind)) KindError(prop, "ordinal");
    if (!prop.setOrd) ReadOnlyError(prop);
    prop.setOrd(obj, value);
}

long double GetFloatProp(const TObject& obj, const TPropInfo& prop) {
    if (prop.kind != TTypeKind::Float || !prop.getFloat) KindError(prop, "float");
    return prop.getFloat(obj);
}

void SetFloatProp(TObject& obj, const TPropInfo& prop, long double value) {
    if (prop.kind != TTypeKind::Float) KindError(prop, "float");
    if (!prop.setFloat) ReadOnlyError(prop);
    prop.setFloat(obj, value);
}

std::string GetStrProp(const TObject& obj, const TPropInfo& prop) {
    if (!IsStringKind(prop.kind) || !prop.getStr) KindError(prop, "string");
    return prop.getStr(obj);
}

void SetStrProp(TObject& obj, const TPropInfo& prop, const std::string& value) {
    if (!IsStringKind(prop.kind)) KindError(prop, "string");
    if (!prop.setStr) ReadOnlyError(prop);
    prop.setStr(obj, value);
}

TVariant GetVariantProp(const TObject& obj, const TPropInfo& prop) {
    if (prop.kind != TTypeKind::Variant || !prop.getVar) KindError(prop, "variant");
    return prop.getVar(obj);
}

void SetVariantProp(TObject& obj, const TPropInfo& prop, const TVariant& value) {
    if (prop.kind != TTypeKind::Variant) KindError(prop, "variant");
    if (!prop.setVar) ReadOnlyError(prop);
    prop.setVar(obj, value);
}

TObject* GetObjectProp(const TObject& obj, const TPropInfo& prop) {
    if (prop.kind != TTypeKind::Class || !prop.getObj) KindError(prop, "object");
    return prop.getObj(obj);
}

void SetObjectProp(TObject& obj, const TPropInfo& prop, TObject* value) {
    if (prop.kind != TTypeKind::Class) KindError(prop, "object");
    if (!prop.setObj) ReadOnlyError(prop);
    if (value && prop.classType && !value->InheritsFrom(prop.classType()))
        throw EPropertyError(FormatText("Property %s cannot hold a %s", {prop.name, value->ClassName()}));
    prop.setObj(obj, value);
}

TMethodRef GetMethodProp(const TObject& obj, const TPropInfo& prop) {
    if (prop.kind != TTypeKind::Method || !prop.getMethod) KindError(prop, "method");
    return prop.getMethod(obj);
}

void SetMethodProp(TObject& obj, const TPropInfo& prop, const TMethodRef& value) {
    if (prop.kind != TTypeKind::Method) KindError(prop, "method");
    if (!prop.setMethod) ReadOnlyError(prop);
    if (!prop.setMethod(obj, value))
        throw EPropertyError(FormatText("Method %s does not fit event %s",
                                        {value.method ? value.method->name : std::string(), prop.name}));
}

// ---- sets -------------------------------------------------------------------

std::string SetToText(const TSetTypeInfo& type, uint32_t bits) {
    std::string out;
    const TEnumTypeInfo* e = type.element;
    if (!e) return out;
    for (int ord = e->minValue; ord <= e->MaxValue() && ord <= 31; ++ord) {
        if (ord < 0 || !(bits & (uint32_t(1) << ord))) continue;
        if (!out.empty()) out += ',';
        out += *e->NameOf(ord);
    }
    return out;
}

uint32_t TextToSet(const TSetTypeInfo& type, std::string_view text) {
    const TEnumTypeInfo* e = type.element;
    if (!e || text.empty()) return 0;
    std::vector<std::string_view> pieces;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        pieces.push_back(text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    uint32_t bits = 0;
    for (int ord = e->minValue; ord <= e->MaxValue(); ++ord) {
        const std::string& ident = e->identifiers[size_t(ord - e->minValue)];
        for (auto it = pieces.begin(); it != pieces.end(); ++it)
            if (text::SameText(*it, ident)) {
                if (ord >= 0 && ord <= 31) bits |= uint32_t(1) << ord;
                pieces.erase(it);
                break;
            }
    }
    return bits;
}
