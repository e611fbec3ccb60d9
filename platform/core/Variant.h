#pragma once
// A variant value as published properties and settings carry it: empty, null,
// a boolean, integer, float, date-time or text, or an array of variants.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class TVariant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Int64, Double, Date, String, Array };

    TVariant() = default;
    static TVariant Null();
    TVariant(bool v);
    TVariant(int v);
    TVariant(int64_t v);
    TVariant(double v);
    TVariant(std::string v);
    TVariant(const char* v);
    static TVariant FromDate(double dateTime);
    static TVariant Array(std::vector<TVariant> items);

    Type VarType() const noexcept { return type_; }
    bool IsEmpty() const noexcept { return type_ == Type::Empty; }
    bool IsNull() const noexcept { return type_ == Type::Null; }
    bool IsArray() const noexcept { return type_ == Type::Array; }

    bool AsBool() const;
    int64_t AsInt64() const;
    double AsDouble() const;
    const std::vector<TVariant>& Items() const;

    // The text form: empty and null give "", booleans "True"/"False", numbers
    // in the locale's format, dates as date and time. Arrays have none and
    // raise EVariantError.
    std::string ToText() const;

    bool operator==(const TVariant& other) const;

private:
    Type type_ = Type::Empty;
    std::variant<std::monostate, bool, int64_t, double, std::string, std::vector<TVariant>> value_;
};
