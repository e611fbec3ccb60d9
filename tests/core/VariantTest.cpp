#include "platform/core/Variant.h"

#include <gtest/gtest.h>

#include "tests/core/PinnedFormatSettings.h"

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Numbers.h"

namespace {

// Every test here runs with Czech settings, so that a number formatted or
// parsed with a hard-wired '.' shows.
class VariantTest : public ::testing::Test {
    PinnedFormatSettings pin_{CzechFormats()};
};

TVariant Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    TDateParts p;
    p.year = y;
    p.month = mo;
    p.day = d;
    p.hour = h;
    p.minute = mi;
    p.second = s;
    return TVariant::FromDate(*EncodeDateTime(p));
}

// The message of the EVariantError that `f` raises, or a note that it raised none.
std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EVariantError& e) {
        return e.Message();
    }
    return "(no EVariantError)";
}

std::string Describe(const TVariant& v) { return v.IsArray() ? "(array)" : v.ToText(); }

const double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST_F(VariantTest, ConstructorsChooseTheType)
{
    struct Case {
        TVariant v;
        TVariant::Type type;
    };
    const Case cases[] = {
        {TVariant(), TVariant::Type::Empty},
        {TVariant::Null(), TVariant::Type::Null},
        {TVariant(true), TVariant::Type::Boolean},
        {TVariant(7), TVariant::Type::Integer},
        {TVariant(int64_t{7}), TVariant::Type::Int64},
        {TVariant(7.0), TVariant::Type::Double},
        {TVariant::FromDate(7.0), TVariant::Type::Date},
        {TVariant("7"), TVariant::Type::String},
        {TVariant(std::string("7")), TVariant::Type::String},
        {TVariant::Array({}), TVariant::Type::Array},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.v.VarType(), c.type);
        EXPECT_EQ(c.v.IsEmpty(), c.type == TVariant::Type::Empty);
        EXPECT_EQ(c.v.IsNull(), c.type == TVariant::Type::Null);
        EXPECT_EQ(c.v.IsArray(), c.type == TVariant::Type::Array);
    }
}

TEST_F(VariantTest, ToTextWritesEachTypeInTheLocaleFormat)
{
    struct Case {
        TVariant v;
        const char* text;
    };
    const Case cases[] = {
        {TVariant(), ""},
        {TVariant::Null(), ""},
        {TVariant(true), "True"},
        {TVariant(false), "False"},
        {TVariant(42), "42"},
        {TVariant(-7), "-7"},
        {TVariant(int64_t{-9000000000}), "-9000000000"},
        {TVariant(1.5), "1,5"},
        {TVariant(1.0 / 3), "0,333333333333333"},
        {TVariant(1e20), "1E20"},
        {TVariant(2.0), "2"},
        {Date(2026, 12, 10, 14, 5, 9), "10.12.2026 14:05:09"},
        {Date(2026, 12, 10), "10.12.2026"},
        {TVariant("a,b"), "a,b"},
        {TVariant(""), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.ToText(), c.text);
}

TEST_F(VariantTest, ArraysHaveNoText)
{
    EXPECT_EQ(ErrorOf([] { (void)TVariant::Array({TVariant(1)}).ToText(); }), "Invalid variant type conversion");
    EXPECT_EQ(ErrorOf([] { (void)TVariant::Array({}).ToText(); }), "Invalid variant type conversion");
}

TEST_F(VariantTest, AsBoolConvertsNumbersAndTruthWords)
{
    struct Case {
        TVariant v;
        bool out;
    };
    const Case cases[] = {
        {TVariant(), false},        {TVariant(true), true},     {TVariant(false), false},
        {TVariant(0), false},       {TVariant(-3), true},       {TVariant(int64_t{0}), false},
        {TVariant(0.0), false},     {TVariant(0.25), true},     {TVariant::FromDate(0), false},
        {TVariant::FromDate(1), true}, {TVariant("True"), true}, {TVariant("fALSE"), false},
        {TVariant("0"), false},     {TVariant("2,5"), true},
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.AsBool(), c.out) << c.v.ToText();
}

TEST_F(VariantTest, AsInt64RoundsHalvesToEven)
{
    struct Case {
        TVariant v;
        int64_t out;
    };
    const Case cases[] = {
        {TVariant(), 0},
        {TVariant(true), 1},
        {TVariant(false), 0},
        {TVariant(-5), -5},
        {TVariant(int64_t{1} << 40), int64_t{1} << 40},
        {TVariant(2.5), 2},
        {TVariant(3.5), 4},
        {TVariant(-2.5), -2},
        {TVariant(2.6), 3},
        {TVariant::FromDate(46366.75), 46367},
        {TVariant("12"), 12},
        {TVariant(" -12 "), -12},
        {TVariant("$FF"), 255},
        {TVariant("2,5"), 2},
        {TVariant("1,5E3"), 1500},
        // Beyond 2^53 whole numbers keep every digit.
        {TVariant("9007199254740993"), 9007199254740993},
        {TVariant(-9223372036854775808.0), std::numeric_limits<int64_t>::min()},
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.AsInt64(), c.out) << c.v.ToText();
}

TEST_F(VariantTest, AsDoubleConvertsNumbersAndLocaleText)
{
    struct Case {
        TVariant v;
        double out;
    };
    const Case cases[] = {
        {TVariant(), 0},
        {TVariant(true), 1},
        {TVariant(false), 0},
        {TVariant(-5), -5},
        {TVariant(int64_t{1} << 40), 1099511627776.0},
        {TVariant(0.1), 0.1},
        {TVariant::FromDate(46366.75), 46366.75},
        {TVariant("1,5"), 1.5},
        {TVariant(" 0,1 "), 0.1},  // rounded to double once, from the text
        {TVariant("-2E-3"), -0.002},
        {TVariant("1e-400"), 0},  // too small for a double: zero
    };
    for (const Case& c : cases) EXPECT_EQ(c.v.AsDouble(), c.out) << c.v.ToText();
}

TEST_F(VariantTest, ConversionsThatHaveNoValueRaise)
{
    struct Case {
        std::function<void()> convert;
        const char* message;
    };
    const Case cases[] = {
        {[] { (void)TVariant::Null().AsBool(); }, "Could not convert variant of type (Null) into type (Boolean)"},
        {[] { (void)TVariant::Null().AsInt64(); }, "Could not convert variant of type (Null) into type (Int64)"},
        {[] { (void)TVariant::Null().AsDouble(); }, "Could not convert variant of type (Null) into type (Double)"},
        {[] { (void)TVariant("yes").AsBool(); }, "Could not convert variant of type (String) into type (Boolean)"},
        {[] { (void)TVariant("").AsBool(); }, "Could not convert variant of type (String) into type (Boolean)"},
        {[] { (void)TVariant("12a").AsInt64(); }, "Could not convert variant of type (String) into type (Int64)"},
        {[] { (void)TVariant("1e19").AsInt64(); }, "Could not convert variant of type (String) into type (Int64)"},
        // The settings say ',' is the decimal separator.
        {[] { (void)TVariant("1.5").AsDouble(); }, "Could not convert variant of type (String) into type (Double)"},
        {[] { (void)TVariant("").AsDouble(); }, "Could not convert variant of type (String) into type (Double)"},
        {[] { (void)TVariant("1e400").AsDouble(); }, "Could not convert variant of type (String) into type (Double)"},
        {[] { (void)TVariant(9223372036854775808.0).AsInt64(); },
         "Could not convert variant of type (Double) into type (Int64)"},
        {[] { (void)TVariant(kNaN).AsInt64(); }, "Could not convert variant of type (Double) into type (Int64)"},
        {[] { (void)TVariant::FromDate(1e300).AsInt64(); }, "Could not convert variant of type (Date) into type (Int64)"},
        {[] { (void)TVariant::Array({}).AsBool(); }, "Invalid variant type conversion"},
        {[] { (void)TVariant::Array({}).AsInt64(); }, "Invalid variant type conversion"},
        {[] { (void)TVariant::Array({}).AsDouble(); }, "Invalid variant type conversion"},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.convert), c.message);
}

TEST_F(VariantTest, ItemsOnlyExistInArrays)
{
    const TVariant array = TVariant::Array({TVariant(1), TVariant("x"), TVariant::Array({TVariant(true)})});
    ASSERT_EQ(array.Items().size(), 3u);
    EXPECT_EQ(array.Items()[1].ToText(), "x");
    EXPECT_EQ(array.Items()[2].Items()[0], TVariant(true));
    for (const TVariant& v : {TVariant(), TVariant::Null(), TVariant(1), TVariant("a")})
        EXPECT_EQ(ErrorOf([&v] { (void)v.Items(); }), "Variant is not an array");
}

TEST_F(VariantTest, EqualityComparesTypeAndValue)
{
    struct Case {
        TVariant a, b;
        bool equal;
    };
    const TVariant pair = TVariant::Array({TVariant(1), TVariant("x")});
    const Case cases[] = {
        {TVariant(), TVariant(), true},
        {TVariant::Null(), TVariant::Null(), true},
        {TVariant(), TVariant::Null(), false},
        {TVariant(true), TVariant(true), true},
        {TVariant(true), TVariant(false), false},
        {TVariant(1), TVariant(1), true},
        {TVariant(1), TVariant(2), false},
        {TVariant(1), TVariant(int64_t{1}), false},  // Integer and Int64 differ
        {TVariant(1), TVariant(1.0), false},
        {TVariant(true), TVariant(1), false},
        {TVariant(1.5), TVariant(1.5), true},
        {TVariant(1.5), TVariant::FromDate(1.5), false},
        {TVariant(kNaN), TVariant(kNaN), false},
        {TVariant("a"), TVariant(std::string("a")), true},
        {TVariant("a"), TVariant("A"), false},
        {TVariant("1"), TVariant(1), false},
        {pair, TVariant::Array({TVariant(1), TVariant("x")}), true},
        {pair, TVariant::Array({TVariant(1), TVariant("y")}), false},
        {pair, TVariant::Array({TVariant(1)}), false},
        {pair, TVariant::Array({TVariant(int64_t{1}), TVariant("x")}), false},
        {TVariant::Array({pair}), TVariant::Array({pair}), true},
        {TVariant::Array({}), TVariant(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal) << Describe(c.a) << " vs " << Describe(c.b);
        EXPECT_EQ(c.b == c.a, c.equal);
    }
}
