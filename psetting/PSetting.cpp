// The setting item's value record and its typed conversions.

#include "psetting/PSetting.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/core/ClassBuilder.h"
#include "platform/core/DateTime.h"
#include "platform/core/Numbers.h"
#include "platform/core/Strings.h"
#include "platform/core/Text.h"

const TClassInfo& TPSetting::StaticClass() {
    static const TClassInfo info = TClassBuilder<TPSetting>("TPSetting", &TComponent::StaticClass)
                                       .Creatable()
                                       .Str("Name", &TPSetting::Name, &TPSetting::Name)
                                       .Str("BoundProperty", &TPSetting::BoundProperty, &TPSetting::BoundProperty)
                                       .Str("RelAppSetting", &TPSetting::RelAppSetting, &TPSetting::RelAppSetting)
                                       .Bool("Encrypted", &TPSetting::Encrypted, &TPSetting::Encrypted)
                                       .Str("UniqueName", &TPSetting::UniqueName, nullptr)
                                       .NotStored()
                                       .Build();
    return info;
}

namespace {

constexpr std::string_view kSetAsRefused = "Cannot use SetAs functions with collections or hidden properties";
constexpr std::string_view kGetAsRefused = "Cannot use GetAs functions with collections or hidden properties";
constexpr std::string_view kVariantArray = "TPSetting.AsVariant cannot accept variant arrays";
constexpr std::string_view kBooleanFromDate = "TPSetting.AsBoolean cannot convert from TDateTime type";
constexpr std::string_view kBooleanFromStrings = "TPSetting.AsBoolean cannot convert from TStrings type";
constexpr std::string_view kIntegerFromDate = "TPSetting.AsInteger cannot convert from TDateTime type";
constexpr std::string_view kIntegerFromStrings = "TPSetting.AsInteger cannot convert from TStrings type";
constexpr std::string_view kFloatFromStrings = "TPSetting.AsFloat cannot convert from TStrings type";

bool IsTextKind(TPValueKind kind) noexcept {
    return kind == pvkString || kind == pvkVariant || kind == pvkStrings;
}

// Stored texts end at their first zero byte, as the record's texts always have.
std::string UpToZero(const std::string& s) {
    const size_t zero = s.find('\0');
    return zero == std::string::npos ? s : s.substr(0, zero);
}

long double TextAsNumber(const std::string& text) {
    return TextToFloat(text).value_or(0.0L);
}

// Rounds halves to even and saturates at the Int32 limits: a float or a
// numeric text beyond them gives INT32_MIN or INT32_MAX, NaN gives 0.
int32_t RoundToInt32(long double v) noexcept {
    if (std::isnan(v)) return 0;
    const long double r = RoundHalfEven(v);
    if (r <= static_cast<long double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (r >= static_cast<long double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(r);
}

}  // namespace

TPSetting::TPSetting(TComponent* owner) : TComponent(owner) {}

TPSetting::~TPSetting() = default;

void TPSetting::SetBoundComponent(TComponent* component) {
    freedBound_ = nullptr;
    if (component == BoundComponent) return;
    if (BoundComponent) RemoveFreeNotification(BoundComponent);
    BoundComponent = component;
    if (BoundComponent) FreeNotification(BoundComponent);
}

void TPSetting::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::Remove || component != BoundComponent) return;
    // A component that only leaves its owner is still the bound one; the
    // base dropped the subscription, so renew it.
    if (component->IsDestroying()) {
        freedBound_ = component;
        BoundComponent = nullptr;
    } else {
        FreeNotification(component);
    }
}

bool TPSetting::IsBoundTo(const TComponent* component) const noexcept {
    if (!component) return false;
    if (BoundComponent) return BoundComponent == component;
    return freedBound_ == component && component->IsDestroying();
}

void TPSetting::ClearValue() {
    Value = TPValue{};
}

void TPSetting::SetKind(TPValueKind kind) {
    Value.Kind = kind;
    if (!IsTextKind(kind)) Value.Text.clear();
    if (kind != pvkHidden && kind != pvkCollection) Value.Object = nullptr;
}

void TPSetting::CheckSettable() const {
    if (Value.Kind == pvkHidden || Value.Kind == pvkCollection) throw EPSettingException(std::string(kSetAsRefused));
}

void TPSetting::CheckGettable() const {
    if (Value.Kind == pvkHidden || Value.Kind == pvkCollection) throw EPSettingException(std::string(kGetAsRefused));
}

void TPSetting::BeforeGet() {
    if (!BoundProperty.empty() && !Writing) ReadFromProperty();
}

void TPSetting::AfterSet() {
    if (!BoundProperty.empty() && !Reading) WriteToProperty();
}

// ---- getters ---------------------------------------------------------------

bool TPSetting::GetAsBoolean() {
    BeforeGet();
    CheckGettable();
    switch (Value.Kind) {
        case pvkString:
        case pvkVariant: return Value.Text == "True";
        case pvkInteger: return Value.Integer != 0;
        case pvkFloat: return Value.Float != 0;
        case pvkBoolean: return Value.Boolean;
        case pvkDateTime: throw EPSettingException(std::string(kBooleanFromDate));
        case pvkStrings: throw EPSettingException(std::string(kBooleanFromStrings));
        default: return false;
    }
}

int32_t TPSetting::GetAsInteger() {
    BeforeGet();
    CheckGettable();
    switch (Value.Kind) {
        case pvkString:
        case pvkVariant: return RoundToInt32(TextAsNumber(Value.Text));
        case pvkInteger: return Value.Integer;
        case pvkFloat: return RoundToInt32(Value.Float);
        case pvkBoolean: return Value.Boolean ? 1 : 0;
        case pvkDateTime: throw EPSettingException(std::string(kIntegerFromDate));
        case pvkStrings: throw EPSettingException(std::string(kIntegerFromStrings));
        default: return 0;
    }
}

long double TPSetting::GetAsFloat() {
    BeforeGet();
    CheckGettable();
    switch (Value.Kind) {
        case pvkString:
        case pvkVariant: return TextAsNumber(Value.Text);
        case pvkInteger: return Value.Integer;
        case pvkFloat:
        case pvkDateTime: return Value.Float;
        case pvkBoolean: return Value.Boolean ? 1.0L : 0.0L;
        case pvkStrings: throw EPSettingException(std::string(kFloatFromStrings));
        default: return 0;
    }
}

std::string TPSetting::GetAsString() {
    BeforeGet();
    CheckGettable();
    return TextOfValue();
}

// The text form of Value, without re-reading the property.
std::string TPSetting::TextOfValue() const {
    switch (Value.Kind) {
        case pvkString:
        case pvkVariant:
        case pvkStrings: return Value.Text;
        case pvkInteger: return IntToText(Value.Integer);
        case pvkFloat: return FloatToText(Value.Float, 15);
        case pvkBoolean: return Value.Boolean ? "True" : "False";
        case pvkDateTime: return DateTimeToText(static_cast<double>(Value.Float));
        default: return {};
    }
}

TVariant TPSetting::GetAsVariant() {
    BeforeGet();
    CheckGettable();
    switch (Value.Kind) {
        case pvkString:
        case pvkVariant:
        case pvkStrings: return TVariant(Value.Text);
        case pvkInteger: return TVariant(int(Value.Integer));
        case pvkFloat:
        case pvkDateTime: return TVariant(static_cast<double>(Value.Float));
        case pvkBoolean: return TVariant(Value.Boolean);
        default: return TVariant(std::string());
    }
}

void TPSetting::GetAsStrings(TStrings& list) {
    BeforeGet();
    CheckGettable();
    switch (Value.Kind) {
        case pvkNone: return;
        case pvkStrings: list.SetText(Value.Text); return;
        default: break;
    }
    list.Add(TextOfValue());
}

// ---- setters ---------------------------------------------------------------

void TPSetting::SetAsBoolean(bool value) {
    CheckSettable();
    ClearValue();
    Value.Kind = pvkBoolean;
    Value.Boolean = value;
    AfterSet();
}

void TPSetting::SetAsInteger(int32_t value) {
    CheckSettable();
    ClearValue();
    Value.Kind = pvkInteger;
    Value.Integer = value;
    AfterSet();
}

void TPSetting::SetAsFloat(long double value) {
    CheckSettable();
    ClearValue();
    Value.Kind = pvkFloat;
    Value.Float = value;
    AfterSet();
}

void TPSetting::SetAsDateTime(double value) {
    CheckSettable();
    ClearValue();
    Value.Kind = pvkDateTime;
    Value.Float = value;
    AfterSet();
}

void TPSetting::SetAsString(const std::string& value) {
    CheckSettable();
    ClearValue();
    Value.Kind = pvkString;
    Value.Text = UpToZero(value);
    AfterSet();
}

void TPSetting::SetAsVariant(const TVariant& value) {
    CheckSettable();
    if (value.IsArray()) throw EPSettingException(std::string(kVariantArray));
    std::string text = UpToZero(value.ToText());
    ClearValue();
    Value.Kind = pvkVariant;
    Value.Text = std::move(text);
    AfterSet();
}

void TPSetting::SetAsStrings(const TStrings& list) {
    CheckSettable();
    std::string text = UpToZero(list.Text());
    ClearValue();
    Value.Kind = pvkStrings;
    Value.Text = std::move(text);
    AfterSet();
}

// ---- names and comparison ---------------------------------------------------

// Built from the ANSI bytes, one "_" per byte outside [0-9A-Za-z]: a letter
// outside ASCII counts once, as it does in the scrambling key of stored values.
std::string TPSetting::UniqueName() const {
    std::string s = text::Utf8ToAnsi(BoundProperty + Name);
    for (char& c : s) {
        const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!keep) c = '_';
    }
    return s;
}

bool TPSetting::IsChanged() const {
    if (BoundProperty.empty()) return true;
    // Kinds that differ count as unchanged: a value that could not be read
    // back the way it was captured is not worth a rewrite.
    if (Value.Kind != DefaultValue.Kind) return false;
    switch (Value.Kind) {
        case pvkNone: return false;
        case pvkString:
        case pvkVariant:
        case pvkStrings: return Value.Text != DefaultValue.Text;
        case pvkInteger: return Value.Integer != DefaultValue.Integer;
        case pvkFloat:
        case pvkDateTime: return Value.Float != DefaultValue.Float;
        case pvkBoolean: return Value.Boolean != DefaultValue.Boolean;
        case pvkHidden:
        case pvkCollection: return true;
    }
    return false;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dot = path.find('.', start);
        if (dot == std::string::npos) {
            parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, dot - start));
        start = dot + 1;
    }
}

std::string TPSetting::HiddenPropertyName() const {
    return SplitPath(BoundProperty).back();
}
