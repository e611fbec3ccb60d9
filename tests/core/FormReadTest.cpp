// Reading forms: components created through the class registry, every kind
// of property set through reflection, references fixed after the whole form,
// Loaded once per component in creation order; and the forms the reader
// must refuse.

#include <gtest/gtest.h>

#include <algorithm>

#include "FormFixture.h"

namespace formtest {
namespace {

const char* const kForm =
    "object Form1: TTestForm\n"
    "  Caption = 'Main'\n"
    "  object Panel1: TTestPanel\n"
    "    object Button1: TTestWidget\n"
    "      Count = 42\n"
    "      Enabled = False\n"
    "      Color = tcBlue\n"
    "      Styles = [tsBold, tsUnderline]\n"
    "      Caption = 'Hello'#13#10'world'\n"
    "      Ratio = 1.5\n"
    "      Data = (\n"
    "        1\n"
    "        'two'\n"
    "        True\n"
    "      )\n"
    "      Initial = 'Q'\n"
    "      Colour = clBlue\n"
    "      Font.Name = 'Tahoma'\n"
    "      Font.Size = 10\n"
    "      Font.Style = [tsItalic]\n"
    "      Lines.Strings = (\n"
    "        'one'\n"
    "        '\xC4\x8Dtvrt'\n"
    "      )\n"
    "      Items = <\n"
    "        item\n"
    "          Caption = 'first'\n"
    "          Width = 3\n"
    "        end\n"
    "        item\n"
    "          Caption = 'second'\n"
    "          Link = Button2\n"
    "        end\n"
    "      >\n"
    "      OnClick = ButtonClick\n"
    "      Buddy = Button2\n"
    "      Target = Form1\n"
    "      Blob = {0102FF}\n"
    "    end\n"
    "  end\n"
    "  object Button2: TTestWidget\n"
    "    Caption = 'Second'\n"
    "    Buddy = Button1\n"
    "  end\n"
    "  object Timer1: TTestTimer\n"
    "    Interval = 250\n"
    "  end\n"
    "end\n";

class FormRead : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterClasses();
        LoadedLog().clear();
    }
};

TEST_F(FormRead, EveryPropertyKindComponentsAndReferences) {
    const auto root = ReadForm(kForm);
    auto* form = root->As<TTestForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name(), "Form1");
    EXPECT_EQ(form->caption, "Main");
    ASSERT_EQ(form->ComponentCount(), 4);  // every component is owned by the root, nested or not

    auto* panel = ObjectAs<TTestPanel>(form->FindComponent("Panel1"));
    auto* b1 = ObjectAs<TTestWidget>(form->FindComponent("Button1"));
    auto* b2 = ObjectAs<TTestWidget>(form->FindComponent("Button2"));
    auto* timer = ObjectAs<TTestTimer>(form->FindComponent("Timer1"));
    ASSERT_TRUE(panel && b1 && b2 && timer);
    EXPECT_EQ(form->Button1, b1);  // the published field
    EXPECT_EQ(b1->parent, panel);
    EXPECT_EQ(panel->parent, form);
    EXPECT_EQ(b2->parent, form);

    EXPECT_EQ(b1->count, 42);
    EXPECT_FALSE(b1->enabled);
    EXPECT_EQ(b1->color, Color::Blue);
    EXPECT_EQ(b1->styles, (Styles{Style::Bold, Style::Underline}));
    EXPECT_EQ(b1->caption, "Hello\r\nworld");
    EXPECT_EQ(b1->ratio, 1.5);
    ASSERT_TRUE(b1->data.IsArray());
    EXPECT_EQ(b1->data.Items(), (std::vector<TVariant>{TVariant(1), TVariant("two"), TVariant(true)}));
    EXPECT_EQ(b1->initial, 'Q');
    EXPECT_EQ(b1->colour, 0xFF0000);
    EXPECT_EQ(b1->Font()->name, "Tahoma");
    EXPECT_EQ(b1->Font()->size, 10);
    EXPECT_EQ(b1->Font()->style, Styles{Style::Italic});
    EXPECT_EQ(b1->Lines()->Text(), "one\r\n\xC4\x8Dtvrt\r\n");
    ASSERT_EQ(b1->Items()->Count(), 2);
    EXPECT_EQ(b1->Items()->ItemAs<TTestItem>(0)->caption, "first");
    EXPECT_EQ(b1->Items()->ItemAs<TTestItem>(0)->width, 3);
    EXPECT_EQ(b1->Items()->ItemAs<TTestItem>(1)->link, b2);  // a reference from an item, forward
    EXPECT_EQ(b1->buddy, b2);                                // forward: Button2 comes later
    EXPECT_EQ(b2->buddy, b1);                                // backward
    EXPECT_EQ(b1->target, form);                             // the root by its own name
    EXPECT_EQ(b1->blob, (std::vector<uint8_t>{1, 2, 0xFF}));
    EXPECT_EQ(timer->interval, 250);

    ASSERT_TRUE(b1->OnClick);
    EXPECT_EQ(b1->OnClick.Ref().method->name, "ButtonClick");
    b1->OnClick(b1);
    EXPECT_EQ(form->clicked, std::vector<TObject*>{b1});
    EXPECT_FALSE(b2->OnClick);

    // Loaded once each, root first, then in creation order, with reading over.
    EXPECT_EQ(LoadedLog(), (std::vector<std::string>{"Form1: loading", "Panel1: loading", "Button1: loading",
                                                     "Button2: loading", "Timer1: loading"}));
    for (TComponent* c :
         {static_cast<TComponent*>(form), static_cast<TComponent*>(b1), static_cast<TComponent*>(timer)})
        EXPECT_FALSE(c->IsLoading() || c->IsReading()) << c->Name();
}

TEST_F(FormRead, WritingItBackGivesTheSameBytes) {
    const auto root = ReadForm(kForm);
    const std::vector<uint8_t> written = WriteForm(*root);
    EXPECT_EQ(ObjectBinaryToText(written), kForm);
    EXPECT_EQ(written, ObjectTextToBinary(kForm));
}

TEST_F(FormRead, DefaultsAreNotWritten) {
    TOwnedPtr<TComponent> form(TComponent::Create<TTestForm>(nullptr));
    form->SetName("F");
    auto* w = TComponent::Create<TTestWidget>(form.get());
    w->SetName("W");
    w->SetParentComponent(form.get());
    EXPECT_EQ(ObjectBinaryToText(WriteForm(*form)), "object F: TTestForm\n  object W: TTestWidget\n  end\nend\n");
    // Values that differ from the defaults are written, and only they.
    w->enabled = false;
    w->Font()->size = 9;
    w->OnClick = TNotifyEvent([](TObject*) {});  // not a published method: nothing to name
    EXPECT_EQ(ObjectBinaryToText(WriteForm(*form)),
              "object F: TTestForm\n  object W: TTestWidget\n    Enabled = False\n    Font.Size = 9\n  end\nend\n");
}

// A char property holds a byte of the code page (Latin-1 unless the
// platform installs another) and is stored as that very byte.
TEST_F(FormRead, CharPropertiesHoldCodePageBytes) {
    const std::string head = "object F: TTestForm\n  object W: TTestWidget\n    Initial = ";
    const std::string tail = "\n  end\nend\n";
    for (const char* value : {"A'\xC3\xA9'", "'\xC3\xA9'", "233", "W'\xC3\xA9'"}) {
        const auto root = ReadForm(head + value + tail);
        auto* w = ObjectAs<TTestWidget>(root->FindComponent("W"));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(static_cast<unsigned char>(w->initial), 0xE9) << value;
        EXPECT_EQ(ObjectBinaryToText(WriteForm(*root)), head + "A'\xC3\xA9'" + tail);
    }
    EXPECT_THROW(ReadForm(head + "'\xC4\x8D'" + tail), EReadError);  // not in the code page
}

// A wide character holds one UTF-16 unit, any unit, even half of a
// surrogate pair, and comes back from its stored bytes unchanged.
TEST_F(FormRead, WideCharPropertiesKeepTheirUnit) {
    const struct {
        const char* stored;
        uint16_t unit;
        const char* written;
    } cases[] = {
        {"'A'", 0x41, "'A'"},
        {"65", 0x41, "'A'"},
        {"W'\xC4\x8D'", 0x010D, "W'\xC4\x8D'"},
        {"'\xC4\x8D'", 0x010D, "W'\xC4\x8D'"},
        {"W#56589", 0xDD0D, "W#56589"},  // a low half alone
        {"W#55357", 0xD83D, "W#55357"},  // a high half alone
        {"-8947", 0xDD0D, "W#56589"},    // the unit of a 16-bit integer
    };
    const std::string head = "object F: TTestForm\n  object W: TTestWidget\n    Mark = ";
    const std::string tail = "\n  end\nend\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const auto root = ReadForm(head + c.stored + tail);
        auto* w = ObjectAs<TTestWidget>(root->FindComponent("W"));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->mark, c.unit);
        const std::vector<uint8_t> written = WriteForm(*root);
        EXPECT_EQ(ObjectBinaryToText(written), head + c.written + tail);
        // Reading the written bytes again gives the very same bytes.
        TMemoryStream again(written);
        EXPECT_EQ(WriteForm(*TOwnedPtr<TComponent>(TReader(again).ReadRootComponent(nullptr))), written);
    }
    for (const char* bad : {"W'ab'", "W''", "'ab'"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(ReadForm(head + bad + tail), EReadError);
    }
}

// Sets and collections have no writer call of their own: their golden bytes
// come from writing properties.
TEST_F(FormRead, SetAndCollectionGoldenBytes) {
    TOwnedPtr<TComponent> owner(TComponent::Create<TTestForm>(nullptr));
    auto* w = TComponent::Create<TTestWidget>(owner.get());
    w->styles = Styles{Style::Bold, Style::Underline};
    auto* item = static_cast<TTestItem*>(w->Items()->Add());
    item->caption = "a";
    item->width = 2;
    w->Items()->Add();
    TMemoryStream s;
    TWriter(s).WriteProperties(*w);
    auto str = [](const std::string& t) {
        std::vector<uint8_t> b(1 + t.size());
        b[0] = uint8_t(t.size());
        std::copy(t.begin(), t.end(), b.begin() + 1);
        return b;
    };
    std::vector<uint8_t> expected;
    for (const auto& piece : {str("Styles"), std::vector<uint8_t>{11}, str("tsBold"), str("tsUnderline"), str(""),
                              str("Items"), std::vector<uint8_t>{14, 1}, str("Caption"), std::vector<uint8_t>{6},
                              str("a"), str("Width"), std::vector<uint8_t>{2, 2, 0, 1, 0, 0}})
        expected.insert(expected.end(), piece.begin(), piece.end());
    EXPECT_EQ(s.Bytes(), expected);

    auto* back = TComponent::Create<TTestWidget>(owner.get());
    back->Items()->Add();
    back->Items()->Add();
    back->Items()->Add();  // reading replaces what was there
    const uint8_t end = 0;
    s.WriteBuffer(&end, 1);  // properties end where their list does
    s.SetPosition(0);
    TReader reader(s);
    reader.ReadProperties(*back);
    EXPECT_EQ(s.Position(), s.Size() - 1);
    EXPECT_EQ(back->styles, w->styles);
    ASSERT_EQ(back->Items()->Count(), 2);
    EXPECT_EQ(back->Items()->ItemAs<TTestItem>(0)->caption, "a");
    EXPECT_EQ(back->Items()->ItemAs<TTestItem>(0)->width, 2);
    EXPECT_EQ(back->Items()->ItemAs<TTestItem>(1)->caption, "");
}

}  // namespace
}  // namespace formtest
