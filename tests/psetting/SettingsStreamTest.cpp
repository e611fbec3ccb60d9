// The "Settings" stream property of the settings components in its form and
// application variants: golden bytes, when it is written, and reading it
// back with the owner rule and the duplicate check.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "tests/psetting/SettingTestComponents.h"
#include "tests/psetting/SettingsTestContainer.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Append(Bytes& out, const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }

Bytes Short(const std::string& s) {
    Bytes b{6, uint8_t(s.size())};
    Append(b, s);
    return b;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// What the settings component's DefineProperties writes, with or without an ancestor.
Bytes WrittenProperty(TTestSettings& settings, TPersistent* ancestor = nullptr) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.SetAncestor(ancestor);
    settings.DefineProperties(writer);
    return stream.Bytes();
}

// Reads `value` as the "Settings" property of `settings`, as a form stream does.
void ReadProperty(TTestSettings& settings, const Bytes& value) {
    Bytes stream{8};
    Append(stream, "Settings");
    stream = stream + value + Bytes{0};
    TMemoryStream in(stream);
    TReader reader(in);
    reader.ReadProperties(settings);
}

TPSetting* Item(TComponent* owner, const std::string& name, const std::string& bound, const std::string& related,
                bool encrypted) {
    auto* s = TComponent::Create<TPSetting>(owner);
    s->Name = name;
    s->BoundProperty = bound;
    s->RelAppSetting = related;
    s->Encrypted = encrypted;
    return s;
}

struct Fixture {
    TGizmoForm f;
    TTestSettings* settings = TComponent::Create<TTestSettings>(f.form.get());
};

}  // namespace

TEST(SettingsStream, FormVariantGoldenBytes) {
    Fixture x;
    x.settings->AddSetting(Item(x.f.form.get(), "", "BoldBtn.Down", "", false));
    x.settings->AddSetting(Item(x.f.form.get(), "N", "", "Rel", true));
    const Bytes list = Bytes{1} + Short("") + Short("BoldBtn.Down") + Short("") + Bytes{8} + Short("N") + Short("") +
                       Short("Rel") + Bytes{9} + Bytes{0};
    EXPECT_EQ(list, (Bytes{1, 6, 0, 6, 12, 'B', 'o', 'l', 'd', 'B', 't', 'n', '.', 'D', 'o', 'w', 'n', 6, 0, 8,
                           6, 1, 'N', 6, 0, 6, 3, 'R', 'e', 'l', 9, 0}));
    Bytes expected{8};
    Append(expected, "Settings");
    EXPECT_EQ(WrittenProperty(*x.settings), expected + list);
}

TEST(SettingsStream, ApplicationVariantGoldenBytes) {
    Fixture x;
    x.settings->appVariant = true;
    x.settings->AppendSetting(Item(x.f.form.get(), "FontList.ItemIndex", "ignored", "ignored", false));
    x.settings->AppendSetting(Item(x.f.form.get(), "TestMemo.Text", "", "", true));
    Bytes expected{8};
    Append(expected, "Settings");
    expected = expected + Bytes{1} + Short("FontList.ItemIndex") + Bytes{8} + Short("TestMemo.Text") + Bytes{9, 0};
    EXPECT_EQ(WrittenProperty(*x.settings), expected);
}

TEST(SettingsStream, WrittenOnlyWhenThereIsSomethingToSay) {
    Fixture x;
    EXPECT_TRUE(WrittenProperty(*x.settings).empty());  // empty list, no ancestor
    x.settings->appVariant = true;
    EXPECT_TRUE(WrittenProperty(*x.settings).empty());
    x.settings->appVariant = false;

    // With an ancestor it is written exactly when the lists differ, empty or not.
    Fixture ancestor;
    ancestor.settings->AddSetting(Item(ancestor.f.form.get(), "", "Gizmo1.Count", "", false));
    EXPECT_EQ(WrittenProperty(*x.settings, ancestor.settings), (Bytes{8, 'S', 'e', 't', 't', 'i', 'n', 'g', 's', 1, 0}));
    x.settings->AddSetting(Item(x.f.form.get(), "", "Gizmo1.Count", "", false));
    EXPECT_TRUE(WrittenProperty(*x.settings, ancestor.settings).empty());
    x.settings->Setting(0)->Encrypted = true;
    EXPECT_FALSE(WrittenProperty(*x.settings, ancestor.settings).empty());
}

TEST(SettingsStream, WritingBringsBoundPathsUpToDate) {
    Fixture x;
    x.settings->SetDesigning(true);
    TPSetting* s = Item(x.settings, "", "Gizmo1.Part.Name", "", false);
    x.settings->AddSetting(s);
    s->ResolveComponent();
    x.f.gizmo1->SetName("Renamed");
    const Bytes written = WrittenProperty(*x.settings);
    const Bytes tail = Bytes{1} + Short("") + Short("Renamed.Part.Name") + Short("") + Bytes{8, 0};
    ASSERT_GE(written.size(), tail.size());
    EXPECT_EQ(Bytes(written.end() - long(tail.size()), written.end()), tail);
    EXPECT_EQ(s->BoundProperty, "Renamed.Part.Name");
}

TEST(SettingsStream, FormItemsBelongToTheFormAtRunTimeAndDuplicatesAreDropped) {
    Fixture x;
    const Bytes item = Short("") + Short("Gizmo1.Count") + Short("") + Bytes{8};
    const Bytes other = Short("Name") + Short("") + Short("Rel") + Bytes{9};
    ReadProperty(*x.settings, Bytes{1} + item + other + item + Bytes{0});
    ASSERT_EQ(x.settings->SettingCount(), 2);
    const TPSetting* first = x.settings->Setting(0);
    EXPECT_EQ(first->BoundProperty, "Gizmo1.Count");
    EXPECT_FALSE(first->Encrypted);
    EXPECT_EQ(first->Owner(), x.f.form.get());
    const TPSetting* second = x.settings->Setting(1);
    EXPECT_EQ(second->Name, "Name");
    EXPECT_EQ(second->RelAppSetting, "Rel");
    EXPECT_TRUE(second->Encrypted);
    // The refused duplicate was freed: the form owns its three gizmos, the
    // settings component and the two settings.
    EXPECT_EQ(x.f.form->ComponentCount(), 6);
}

TEST(SettingsStream, FormItemsBelongToTheSettingsComponentAtDesignTime) {
    Fixture x;
    x.settings->SetDesigning(true);
    ReadProperty(*x.settings, Bytes{1} + Short("") + Short("Gizmo1.Count") + Short("") + Bytes{8, 0});
    ASSERT_EQ(x.settings->SettingCount(), 1);
    EXPECT_EQ(x.settings->Setting(0)->Owner(), x.settings);
}

TEST(SettingsStream, ApplicationItemsAreOwnerlessAndNotChecked) {
    Fixture x;
    x.settings->appVariant = true;
    const Bytes item = Short("TestGrid.Row") + Bytes{8};
    ReadProperty(*x.settings, Bytes{1} + item + item + Short("Secret") + Bytes{9, 0});
    ASSERT_EQ(x.settings->SettingCount(), 3);
    for (const TPSetting* s : x.settings->Settings()) EXPECT_EQ(s->Owner(), nullptr);
    EXPECT_EQ(x.settings->Setting(1)->Name, "TestGrid.Row");
    EXPECT_TRUE(x.settings->Setting(2)->Encrypted);
    EXPECT_EQ(x.settings->Setting(2)->BoundProperty, "");
}

TEST(SettingsStream, LongStringsUseTag12AndComeBack) {
    const std::string longName(256, 'n');
    const std::string longest(255, 'b');
    Fixture x;
    x.settings->AddSetting(Item(x.f.form.get(), longName, longest, "", false));
    const Bytes written = WrittenProperty(*x.settings);
    const size_t list = 9;  // after the property name
    ASSERT_GT(written.size(), list + 6);
    EXPECT_EQ(written[list], 1);
    EXPECT_EQ(Bytes(written.begin() + list + 1, written.begin() + list + 6), (Bytes{12, 0, 1, 0, 0}));
    EXPECT_EQ(written[list + 6 + 256], 6);  // 255 bytes still fit a short string
    EXPECT_EQ(written[list + 6 + 256 + 1], 255);

    Fixture y;
    ReadProperty(*y.settings, Bytes(written.begin() + list, written.end()));
    ASSERT_EQ(y.settings->SettingCount(), 1);
    EXPECT_EQ(y.settings->Setting(0)->Name, longName);
    EXPECT_EQ(y.settings->Setting(0)->BoundProperty, longest);
}

TEST(SettingsStream, NonAsciiTextsTravelInTheAnsiCodePage) {
    Fixture x;
    x.settings->appVariant = true;
    x.settings->AppendSetting(Item(x.f.form.get(), "\xC5\xA1", "", "", false));  // one byte in code page 1250
    const Bytes written = WrittenProperty(*x.settings);
    EXPECT_EQ(Bytes(written.begin() + 9, written.end()), (Bytes{1, 6, 1, 0x9A, 8, 0}));
    Fixture y;
    y.settings->appVariant = true;
    ReadProperty(*y.settings, Bytes(written.begin() + 9, written.end()));
    EXPECT_EQ(y.settings->Setting(0)->Name, "\xC5\xA1");
}

TEST(SettingsStream, BadTagsFailOrReadAsFalse) {
    // A string element with another tag: the reader's invalid-property-value error.
    for (uint8_t tag : {uint8_t(7), uint8_t(20), uint8_t(2)}) {
        SCOPED_TRACE(int(tag));
        Fixture x;
        const Bytes bad = Bytes{1, tag, 1, 'x'} + Short("") + Short("") + Bytes{8, 0};
        try {
            ReadProperty(*x.settings, bad);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& e) {
            EXPECT_STREQ(e.what(), "Invalid property value");
        }
        EXPECT_EQ(x.settings->SettingCount(), 0);
    }
    // A boolean element with any tag but 9 is false.
    Fixture y;
    ReadProperty(*y.settings, Bytes{1} + Short("") + Short("A.B") + Short("") + Bytes{13, 0});
    ASSERT_EQ(y.settings->SettingCount(), 1);
    EXPECT_FALSE(y.settings->Setting(0)->Encrypted);
    // Truncated data fails cleanly.
    Fixture z;
    EXPECT_THROW(ReadProperty(*z.settings, Bytes{1, 6, 5, 'a'}), EReadError);
}

TEST(SettingsStream, WholeRoundTripThroughAWriterAndReader) {
    Fixture x;
    x.settings->SetCompanyName("Orlenka");
    x.settings->AddSetting(Item(x.f.form.get(), "", "Gizmo1.Caption", "", false));
    x.settings->AddSetting(Item(x.f.form.get(), "Free", "", "", true));
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteProperties(*x.settings);
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    Fixture y;
    TReader reader(stream);
    reader.ReadProperties(*y.settings);
    EXPECT_EQ(y.settings->CompanyName(), "Orlenka");
    EXPECT_TRUE(TPSettings::SameSettings(*x.settings, *y.settings));
}

TEST(SettingsStream, AComponentWithoutTheListReadsAnEmptyOne) {
    Fixture x;
    x.settings->SetCompanyName("Orlenka");
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteProperties(*x.settings);
        writer.WriteListEnd();
    }
    const Bytes& bytes = stream.Bytes();
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("Settings"), std::string::npos);
    stream.SetPosition(0);
    Fixture y;
    TReader reader(stream);
    reader.ReadProperties(*y.settings);
    EXPECT_EQ(y.settings->SettingCount(), 0);
}
