#include "platform/core/Variant.h"

#include <cmath>
#include <limits>

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Numbers.h"
#include "platform/core/Text.h"

namespace {

constexpr std::string_view kInvalidConversion = "Invalid variant type conversion";
constexpr std::string_view kCouldNotConvert = "Could not convert variant of type (%s) into type (%s)";
constexpr std::string_view kNotAnArray = "Variant is not an array";

std::string_view TypeName(TVariant::Type t) noexcept {
    switch (t) {
    case TVariant::Type::Empty: return "Empty";
    case TVariant::Type::Null: return "Null";
    case TVariant::Type::Boolean: return "Boolean";
    case TVariant::Type::Integer: return "Integer";
    case TVariant::Type::Int64: return "Int64";
    case TVariant::Type::Double: return "Double";
    case TVariant::Type::Date: return "Date";
    case TVariant::Type::String: return "String";
    case TVariant::Type::Array: return "Array";
    }
    return "Unknown";
}

[[noreturn]] void CannotConvert(TVariant::Type from, std::string_view to) {
    // Arrays have no scalar value at all; every other failure names the two
    // types, as the user may need to know which value was wrong.
    if (from == TVariant::Type::Array) throw EVariantError(std::string(kInvalidConversion));
    throw EVariantError(FormatText(kCouldNotConvert, {TypeName(from), to}));
}

// 2^63 as a double: the first value beyond int64.
constexpr double kTwoTo63 = 9223372036854775808.0;

std::optional<int64_t> RoundToInt64(long double v) {
    const long double r = RoundHalfEven(v);
    if (!(r >= -kTwoTo63 && r < kTwoTo63)) return std::nullopt;  // NaN fails too
    return static_cast<int64_t>(r);
}

}  // namespace

TVariant TVariant::Null() {
    TVariant v;
    v.type_ = Type::Null;
    return v;
}

TVariant::TVariant(bool v) : type_(Type::Boolean), value_(v) {}
TVariant::TVariant(int v) : type_(Type::Integer), value_(static_cast<int64_t>(v)) {}
TVariant::TVariant(int64_t v) : type_(Type::Int64), value_(v) {}
TVariant::TVariant(double v) : type_(Type::Double), value_(v) {}
TVariant::TVariant(std::string v) : type_(Type::String), value_(std::move(v)) {}
TVariant::TVariant(const char* v) : type_(Type::String), value_(std::string(v ? v : "")) {}

TVariant TVariant::FromDate(double dateTime) {
    TVariant v(dateTime);
    v.type_ = Type::Date;
    return v;
}

TVariant TVariant::Array(std::vector<TVariant> items) {
    TVariant v;
    v.type_ = Type::Array;
    v.value_ = std::move(items);
    return v;
}

bool TVariant::AsBool() const {
    switch (type_) {
    case Type::Empty: return false;
    case Type::Boolean: return std::get<bool>(value_);
    case Type::Integer:
    case Type::Int64: return std::get<int64_t>(value_) != 0;
    case Type::Double:
    case Type::Date: return std::get<double>(value_) != 0;
    case Type::String: {
        const std::string& s = std::get<std::string>(value_);
        if (text::SameText(s, "True")) return true;
        if (text::SameText(s, "False")) return false;
        if (const auto number = TextToFloat(s)) return *number != 0;
        break;
    }
    default: break;
    }
    CannotConvert(type_, "Boolean");
}

int64_t TVariant::AsInt64() const {
    switch (type_) {
    case Type::Empty: return 0;
    case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Type::Integer:
    case Type::Int64: return std::get<int64_t>(value_);
    case Type::Double:
    case Type::Date:
        if (const auto r = RoundToInt64(std::get<double>(value_))) return *r;
        break;
    case Type::String: {
        const std::string& s = std::get<std::string>(value_);
        // Whole numbers first: "$hex" is only read there, and where long
        // double is no wider than double a detour through it would lose the
        // digits beyond 2^53.
        if (const auto i = TextToInt(s)) return *i;
        if (const auto f = TextToFloat(s))
            if (const auto r = RoundToInt64(*f)) return *r;
        break;
    }
    default: break;
    }
    CannotConvert(type_, "Int64");
}

double TVariant::AsDouble() const {
    switch (type_) {
    case Type::Empty: return 0;
    case Type::Boolean: return std::get<bool>(value_) ? 1 : 0;
    case Type::Integer:
    case Type::Int64: return static_cast<double>(std::get<int64_t>(value_));
    case Type::Double:
    case Type::Date: return std::get<double>(value_);
    case Type::String:
        if (const auto f = TextToFloat(std::get<std::string>(value_))) {
            // A number that fits a long double but not a double is refused
            // rather than turned into infinity.
            if (std::fabs(*f) <= std::numeric_limits<double>::max()) return static_cast<double>(*f);
        }
        break;
    default: break;
    }
    CannotConvert(type_, "Double");
}

const std::vector<TVariant>& TVariant::Items() const {
    if (type_ != Type::Array) throw EVariantError(std::string(kNotAnArray));
    return std::get<std::vector<TVariant>>(value_);
}

std::string TVariant::ToText() const {
    switch (type_) {
    case Type::Empty:
    case Type::Null: return {};
    case Type::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case Type::Integer:
    case Type::Int64: return IntToText(std::get<int64_t>(value_));
    case Type::Double: return FloatToText(std::get<double>(value_));
    case Type::Date: return DateTimeToText(std::get<double>(value_));
    case Type::String: return std::get<std::string>(value_);
    case Type::Array: break;
    }
    throw EVariantError(std::string(kInvalidConversion));
}

bool TVariant::operator==(const TVariant& other) const {
    return type_ == other.type_ && value_ == other.value_;
}
