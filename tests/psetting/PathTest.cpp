// A bound setting as a live view of its property: reading and writing along
// the path through owned components, nested objects, string lists,
// component references, collections and hidden properties.

#include <gtest/gtest.h>

#include <string>

#include "platform/win/Font.h"
#include "platform/win/SpeedButton.h"
#include "psetting/PSetting.h"
#include "tests/core/PinnedFormatSettings.h"
#include "tests/psetting/SettingTestComponents.h"

namespace {

class PathTest : public testing::Test {
protected:
    PathTest() : pin_(CzechFormats()) {
        g1().Count = 12;
        g1().Letter = 'Q';
        g1().Shape = TGizmoShape::gsSquare;
        g1().Active = true;
        g1().Ratio = 0.75;
        g1().Caption = "Hello";
        g1().Data = TVariant(2.5);
        g1().Styles = TGizmoStyles{TGizmoStyle::gyBold, TGizmoStyle::gyTall};
        g1().Lines()->Add("a");
        g1().Lines()->Add("b");
        g1().Link = f_.gizmo2;
        g1().Part()->Name = "Inner";
    }

    TGizmo& g1() { return *f_.gizmo1; }
    // A setting owned by the form, as a form's settings are at run time.
    TPSetting& Bound(const std::string& path) {
        auto* s = TComponent::Create<TPSetting>(f_.form.get());
        s->BoundProperty = path;
        return *s;
    }

    PinnedFormatSettings pin_;
    TGizmoForm f_;
};

}  // namespace

TEST_F(PathTest, ReadingGivesTheKindOfTheProperty) {
    const struct {
        const char* path;
        TPValueKind kind;
        std::string text;  // for the text kinds
        int32_t integer;   // for pvkInteger
    } cases[] = {
        {"Gizmo1.Count", pvkInteger, "", 12},
        {"Gizmo1.Letter", pvkInteger, "", 'Q'},
        {"Gizmo1.Shape", pvkString, "gsSquare", 0},
        {"Gizmo1.Active", pvkString, "True", 0},
        {"Gizmo1.Caption", pvkString, "Hello", 0},
        {"Gizmo1.Data", pvkVariant, "2,5", 0},
        {"Gizmo1.Styles", pvkString, "gyBold,gyTall", 0},
        {"Gizmo1.Lines", pvkStrings, "a\r\nb\r\n", 0},
        {"Gizmo1.Link", pvkString, "Gizmo2", 0},
        {"Gizmo1.Part.Name", pvkString, "Inner", 0},
        {"Gizmo1.Fixed", pvkInteger, "", 11},
        {"Form1.Gizmo1.Count", pvkInteger, "", 12},  // the owner's own name is dropped
        {"gizmo1.COUNT", pvkInteger, "", 12},        // look-ups ignore letter case
        {"Gizmo1.Missing.Name", pvkNone, "", 0},     // nil on the way
        {"Gizmo1.Peer", pvkNone, "", 0},             // a reference that holds nil
        {"Gizmo1.Part", pvkNone, "", 0},             // an object that is none of the three
        {"Gizmo1.OnPing", pvkNone, "", 0},
        {"Gizmo1.NoSuchProp", pvkNone, "", 0},
        {"Nobody.Count", pvkNone, "", 0},
        {"Gizmo1", pvkNone, "", 0},
        {"Form1", pvkNone, "", 0},
        {"form1.Gizmo1.Count", pvkNone, "", 0},  // the owner's name compares exactly
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TPSetting& s = Bound(c.path);
        s.ReadFromProperty();
        EXPECT_EQ(s.Value.Kind, c.kind);
        if (c.kind == pvkInteger) {
            EXPECT_EQ(s.Value.Integer, c.integer);
        }
        if (c.kind == pvkString || c.kind == pvkVariant || c.kind == pvkStrings) {
            EXPECT_EQ(s.Value.Text, c.text);
        }
    }
}

TEST_F(PathTest, FloatAndObjectKindsReferToTheLiveObjects) {
    TPSetting& ratio = Bound("Gizmo1.Ratio");
    ratio.ReadFromProperty();
    EXPECT_EQ(ratio.Value.Kind, pvkFloat);
    EXPECT_EQ(ratio.Value.Float, 0.75L);

    TPSetting& items = Bound("Gizmo1.Items");
    items.ReadFromProperty();
    EXPECT_EQ(items.Value.Kind, pvkCollection);
    EXPECT_EQ(items.Value.Object, g1().Items());

    for (const char* hidden : {"Gizmo1.Secret", "Gizmo1.blob"}) {
        SCOPED_TRACE(hidden);
        TPSetting& s = Bound(hidden);
        s.ReadFromProperty();
        EXPECT_EQ(s.Value.Kind, pvkHidden);
        EXPECT_EQ(s.Value.Object, &g1());
    }
    // A definition without a writer is no hidden property.
    TPSetting& half = Bound("Gizmo1.HalfDefined");
    half.ReadFromProperty();
    EXPECT_EQ(half.Value.Kind, pvkNone);
}

TEST_F(PathTest, GettersFollowThePropertyLive) {
    TPSetting& s = Bound("Gizmo1.Count");
    EXPECT_EQ(s.GetAsInteger(), 12);
    g1().Count = 40;
    EXPECT_EQ(s.GetAsInteger(), 40);
    EXPECT_EQ(s.GetAsString(), "40");
    // While the property is being written the stored value is used.
    s.Writing = true;
    g1().Count = 41;
    EXPECT_EQ(s.GetAsInteger(), 40);
}

TEST_F(PathTest, SettersWriteThePropertyByItsKind) {
    const struct {
        const char* what;
        const char* path;
        std::function<void(TPSetting&)> set;
        std::function<bool(TGizmo&)> check;
    } cases[] = {
        {"integer from integer", "Gizmo1.Count", [](TPSetting& s) { s.SetAsInteger(7); },
         [](TGizmo& g) { return g.Count == 7; }},
        {"integer from numeric text, half to even", "Gizmo1.Count", [](TPSetting& s) { s.SetAsString("2,5"); },
         [](TGizmo& g) { return g.Count == 2; }},
        {"integer from float", "Gizmo1.Count", [](TPSetting& s) { s.SetAsFloat(3.5L); },
         [](TGizmo& g) { return g.Count == 4; }},
        {"integer not from a boolean", "Gizmo1.Count", [](TPSetting& s) { s.SetAsBoolean(true); },
         [](TGizmo& g) { return g.Count == 12; }},
        {"integer not from other text", "Gizmo1.Count", [](TPSetting& s) { s.SetAsString("x"); },
         [](TGizmo& g) { return g.Count == 12; }},
        {"integer not from a date", "Gizmo1.Count", [](TPSetting& s) { s.SetAsDateTime(3); },
         [](TGizmo& g) { return g.Count == 12; }},
        {"character", "Gizmo1.Letter", [](TPSetting& s) { s.SetAsInteger('Z'); },
         [](TGizmo& g) { return g.Letter == 'Z'; }},
        {"enumeration by identifier", "Gizmo1.Shape", [](TPSetting& s) { s.SetAsString("GSTRIANGLE"); },
         [](TGizmo& g) { return g.Shape == TGizmoShape::gsTriangle; }},
        {"enumeration unknown identifier", "Gizmo1.Shape", [](TPSetting& s) { s.SetAsString("gsHexagon"); },
         [](TGizmo& g) { return g.Shape == TGizmoShape::gsSquare; }},
        {"boolean from False", "Gizmo1.Active", [](TPSetting& s) { s.SetAsBoolean(false); },
         [](TGizmo& g) { return !g.Active; }},
        {"boolean from an integer is no identifier", "Gizmo1.Active", [](TPSetting& s) { s.SetAsInteger(0); },
         [](TGizmo& g) { return g.Active; }},
        {"float from text", "Gizmo1.Ratio", [](TPSetting& s) { s.SetAsString("1,25"); },
         [](TGizmo& g) { return g.Ratio == 1.25; }},
        {"float not from a date", "Gizmo1.Ratio", [](TPSetting& s) { s.SetAsDateTime(5); },
         [](TGizmo& g) { return g.Ratio == 0.75; }},
        {"string", "Gizmo1.Caption", [](TPSetting& s) { s.SetAsInteger(-3); },
         [](TGizmo& g) { return g.Caption == "-3"; }},
        {"variant", "Gizmo1.Data", [](TPSetting& s) { s.SetAsVariant(TVariant("v")); },
         [](TGizmo& g) { return g.Data == TVariant("v"); }},
        {"set, letter case and blanks", "Gizmo1.Styles", [](TPSetting& s) { s.SetAsString("GYWIDE,gyTall, gyBold,x"); },
         [](TGizmo& g) { return g.Styles == TGizmoStyles{TGizmoStyle::gyWide, TGizmoStyle::gyTall}; }},
        {"set, empty text", "Gizmo1.Styles", [](TPSetting& s) { s.SetAsString(""); },
         [](TGizmo& g) { return g.Styles.Bits() == 0; }},
        {"set only from text", "Gizmo1.Styles", [](TPSetting& s) { s.SetAsVariant(TVariant("gyWide")); },
         [](TGizmo& g) { return g.Styles == TGizmoStyles{TGizmoStyle::gyBold, TGizmoStyle::gyTall}; }},
        {"string list replaced", "Gizmo1.Lines",
         [](TPSetting& s) {
             TStringList l;
             l.Add("z");
             s.SetAsStrings(l);
         },
         [](TGizmo& g) { return g.Lines()->Text() == "z\r\n"; }},
        {"string list gets one more line", "Gizmo1.Lines", [](TPSetting& s) { s.SetAsString("c"); },
         [](TGizmo& g) { return g.Lines()->Text() == "a\r\nb\r\nc\r\n"; }},
        {"reference to an owned component", "Gizmo1.Link", [](TPSetting& s) { s.SetAsString("gizmo3"); },
         [](TGizmo& g) { return g.Link && g.Link->Name() == "Gizmo3"; }},
        {"reference to no such component", "Gizmo1.Link", [](TPSetting& s) { s.SetAsString("Nobody"); },
         [](TGizmo& g) { return g.Link && g.Link->Name() == "Gizmo2"; }},
        {"nil reference is not restored", "Gizmo1.Peer", [](TPSetting& s) { s.SetAsString("Gizmo3"); },
         [](TGizmo& g) { return g.Peer == nullptr; }},
        {"nested object", "Gizmo1.Part.Name", [](TPSetting& s) { s.SetAsString("Outer"); },
         [](TGizmo& g) { return g.Part()->Name == "Outer"; }},
        {"nested integer through the owner's name", "Form1.Gizmo1.Part.Size", [](TPSetting& s) { s.SetAsInteger(9); },
         [](TGizmo& g) { return g.Part()->Size == 9; }},
        {"read-only", "Gizmo1.Fixed", [](TPSetting& s) { s.SetAsInteger(99); },
         [](TGizmo& g) { return g.Fixed == 11; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TGizmoForm fresh;
        TGizmo& g = *fresh.gizmo1;
        g.Count = 12;
        g.Shape = TGizmoShape::gsSquare;
        g.Active = true;
        g.Ratio = 0.75;
        g.Styles = TGizmoStyles{TGizmoStyle::gyBold, TGizmoStyle::gyTall};
        g.Lines()->Add("a");
        g.Lines()->Add("b");
        g.Link = fresh.gizmo2;
        auto* s = TComponent::Create<TPSetting>(fresh.form.get());
        s->BoundProperty = c.path;
        c.set(*s);
        EXPECT_TRUE(c.check(g));
    }
}

TEST_F(PathTest, WritesAlongANilObjectOrToNothingLeaveEverythingAlone) {
    TPSetting& nilStep = Bound("Gizmo1.Missing.Name");
    nilStep.SetAsString("x");  // nothing to write into, and no fault
    EXPECT_EQ(nilStep.Value.Text, "x");
    TPSetting& unknown = Bound("Nobody.Caption");
    unknown.SetAsString("y");
    EXPECT_EQ(g1().Caption, "Hello");
    // A reference cannot be set to a component of a class it does not take.
    TPSetting& peer = Bound("Gizmo1.Peer");
    g1().Peer = f_.gizmo3;
    auto* plain = TComponent::Create<TComponent>(f_.form.get());
    plain->SetName("Plain");
    peer.SetAsString("Plain");
    EXPECT_EQ(g1().Peer, f_.gizmo3);
}

TEST_F(PathTest, ReadingDoesNotWriteBack) {
    TPSetting& s = Bound("Gizmo1.Caption");
    s.Reading = true;
    s.SetAsString("not written");
    EXPECT_EQ(g1().Caption, "Hello");
    s.Reading = false;
    s.SetAsString("written");
    EXPECT_EQ(g1().Caption, "written");
}

TEST_F(PathTest, CollectionAndHiddenBindingsRefuseTypedAccess) {
    TPSetting& items = Bound("Gizmo1.Items");
    EXPECT_THROW(items.GetAsString(), EPSettingException);
    items.ReadFromProperty();
    EXPECT_THROW(items.SetAsInteger(1), EPSettingException);
    TPSetting& secret = Bound("Gizmo1.Secret");
    EXPECT_THROW(secret.GetAsInteger(), EPSettingException);
    EXPECT_EQ(secret.HiddenPropertyName(), "Secret");
    // Writing them back through the property walk touches nothing.
    g1().Secret = "kept";
    secret.WriteToProperty();
    EXPECT_EQ(g1().Secret, "kept");
}

TEST_F(PathTest, StoreDefaultCapturesTheCurrentValue) {
    TPSetting& s = Bound("Gizmo1.Caption");
    s.StoreDefault();
    EXPECT_EQ(s.DefaultValue.Kind, pvkString);
    EXPECT_EQ(s.DefaultValue.Text, "Hello");
    s.ReadFromProperty();
    EXPECT_FALSE(s.IsChanged());
    g1().Caption = "Changed";
    s.ReadFromProperty();
    EXPECT_TRUE(s.IsChanged());

    TPSetting& free = *TComponent::Create<TPSetting>(f_.form.get());
    free.StoreDefault();
    EXPECT_EQ(free.DefaultValue.Kind, pvkNone);
}

TEST_F(PathTest, BoundComponentFollowsRenamesAndItsFreeing) {
    auto* settings = TComponent::Create<TComponent>(f_.form.get());
    settings->SetName("Settings1");
    auto* s = TComponent::Create<TPSetting>(settings);
    s->BoundProperty = "Gizmo1.Part.Name";
    s->ResolveComponent();
    EXPECT_EQ(s->BoundComponent, &g1());
    g1().SetName("Renamed");
    s->UpdateBoundProperty();
    EXPECT_EQ(s->BoundProperty, "Renamed.Part.Name");
    s->UpdateBoundProperty();
    EXPECT_EQ(s->BoundProperty, "Renamed.Part.Name");

    // Freed: the reference goes with it, and the path stays as it was.
    TComponent::Free(&g1());
    EXPECT_EQ(s->BoundComponent, nullptr);
    s->UpdateBoundProperty();
    EXPECT_EQ(s->BoundProperty, "Renamed.Part.Name");

    auto* other = TComponent::Create<TPSetting>(settings);
    other->BoundProperty = "NoSuchComponent.Caption";
    other->ResolveComponent();
    EXPECT_EQ(other->BoundComponent, nullptr);
    auto* ownerless = TComponent::Create<TPSetting>(nullptr);
    ownerless->BoundProperty = "Gizmo2.Caption";
    ownerless->ResolveComponent();
    EXPECT_EQ(ownerless->BoundComponent, nullptr);
    TComponent::Free(ownerless);
}

TEST_F(PathTest, RealSpeedButtonDownAndFont) {
    auto* button = TComponent::Create<TSpeedButton>(f_.form.get());
    button->SetName("BoldBtn");
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->SetDown(true);
    button->Font()->SetName("Arial");

    TPSetting& down = Bound("BoldBtn.Down");
    EXPECT_EQ(down.GetAsString(), "True");
    down.SetAsString("False");
    EXPECT_FALSE(button->Down());
    down.SetAsBoolean(true);
    EXPECT_TRUE(button->Down());

    TPSetting& font = Bound("BoldBtn.Font.Name");
    EXPECT_EQ(font.GetAsString(), "Arial");
    font.SetAsString("Courier New");
    EXPECT_EQ(button->Font()->Name(), "Courier New");

    TPSetting& style = Bound("BoldBtn.Font.Style");
    style.SetAsString("fsItalic,fsBold");
    EXPECT_EQ(style.GetAsString(), "fsBold,fsItalic");
}
