// A free setting's value record: the typed accessors and their conversions,
// the errors they raise, and the names and comparisons built from a setting.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "platform/core/DateTime.h"
#include "platform/core/Strings.h"
#include "psetting/PSetting.h"
#include "tests/core/PinnedFormatSettings.h"

namespace {

TOwnedPtr<TPSetting> NewSetting() { return TOwnedPtr<TPSetting>(TComponent::Create<TPSetting>(nullptr)); }

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EPSettingException& e) {
        return e.Message();
    }
    return "(no EPSettingException)";
}

}  // namespace

TEST(SettingValue, NeverSetFreeSettingReadsEmptyValues) {
    auto s = NewSetting();
    EXPECT_EQ(s->Value.Kind, pvkNone);
    EXPECT_EQ(s->GetAsInteger(), 0);
    EXPECT_EQ(s->GetAsFloat(), 0);
    EXPECT_EQ(s->GetAsString(), "");
    EXPECT_FALSE(s->GetAsBoolean());
    const TVariant v = s->GetAsVariant();
    EXPECT_EQ(v.VarType(), TVariant::Type::String);
    EXPECT_EQ(v.ToText(), "");
    TStringList list;
    list.Add("kept");
    s->GetAsStrings(list);
    EXPECT_EQ(list.Text(), "kept\r\n");
    EXPECT_EQ(s->Value.Kind, pvkNone);
}

// One row per kind and value: what every getter gives for it.
struct ConversionCase {
    const char* what;
    std::function<void(TPSetting&)> set;
    TPValueKind kind;
    bool asBoolean;
    int32_t asInteger;
    long double asFloat;
    std::string asString;
};

TEST(SettingValue, GettersConvertEveryKindWithTheLocaleFormats) {
    PinnedFormatSettings pin(CzechFormats());
    const double when = *EncodeDateTime({2024, 3, 5, 14, 7, 9, 0});
    const ConversionCase cases[] = {
        {"text two and a half", [](TPSetting& s) { s.SetAsString("2,5"); }, pvkString, false, 2, 2.5L, "2,5"},
        {"text three and a half", [](TPSetting& s) { s.SetAsString("3,5"); }, pvkString, false, 4, 3.5L, "3,5"},
        {"text minus two and a half", [](TPSetting& s) { s.SetAsString("-2,5"); }, pvkString, false, -2, -2.5L,
         "-2,5"},
        {"text with the other separator", [](TPSetting& s) { s.SetAsString("2.5"); }, pvkString, false, 0, 0, "2.5"},
        {"text not a number", [](TPSetting& s) { s.SetAsString("abc"); }, pvkString, false, 0, 0, "abc"},
        {"text True", [](TPSetting& s) { s.SetAsString("True"); }, pvkString, true, 0, 0, "True"},
        {"text true", [](TPSetting& s) { s.SetAsString("true"); }, pvkString, false, 0, 0, "true"},
        {"integer", [](TPSetting& s) { s.SetAsInteger(-42); }, pvkInteger, true, -42, -42, "-42"},
        {"integer zero", [](TPSetting& s) { s.SetAsInteger(0); }, pvkInteger, false, 0, 0, "0"},
        {"float half", [](TPSetting& s) { s.SetAsFloat(1.5L); }, pvkFloat, true, 2, 1.5L, "1,5"},
        {"float two and a half", [](TPSetting& s) { s.SetAsFloat(2.5L); }, pvkFloat, true, 2, 2.5L, "2,5"},
        {"float third", [](TPSetting& s) { s.SetAsFloat(1.0L / 3); }, pvkFloat, true, 0, 1.0L / 3,
         "0,333333333333333"},
        {"float zero", [](TPSetting& s) { s.SetAsFloat(0); }, pvkFloat, false, 0, 0, "0"},
        {"boolean true", [](TPSetting& s) { s.SetAsBoolean(true); }, pvkBoolean, true, 1, 1, "True"},
        {"boolean false", [](TPSetting& s) { s.SetAsBoolean(false); }, pvkBoolean, false, 0, 0, "False"},
        {"variant integer", [](TPSetting& s) { s.SetAsVariant(TVariant(7)); }, pvkVariant, false, 7, 7, "7"},
        {"variant True", [](TPSetting& s) { s.SetAsVariant(TVariant(true)); }, pvkVariant, true, 0, 0, "True"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = NewSetting();
        c.set(*s);
        EXPECT_EQ(s->Value.Kind, c.kind);
        EXPECT_EQ(s->GetAsBoolean(), c.asBoolean);
        EXPECT_EQ(s->GetAsInteger(), c.asInteger);
        EXPECT_EQ(s->GetAsFloat(), c.asFloat);
        EXPECT_EQ(s->GetAsString(), c.asString);
    }
    // The date-time kind: the date, then the time unless it is midnight.
    auto s = NewSetting();
    s->SetAsDateTime(when);
    EXPECT_EQ(s->Value.Kind, pvkDateTime);
    EXPECT_EQ(s->GetAsString(), "5.3.2024 14:07:09");
    EXPECT_EQ(s->GetAsFloat(), static_cast<long double>(when));
    EXPECT_EQ(s->GetAsVariant().VarType(), TVariant::Type::Double);
    EXPECT_EQ(s->GetAsVariant().AsDouble(), when);
    s->SetAsDateTime(std::floor(when));
    EXPECT_EQ(s->GetAsString(), "5.3.2024");
}

TEST(SettingValue, VariantGetterKeepsTheKindsType) {
    auto s = NewSetting();
    s->SetAsInteger(5);
    EXPECT_EQ(s->GetAsVariant(), TVariant(5));
    s->SetAsBoolean(true);
    EXPECT_EQ(s->GetAsVariant(), TVariant(true));
    s->SetAsFloat(0.25L);
    EXPECT_EQ(s->GetAsVariant(), TVariant(0.25));
    s->SetAsString("x");
    EXPECT_EQ(s->GetAsVariant(), TVariant("x"));
}

TEST(SettingValue, IntegersBeyondInt32Saturate) {
    PinnedFormatSettings pin(CzechFormats());
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    const struct {
        const char* what;
        std::function<void(TPSetting&)> set;
        int32_t expected;
    } cases[] = {
        {"large float", [](TPSetting& s) { s.SetAsFloat(1e12L); }, max},
        {"small float", [](TPSetting& s) { s.SetAsFloat(-1e12L); }, min},
        {"infinity", [](TPSetting& s) { s.SetAsFloat(std::numeric_limits<long double>::infinity()); }, max},
        {"not a number", [](TPSetting& s) { s.SetAsFloat(std::numeric_limits<long double>::quiet_NaN()); }, 0},
        {"large text", [](TPSetting& s) { s.SetAsString("1E20"); }, max},
        {"small text", [](TPSetting& s) { s.SetAsString("-3000000000"); }, min},
        {"limit itself", [](TPSetting& s) { s.SetAsString("2147483647"); }, max},
        {"just inside", [](TPSetting& s) { s.SetAsFloat(-2147483647.6L); }, min},
        {"in range", [](TPSetting& s) { s.SetAsFloat(2147483646.4L); }, max - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = NewSetting();
        c.set(*s);
        EXPECT_EQ(s->GetAsInteger(), c.expected);
    }
}

TEST(SettingValue, EveryRefusalHasItsMessage) {
    const std::string setAs = "Cannot use SetAs functions with collections or hidden properties";
    const std::string getAs = "Cannot use GetAs functions with collections or hidden properties";
    const auto kindOf = [](TPValueKind k) { return [k](TPSetting& s) { s.Value.Kind = k; }; };
    const auto strings = [](TPSetting& s) {
        TStringList l;
        l.Add("a");
        s.SetAsStrings(l);
    };
    TStringList list;
    const struct {
        const char* what;
        std::function<void(TPSetting&)> prepare;
        std::function<void(TPSetting&)> action;
        std::string message;
    } cases[] = {
        {"AsBoolean of a date", [](TPSetting& s) { s.SetAsDateTime(1); }, [](TPSetting& s) { s.GetAsBoolean(); },
         "TPSetting.AsBoolean cannot convert from TDateTime type"},
        {"AsBoolean of strings", strings, [](TPSetting& s) { s.GetAsBoolean(); },
         "TPSetting.AsBoolean cannot convert from TStrings type"},
        {"AsInteger of a date", [](TPSetting& s) { s.SetAsDateTime(1); }, [](TPSetting& s) { s.GetAsInteger(); },
         "TPSetting.AsInteger cannot convert from TDateTime type"},
        {"AsInteger of strings", strings, [](TPSetting& s) { s.GetAsInteger(); },
         "TPSetting.AsInteger cannot convert from TStrings type"},
        {"AsFloat of strings", strings, [](TPSetting& s) { s.GetAsFloat(); },
         "TPSetting.AsFloat cannot convert from TStrings type"},
        {"variant array", [](TPSetting&) {}, [](TPSetting& s) { s.SetAsVariant(TVariant::Array({TVariant(1)})); },
         "TPSetting.AsVariant cannot accept variant arrays"},
        {"AsString of hidden", kindOf(pvkHidden), [](TPSetting& s) { s.GetAsString(); }, getAs},
        {"AsBoolean of collection", kindOf(pvkCollection), [](TPSetting& s) { s.GetAsBoolean(); }, getAs},
        {"AsInteger of hidden", kindOf(pvkHidden), [](TPSetting& s) { s.GetAsInteger(); }, getAs},
        {"AsFloat of collection", kindOf(pvkCollection), [](TPSetting& s) { s.GetAsFloat(); }, getAs},
        {"AsVariant of hidden", kindOf(pvkHidden), [](TPSetting& s) { s.GetAsVariant(); }, getAs},
        {"GetAsStrings of collection", kindOf(pvkCollection), [&list](TPSetting& s) { s.GetAsStrings(list); }, getAs},
        {"SetAsString on hidden", kindOf(pvkHidden), [](TPSetting& s) { s.SetAsString("x"); }, setAs},
        {"SetAsInteger on collection", kindOf(pvkCollection), [](TPSetting& s) { s.SetAsInteger(1); }, setAs},
        {"SetAsBoolean on hidden", kindOf(pvkHidden), [](TPSetting& s) { s.SetAsBoolean(true); }, setAs},
        {"SetAsFloat on hidden", kindOf(pvkHidden), [](TPSetting& s) { s.SetAsFloat(1); }, setAs},
        {"SetAsDateTime on collection", kindOf(pvkCollection), [](TPSetting& s) { s.SetAsDateTime(1); }, setAs},
        {"SetAsStrings on hidden", kindOf(pvkHidden), [&list](TPSetting& s) { s.SetAsStrings(list); }, setAs},
        // The kind check comes before the array check.
        {"variant array on hidden", kindOf(pvkHidden),
         [](TPSetting& s) { s.SetAsVariant(TVariant::Array({TVariant(1)})); }, setAs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = NewSetting();
        c.prepare(*s);
        const TPValueKind before = s->Value.Kind;
        EXPECT_EQ(MessageOf([&] { c.action(*s); }), c.message);
        EXPECT_EQ(s->Value.Kind, before);
    }
}

TEST(SettingValue, VariantArrayLeavesTheValueAlone) {
    auto s = NewSetting();
    s->SetAsString("before");
    EXPECT_THROW(s->SetAsVariant(TVariant::Array({TVariant("a"), TVariant("b")})), EPSettingException);
    EXPECT_EQ(s->Value.Kind, pvkString);
    EXPECT_EQ(s->GetAsString(), "before");
}

TEST(SettingValue, GetAsStringsAppendsOneLineOrReplacesByKind) {
    auto s = NewSetting();
    TStringList list;
    list.Add("first");
    s->SetAsString("second");
    s->GetAsStrings(list);
    EXPECT_EQ(list.Text(), "first\r\nsecond\r\n");
    s->SetAsInteger(3);
    s->GetAsStrings(list);
    EXPECT_EQ(list.Text(), "first\r\nsecond\r\n3\r\n");

    TStringList source;
    source.Add("x");
    source.Add("y");
    s->SetAsStrings(source);
    EXPECT_EQ(s->Value.Kind, pvkStrings);
    EXPECT_EQ(s->GetAsString(), "x\r\ny\r\n");
    s->GetAsStrings(list);
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

TEST(SettingValue, TextsEndAtTheirFirstZeroByte) {
    auto s = NewSetting();
    s->SetAsString(std::string("ab\0cd", 5));
    EXPECT_EQ(s->Value.Text, "ab");
    s->SetAsVariant(TVariant(std::string("x\0y", 3)));
    EXPECT_EQ(s->Value.Text, "x");
}

TEST(SettingValue, ClearValueAndSetKind) {
    auto s = NewSetting();
    s->SetAsString("line\r\n");
    s->SetKind(pvkStrings);
    EXPECT_EQ(s->Value.Kind, pvkStrings);
    EXPECT_EQ(s->Value.Text, "line\r\n");
    s->SetKind(pvkInteger);
    EXPECT_EQ(s->Value.Text, "");
    s->SetAsString("gone");
    s->ClearValue();
    EXPECT_EQ(s->Value.Kind, pvkNone);
    EXPECT_EQ(s->Value.Text, "");
}

TEST(SettingValue, UniqueNameReplacesAllButAsciiLettersAndDigits) {
    const struct {
        const char* bound;
        const char* name;
        const char* expected;
    } cases[] = {
        {"BoldBtn.Down", "", "BoldBtn_Down"},
        {"", "FontList.ItemIndex", "FontList_ItemIndex"},
        {"Btn.Font.Name", "my_value 2", "Btn_Font_Namemy_value_2"},
        {"", "\xC5\xA1koda", "_koda"},  // one ANSI byte, one underscore
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        auto s = NewSetting();
        s->BoundProperty = c.bound;
        s->Name = c.name;
        EXPECT_EQ(s->UniqueName(), c.expected);
    }
}

TEST(SettingValue, IsChangedComparesWithTheDefaultOfTheSameKind) {
    const auto text = [](TPValueKind k, const char* t) {
        TPValue v;
        v.Kind = k;
        v.Text = t;
        return v;
    };
    const auto integer = [](int32_t i) {
        TPValue v;
        v.Kind = pvkInteger;
        v.Integer = i;
        return v;
    };
    const auto flt = [](long double f) {
        TPValue v;
        v.Kind = pvkFloat;
        v.Float = f;
        return v;
    };
    const auto boolean = [](bool b) {
        TPValue v;
        v.Kind = pvkBoolean;
        v.Boolean = b;
        return v;
    };
    const auto kind = [](TPValueKind k) {
        TPValue v;
        v.Kind = k;
        return v;
    };
    const struct {
        const char* what;
        TPValue value, def;
        bool changed;
    } cases[] = {
        {"same text", text(pvkString, "a"), text(pvkString, "a"), false},
        {"text differs in case", text(pvkString, "a"), text(pvkString, "A"), true},
        {"strings differ", text(pvkStrings, "a\r\n"), text(pvkStrings, "b\r\n"), true},
        {"same integer", integer(4), integer(4), false},
        {"integer differs", integer(4), integer(5), true},
        {"float differs", flt(0.5L), flt(0.25L), true},
        {"same boolean", boolean(true), boolean(true), false},
        {"boolean differs", boolean(true), boolean(false), true},
        {"kinds differ", integer(1), text(pvkString, "1"), false},
        {"both none", kind(pvkNone), kind(pvkNone), false},
        {"hidden", kind(pvkHidden), kind(pvkHidden), true},
        {"collection", kind(pvkCollection), kind(pvkCollection), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto s = NewSetting();
        s->BoundProperty = "Nowhere.Prop";  // owner-less: the path resolves to nothing
        s->Value = c.value;
        s->DefaultValue = c.def;
        EXPECT_EQ(s->IsChanged(), c.changed);
    }
    auto free = NewSetting();
    free->Value = integer(1);
    free->DefaultValue = integer(1);
    EXPECT_TRUE(free->IsChanged());  // a free setting always counts as changed
}

TEST(SettingValue, SplitPathKeepsEmptyElements) {
    EXPECT_EQ(SplitPath(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitPath("A"), std::vector<std::string>{"A"});
    EXPECT_EQ(SplitPath("A.B.C"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(SplitPath("A..B."), (std::vector<std::string>{"A", "", "B", ""}));
}

TEST(SettingValue, ReflectionPublishesTheSettingsOwnFields) {
    auto s = NewSetting();
    s->Name = "n";
    s->BoundProperty = "A.B";
    const TClassInfo& cls = TPSetting::StaticClass();
    std::vector<std::string> names;
    for (const TPropInfo& p : cls.props) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "BoundProperty", "RelAppSetting", "Encrypted", "UniqueName"}));
    const TPropInfo* name = FindPropInfo(*s, "name");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(GetStrProp(*s, *name), "n");  // the setting's own name, not the component name
    const TPropInfo* unique = FindPropInfo(*s, "UniqueName");
    ASSERT_NE(unique, nullptr);
    EXPECT_EQ(GetStrProp(*s, *unique), "A_Bn");
    EXPECT_FALSE(unique->Writable());
    SetOrdProp(*s, *FindPropInfo(*s, "Encrypted"), 1);
    EXPECT_TRUE(s->Encrypted);
}
