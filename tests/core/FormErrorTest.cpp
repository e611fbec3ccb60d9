// Forms the reader must refuse, with the message the user will see; streams
// cut short or damaged, which may only ever fail as read errors; and how
// references by name resolve.

#include <gtest/gtest.h>

#include <random>

#include "FormFixture.h"

namespace formtest {
namespace {

// One widget whose body is `props`, inside a form.
std::string WidgetForm(const std::string& props) {
    return "object Form1: TTestForm\n  object Button1: TTestWidget\n" + props +
           "\n  end\n  object Button2: TTestWidget\n  end\nend\n";
}

std::string ReadFailure(const std::string& text) {
    try {
        ReadForm(text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "(read)";
}

class FormErrors : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses();
        LoadedLog().clear();
    }
};

TEST_F(FormErrors, EachBadPropertyHasItsMessage) {
    struct Case {
        const char* props;
        const char* message;
    };
    const Case cases[] = {
        {"Nope = 1", "Error reading Button1.Nope: Property Nope does not exist"},
        {"Font.Nope = 1", "Error reading Button1.Font.Nope: Property Nope does not exist"},
        {"Count.Nope = 1", "Error reading Button1.Count.Nope: Property Count does not exist"},
        {"Items = < item Nope = 1 end >", "Error reading Button1.Nope: Property Nope does not exist"},
        {"Count = 'x'", "Invalid property value"},
        {"Enabled = 1", "Invalid property value"},
        {"Color = tcPurple", "Invalid property value"},
        {"Styles = [tsBold, tsShiny]", "Invalid property value"},
        {"Caption = 5", "Invalid property value"},
        {"Ratio = 'x'", "Invalid property value"},
        {"Initial = 'QQ'", "Invalid property value"},
        {"Colour = clGreen", "Invalid property value"},
        {"Buddy = 5", "Invalid property value"},
        {"Items = 5", "Invalid property value"},
        {"Font = nil", "Invalid property value"},  // a sub-object cannot be replaced
        {"OnClick = NoSuchMethod", "Invalid property value"},
        {"OnClick = Resized", "Invalid property value"},  // a method of another signature
        {"Lines.Strings = ( 5 )", "Invalid property value"},
        {"Blob = 'x'", "Invalid property value"},
        {"Data = [a]", "Invalid property value"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadFailure(WidgetForm(c.props)), c.message) << c.props;
    // Their valid counterparts read.
    for (const char* good : {"Count = 1", "Font.Name = 'x'", "Color = TCGREEN", "Styles = []", "Initial = 65",
                             "Colour = 255", "Colour = clRed", "Buddy = nil", "OnClick = buttonclick", "OnClick = nil",
                             "Data = Null", "Ratio = 2", "Ratio = 1.5s", "Caption = W'x'"})
        EXPECT_EQ(ReadFailure(WidgetForm(good)), "(read)") << good;
}

TEST_F(FormErrors, BadComponentsAndHeaders) {
    EXPECT_EQ(ReadFailure("object Form1: TTestForm\n  object X: TNoSuchClass\n  end\nend\n"),
              "Class TNoSuchClass not found");
    EXPECT_THROW(ReadForm("object Form1: TTestForm\n  object X: TNoSuchClass\n  end\nend\n"), EClassNotFound);
    // Registered but not creatable from a stream.
    classes::Register(TTestControl::StaticClass());
    EXPECT_EQ(ReadFailure("object Form1: TTestForm\n  object X: TTestControl\n  end\nend\n"),
              "Class TTestControl not found");
    EXPECT_EQ(
        ReadFailure("object Form1: TTestForm\n  object B: TTestWidget\n  end\n  object b: TTestWidget\n  end\nend\n"),
        "A component named b already exists");

    TMemoryStream bad(std::vector<uint8_t>{'T', 'P', 'F', '1', 9});
    TReader reader(bad);
    try {
        reader.ReadRootComponent(nullptr);
        ADD_FAILURE() << "read without a signature";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Invalid stream format");
    }
}

// A control nested in a component that cannot hold it would belong to the
// form without a place in it, and the form would write without it.
TEST_F(FormErrors, AControlNestedWhereNoParentTakesItIsRefused) {
    const auto nested = [](const char* outer, const char* inner) {
        return std::string("object Form1: TTestForm\n  object Outer: ") + outer + "\n    object Inner: " + inner +
               "\n    end\n  end\n  object Button2: TTestWidget\n    Buddy = Inner\n  end\nend\n";
    };
    EXPECT_EQ(ReadFailure(nested("TTestTimer", "TTestWidget")), "Invalid stream format");
    EXPECT_EQ(ReadFailure(nested("TTestWidget", "TTestPanel")), "(read)");
    // Non-visual components have no parent: nested anywhere, they belong to
    // the form and are written at its level, so they stay readable.
    for (const char* outer : {"TTestTimer", "TTestPanel"}) {
        SCOPED_TRACE(outer);
        const auto root = ReadForm(nested(outer, "TTestTimer"));
        const std::vector<uint8_t> written = WriteForm(*root);
        TMemoryStream again(written);
        EXPECT_EQ(WriteForm(*TOwnedPtr<TComponent>(TReader(again).ReadRootComponent(nullptr))), written);
    }
}

TEST_F(FormErrors, ReadingIntoAGivenRootChecksItsClass) {
    TOwnedPtr<TComponent> form(TComponent::Create<TTestForm>(nullptr));
    const std::string text = "object Main: TTESTFORM\n  Caption = 'x'\n  object Button1: TTestWidget\n  end\nend\n";
    TMemoryStream ok(ObjectTextToBinary(text));
    TReader(ok).ReadRootComponent(form.get());
    EXPECT_EQ(form->Name(), "Main");
    EXPECT_EQ(form->As<TTestForm>()->caption, "x");
    EXPECT_EQ(form->As<TTestForm>()->Button1, form->FindComponent("Button1"));

    TOwnedPtr<TComponent> other(TComponent::Create<TTestTimer>(nullptr));
    TMemoryStream wrong(ObjectTextToBinary(text));
    EXPECT_THROW(TReader(wrong).ReadRootComponent(other.get()), EReadError);
    EXPECT_EQ(other->ComponentCount(), 0);
}

// "inherited" reads into a component the root already has, once: named a
// second time it could be the component whose children are being read, or
// one of its parents, and would become its own ancestor.
TEST_F(FormErrors, AnInheritedComponentIsReadOnceAndNeverBecomesItsOwnAncestor) {
    struct Case {
        const char* what;
        const char* body;
        const char* message;  // null: read, and Panel1 moved under Panel2
    };
    const Case cases[] = {
        {"moved under another panel",
         "  object Panel2: TTestPanel\n    inherited Panel1: TTestPanel\n    end\n  end\n", nullptr},
        {"inside itself", "  inherited Panel1: TTestPanel\n    inherited Panel1: TTestPanel\n    end\n  end\n",
         "A component named Panel1 already exists"},
        {"inside its own child",
         "  inherited Panel1: TTestPanel\n    object Panel2: TTestPanel\n      inherited Panel1: TTestPanel\n"
         "      end\n    end\n  end\n",
         "A component named Panel1 already exists"},
        {"twice side by side",
         "  inherited Panel1: TTestPanel\n  end\n  inherited Panel1: TTestPanel\n  end\n",
         "A component named Panel1 already exists"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TOwnedPtr<TComponent> form(TComponent::Create<TTestForm>(nullptr));
        auto* panel1 = TComponent::Create<TTestPanel>(form.get());
        panel1->SetName("Panel1");
        TMemoryStream s(ObjectTextToBinary(std::string("object Form1: TTestForm\n") + c.body + "end\n"));
        try {
            TReader(s).ReadRootComponent(form.get());
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message ? c.message : "(read)");
            EXPECT_NE(panel1->parent, panel1);
            continue;
        }
        ASSERT_EQ(c.message, nullptr) << "read";
        auto* panel2 = ObjectAs<TTestPanel>(form->FindComponent("Panel2"));
        ASSERT_NE(panel2, nullptr);
        EXPECT_EQ(panel1->parent, panel2);
        EXPECT_EQ(panel2->parent, form.get());
        EXPECT_EQ(form->ComponentCount(), 2);
    }
}

TEST_F(FormErrors, AFailureLeavesWhatWasMadeWithTheRootAndNothingLoading) {
    TOwnedPtr<TComponent> form(TComponent::Create<TTestForm>(nullptr));
    TMemoryStream s(ObjectTextToBinary(WidgetForm("Count = 1\n    Nope = 2")));
    EXPECT_THROW(TReader(s).ReadRootComponent(form.get()), EReadError);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0)->Name(), "Button1");
    EXPECT_FALSE(form->Components(0)->IsLoading() || form->Components(0)->IsReading());
    EXPECT_FALSE(form->IsLoading());
    EXPECT_TRUE(LoadedLog().empty());  // nothing half-read is told it is loaded
}

TEST_F(FormErrors, ReferencesResolveByNameOrStayUnset) {
    struct Case {
        const char* ref;
        const char* expected;  // name of the component, "" for none
    };
    const Case cases[] = {
        {"Button2", "Button2"},       {"BUTTON2", "Button2"}, {"Form1", "Form1"},    {"Form1.Button2", "Button2"},
        {"form1.button2", "Button2"}, {"Nobody", ""},         {"Other.Button2", ""}, {"Form1.Nobody", ""},
    };
    for (const Case& c : cases) {
        const auto root = ReadForm(WidgetForm(std::string("    Target = ") + c.ref));
        const auto* w = ObjectAs<TTestWidget>(root->FindComponent("Button1"));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->target ? w->target->Name() : "", c.expected) << c.ref;
    }
    // A reference of the wrong class stays unset too.
    const auto root = ReadForm(WidgetForm("    Buddy = Form1"));
    EXPECT_EQ(ObjectAs<TTestWidget>(root->FindComponent("Button1"))->buddy, nullptr);
}

TEST_F(FormErrors, ReferencesToComponentsOfAnotherOwnerAreWrittenWithTheirOwner) {
    TOwnedPtr<TComponent> other(TComponent::Create<TTestForm>(nullptr));
    other->SetName("Other");
    auto* thing = TComponent::Create<TTestTimer>(other.get());
    thing->SetName("Thing");
    TOwnedPtr<TComponent> form(TComponent::Create<TTestForm>(nullptr));
    form->SetName("F");
    auto* w = TComponent::Create<TTestWidget>(form.get());
    w->SetName("W");
    w->SetParentComponent(form.get());
    w->target = thing;
    w->buddy = w;
    EXPECT_EQ(ObjectBinaryToText(WriteForm(*form)),
              "object F: TTestForm\n  object W: TTestWidget\n    Buddy = W\n    Target = Other.Thing\n  end\nend\n");
}

TEST_F(FormErrors, NestingBeyondTheLimitIsRefused) {
    auto nested = [](int depth) {
        std::string text = "object Form1: TTestForm\n";
        for (int i = 0; i < depth; ++i) text += "object P" + std::to_string(i) + ": TTestPanel\n";
        for (int i = 0; i < depth; ++i) text += "end\n";
        return text + "end\n";
    };
    EXPECT_EQ(ReadFailure(nested(TReader::kMaxDepth - 1)), "(read)");
    // Deeper than the text parser allows: built as bytes.
    std::vector<uint8_t> deep = {'T', 'P', 'F', '0', 9, 'T', 'T', 'e', 's', 't', 'F', 'o', 'r', 'm', 0, 0};
    for (int i = 0; i < 5000; ++i)
        deep.insert(deep.end(), {10, 'T', 'T', 'e', 's', 't', 'P', 'a', 'n', 'e', 'l', 0, 0});
    deep.insert(deep.end(), 2 * 5000 + 1, 0);
    TMemoryStream s(deep);
    try {
        TReader(s).ReadRootComponent(nullptr);
        ADD_FAILURE() << "read 5000 levels";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Invalid stream format");
    }
}

const char* const kFuzzForm =
    "object Form1: TTestForm\n"
    "  Caption = 'Main'\n"
    "  object Panel1: TTestPanel\n"
    "    object Button1: TTestWidget\n"
    "      Count = 300\n"
    "      Color = tcGreen\n"
    "      Styles = [tsBold]\n"
    "      Data = ( 1 'two' ( 2.5 ) )\n"
    "      Initial = 'Q'\n"
    "      Font.Style = [tsItalic]\n"
    "      Lines.Strings = ( 'one' )\n"
    "      Items = < item Caption = 'a' Link = Button2 end item [4] Width = 70000 end >\n"
    "      OnClick = ButtonClick\n"
    "      Buddy = Button2\n"
    "      Blob = {0102FF}\n"
    "    end\n"
    "  end\n"
    "  object Button2: TTestWidget\n"
    "    Target = Form1.Timer1\n"
    "    Ratio = 0.25\n"
    "  end\n"
    "  object Timer1: TTestTimer\n"
    "    Interval = 250\n"
    "  end\n"
    "end\n";

// No input may crash the reader, leak or read past the end: whatever it
// refuses, it refuses with a read error.
TEST_F(FormErrors, CutAndDamagedStreamsOnlyEverFailAsReadErrors) {
    const std::vector<uint8_t> binary = ObjectTextToBinary(kFuzzForm);
    ASSERT_NO_THROW(ReadForm(kFuzzForm));
    for (size_t n = 0; n < binary.size(); ++n) {
        TMemoryStream s(std::vector<uint8_t>(binary.begin(), binary.begin() + ptrdiff_t(n)));
        EXPECT_THROW(TReader(s).ReadRootComponent(nullptr), EReadError) << n << " bytes";
    }
    std::mt19937 rng(4711);
    int read = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<uint8_t> mutated = binary;
        for (int k = 0; k < 1 + round % 4; ++k)
            mutated[rng() % mutated.size()] = uint8_t(rng() % 4 ? rng() % 24 : rng());
        TMemoryStream s(mutated);
        try {
            TOwnedPtr<TComponent> root(TReader(s).ReadRootComponent(nullptr));
            ++read;
        } catch (const EReadError&) {
        }
    }
    EXPECT_GT(read, 0);  // some damage is harmless: the loop did reach deep
}

}  // namespace

}  // namespace formtest
