// Published-property reflection: lookup rules, every property kind, enum and
// set type information, events bound to published methods, the class registry.

#include <gtest/gtest.h>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"

namespace {

enum class TShade { Light, Medium, Dark };
const TEnumTypeInfo kShadeType{"TShade", {"shLight", "shMedium", "shDark"}, 0};
const TSetTypeInfo kShadesType{"TShades", &kShadeType};

class TSample : public TPersistent {
    GLY_CLASS(TSample)
public:
    int count = 0;
    bool enabled = false;
    TShade shade = TShade::Light;
    TSet<TShade> shades;
    long double ratio = 0;
    std::string title;
    char letter = 'a';
    char16_t wide = u'b';
    std::string shortText, wideText;
    TVariant data;
    TSample* link = nullptr;
    TNotifyEvent OnChange;
    std::vector<std::string> calls;

    void Changed(TObject*) { calls.push_back("Changed"); }
    void Keyed(TObject*, uint16_t& key) { key = 0; }
};

const TClassInfo& TSample::StaticClass() {
    static const TClassInfo info = TClassBuilder<TSample>("TSample", &TPersistent::StaticClass)
                                       .Int("Count", &TSample::count, &TSample::count)
                                       .Bool("Enabled", &TSample::enabled, &TSample::enabled)
                                       .Enum("Shade", kShadeType, &TSample::shade, &TSample::shade)
                                       .SetOf("Shades", kShadesType, &TSample::shades, &TSample::shades)
                                       .Float("Ratio", &TSample::ratio, &TSample::ratio)
                                       .Str("Title", &TSample::title, &TSample::title)
                                       .Char("Letter", &TSample::letter, &TSample::letter)
                                       .WChar("Wide", &TSample::wide, &TSample::wide)
                                       .Str("ShortText", &TSample::shortText, &TSample::shortText, TTypeKind::ShortString)
                                       .Str("WideText", &TSample::wideText, &TSample::wideText, TTypeKind::WString)
                                       .Var("Data", &TSample::data, &TSample::data)
                                       .Obj("Link", &TSample::link, &TSample::link)
                                       .Event("OnChange", &TSample::OnChange)
                                       .Str("Fixed", &TSample::title, nullptr)
                                       .Method<&TSample::Changed>("Changed")
                                       .Method<&TSample::Keyed>("Keyed")
                                       .Build();
    return info;
}

class TDerivedSample : public TSample {
    GLY_CLASS(TDerivedSample)
public:
    int extra = 0;
};

const TClassInfo& TDerivedSample::StaticClass() {
    static const TClassInfo info = TClassBuilder<TDerivedSample>("TDerivedSample", &TSample::StaticClass)
                                       .Int("Extra", &TDerivedSample::extra, &TDerivedSample::extra)
                                       .Build();
    return info;
}

TEST(Rtti, LookupIgnoresAsciiCaseAndSearchesAncestors) {
    TDerivedSample obj;
    struct Case {
        const char* name;
        TTypeKind kind;
    };
    const Case cases[] = {
        {"Count", TTypeKind::Integer},     {"COUNT", TTypeKind::Integer},       {"enabled", TTypeKind::Enumeration},
        {"Shade", TTypeKind::Enumeration}, {"shades", TTypeKind::Set},          {"Ratio", TTypeKind::Float},
        {"title", TTypeKind::LString},     {"Letter", TTypeKind::Char},         {"WIDE", TTypeKind::WChar},
        {"ShortText", TTypeKind::ShortString}, {"WideText", TTypeKind::WString}, {"data", TTypeKind::Variant},
        {"Link", TTypeKind::Class},        {"onchange", TTypeKind::Method},     {"extra", TTypeKind::Integer},
    };
    for (const Case& c : cases) {
        const TPropInfo* p = FindPropInfo(obj, c.name);
        ASSERT_NE(p, nullptr) << c.name;
        EXPECT_EQ(p->kind, c.kind) << c.name;
    }
    for (const char* missing : {"", "Count ", "Cöunt", "Extr", "OnChange2"})
        EXPECT_EQ(FindPropInfo(obj, missing), nullptr) << missing;
    // The ancestor does not see the descendant's property.
    TSample base;
    EXPECT_EQ(FindPropInfo(base, "Extra"), nullptr);
}

TEST(Rtti, AllPropsListsAncestorsFirstInDeclarationOrder) {
    const auto props = TDerivedSample::StaticClass().AllProps();
    ASSERT_GE(props.size(), 3u);
    EXPECT_EQ(props.front()->name, "Count");
    EXPECT_EQ(props.back()->name, "Extra");
}

TEST(Rtti, ReadsAndWritesEveryKind) {
    TSample obj, other;
    const TClassInfo& cls = obj.ClassInfo();
    SetOrdProp(obj, *cls.FindProp("Count"), -7);
    SetOrdProp(obj, *cls.FindProp("Enabled"), 1);
    SetOrdProp(obj, *cls.FindProp("Shade"), 2);
    SetOrdProp(obj, *cls.FindProp("Shades"), 0b101);
    SetFloatProp(obj, *cls.FindProp("Ratio"), 2.5L);
    SetStrProp(obj, *cls.FindProp("Title"), "Tučné");
    SetOrdProp(obj, *cls.FindProp("Letter"), 'z');
    SetOrdProp(obj, *cls.FindProp("Wide"), 0x10D);
    SetVariantProp(obj, *cls.FindProp("Data"), TVariant(int64_t(42)));
    SetObjectProp(obj, *cls.FindProp("Link"), &other);

    EXPECT_EQ(obj.count, -7);
    EXPECT_TRUE(obj.enabled);
    EXPECT_EQ(obj.shade, TShade::Dark);
    EXPECT_TRUE(obj.shades.Has(TShade::Light) && obj.shades.Has(TShade::Dark) && !obj.shades.Has(TShade::Medium));
    EXPECT_EQ(GetOrdProp(obj, *cls.FindProp("Count")), -7);
    EXPECT_EQ(GetFloatProp(obj, *cls.FindProp("Ratio")), 2.5L);
    EXPECT_EQ(GetStrProp(obj, *cls.FindProp("title")), "Tučné");
    EXPECT_EQ(GetOrdProp(obj, *cls.FindProp("Wide")), 0x10D);
    EXPECT_EQ(GetVariantProp(obj, *cls.FindProp("Data")), TVariant(int64_t(42)));
    EXPECT_EQ(GetObjectProp(obj, *cls.FindProp("Link")), &other);
}

TEST(Rtti, WrongKindOrReadOnlyAccessRaises) {
    TSample obj;
    const TClassInfo& cls = obj.ClassInfo();
    EXPECT_THROW(GetOrdProp(obj, *cls.FindProp("Title")), EPropertyError);
    EXPECT_THROW(SetStrProp(obj, *cls.FindProp("Count"), "1"), EPropertyError);
    EXPECT_THROW(GetFloatProp(obj, *cls.FindProp("Count")), EPropertyError);
    EXPECT_THROW(SetStrProp(obj, *cls.FindProp("Fixed"), "x"), EPropertyError);
    EXPECT_FALSE(cls.FindProp("Fixed")->Writable());
    EXPECT_TRUE(cls.FindProp("Title")->Writable());
    // An object of the wrong class is refused rather than stored.
    TDerivedSample ok;
    EXPECT_NO_THROW(SetObjectProp(obj, *cls.FindProp("Link"), &ok));
    TPersistent wrong;
    EXPECT_THROW(SetObjectProp(obj, *cls.FindProp("Link"), &wrong), EPropertyError);
    EXPECT_EQ(obj.link, &ok);
}

TEST(Rtti, EnumerationIdentifiers) {
    struct Case {
        const char* ident;
        int ordinal;
    };
    const Case cases[] = {{"shLight", 0}, {"SHMEDIUM", 1}, {"shdark", 2}, {"Dark", -1}, {"", -1}, {"shDark ", -1}};
    for (const Case& c : cases) EXPECT_EQ(kShadeType.ValueOf(c.ident), c.ordinal) << c.ident;
    EXPECT_EQ(kShadeType.NameOf(1), "shMedium");
    EXPECT_EQ(kShadeType.NameOf(3), std::nullopt);
    EXPECT_EQ(kShadeType.NameOf(-1), std::nullopt);
    EXPECT_EQ(BooleanTypeInfo().ValueOf("true"), 1);
    EXPECT_EQ(BooleanTypeInfo().ValueOf("yes"), -1);
    EXPECT_EQ(*BooleanTypeInfo().NameOf(0), "False");
}

TEST(Rtti, SetText) {
    struct Case {
        uint32_t bits;
        const char* text;
    };
    const Case toText[] = {{0, ""}, {0b001, "shLight"}, {0b110, "shMedium,shDark"}, {0b111, "shLight,shMedium,shDark"}};
    for (const Case& c : toText) EXPECT_EQ(SetToText(kShadesType, c.bits), c.text) << c.bits;
    const Case fromText[] = {
        {0, ""},
        {0b101, "shDark,shLight"},
        {0b011, "SHLIGHT,shmedium"},
        {0b001, "shLight,bogus"},
        {0, " shLight"},           // a piece with blanks matches nothing
        {0b001, "shLight,shLight"},  // a duplicate piece is just ignored
        {0, ","},
    };
    for (const Case& c : fromText) EXPECT_EQ(TextToSet(kShadesType, c.text), c.bits) << c.text;
}

TEST(Rtti, EventsBindToPublishedMethodsOfMatchingSignature) {
    TSample obj;
    const TClassInfo& cls = obj.ClassInfo();
    const TPropInfo& onChange = *cls.FindProp("OnChange");
    const TMethodInfo* changed = cls.FindMethod("CHANGED");
    ASSERT_NE(changed, nullptr);
    EXPECT_EQ(cls.FindMethod("Missing"), nullptr);

    SetMethodProp(obj, onChange, TMethodRef{&obj, changed});
    obj.OnChange(&obj);
    EXPECT_EQ(obj.calls, std::vector<std::string>{"Changed"});
    EXPECT_EQ(GetMethodProp(obj, onChange).method, changed);

    // A handler with another signature is refused and the old one stays.
    EXPECT_THROW(SetMethodProp(obj, onChange, TMethodRef{&obj, cls.FindMethod("Keyed")}), EPropertyError);
    EXPECT_EQ(GetMethodProp(obj, onChange).method, changed);

    SetMethodProp(obj, onChange, TMethodRef{});
    EXPECT_FALSE(obj.OnChange);
}

TEST(Rtti, ClassRegistryFindsByNameIgnoringCase) {
    classes::Register(TDerivedSample::StaticClass());
    EXPECT_EQ(classes::Find("tderivedsample"), &TDerivedSample::StaticClass());
    EXPECT_EQ(classes::Find("TDerivedSampleX"), nullptr);
    EXPECT_EQ(classes::Find("TSample"), nullptr);  // never registered

    TDerivedSample d;
    TObject& asObject = d;
    EXPECT_TRUE(asObject.Is<TSample>());
    EXPECT_NE(asObject.As<TSample>(), nullptr);
    TSample s;
    EXPECT_EQ(static_cast<TObject&>(s).As<TDerivedSample>(), nullptr);
    EXPECT_EQ(asObject.ClassName(), "TDerivedSample");
}

}  // namespace
