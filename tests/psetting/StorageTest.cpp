// A setting stores itself under its key in the registry format of its kind
// and restores itself from it; unchanged values are removed; bad stored
// values are ignored.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "StorageTestUtil.h"
#include "platform/core/Strings.h"
#include "platform/win/Registry.h"

namespace storagetest {
namespace {

using regtest::TRawValue;

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

// Equal kinds and equal cells of that kind.
void ExpectSameValue(const TPValue& actual, const TPValue& expected) {
    ASSERT_EQ(int(actual.Kind), int(expected.Kind));
    switch (expected.Kind) {
        case pvkString:
        case pvkVariant:
        case pvkStrings: EXPECT_EQ(actual.Text, expected.Text); break;
        case pvkInteger: EXPECT_EQ(actual.Integer, expected.Integer); break;
        case pvkFloat:
        case pvkDateTime: EXPECT_EQ(actual.Float, expected.Float); break;
        case pvkBoolean: EXPECT_EQ(actual.Boolean, expected.Boolean); break;
        default: break;
    }
}

// 1.5 and 45000.5 as 10-byte extended numbers.
const Bytes kOneAndHalf{0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0xFF, 0x3F};
const Bytes kDate{0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xC8, 0xAF, 0x0E, 0x40};

TEST_F(StorageTest, ValueGoesUnderTheBaseKeyByNameOrUnderTheBoundPath) {
    struct Case {
        std::string name, bound, key, value;
    };
    const Case cases[] = {
        {"Width", "", "K", "Width"},
        {"Width", "Button.Down", "K", "Width"},  // a name wins
        {"", "Button.Down", "K\\Button", "Down"},
        {"", "Button.Font.Name", "K\\Button\\Font", "Name"},
        {"", "Caption", "K", "Caption"},
        {"", "", "K", ""},
    };
    for (const Case& c : cases) {
        TPSetting& s = Free(c.name);
        s.BoundProperty = c.bound;
        std::string keyName = "stale", valueName = "stale";
        s.GetRegistryLocation("K", keyName, valueName);
        EXPECT_EQ(keyName, c.key) << c.name << "/" << c.bound;
        EXPECT_EQ(valueName, c.value) << c.name << "/" << c.bound;
    }
}

TEST_F(StorageTest, EveryKindIsStoredInItsFormatAndReadBack) {
    struct Case {
        const char* what;
        std::function<void(TPSetting&)> set;
        std::optional<TRawValue> stored;
    };
    TStringList lines;
    lines.Add("a");
    lines.Add("č");  // 0xE8 in code page 1250
    const Case cases[] = {
        {"string", [](TPSetting& s) { s.SetAsString("Žluťoučký"); }, TRawValue{REG_SZ, regtest::Utf16Sz("Žluťoučký")}},
        {"empty string", [](TPSetting& s) { s.SetAsString(""); }, TRawValue{REG_SZ, {0, 0}}},
        {"integer", [](TPSetting& s) { s.SetAsInteger(-5); }, TRawValue{REG_DWORD, {0xFB, 0xFF, 0xFF, 0xFF}}},
        {"float", [](TPSetting& s) { s.SetAsFloat(1.5L); }, TRawValue{REG_BINARY, Join({Int32(3), kOneAndHalf})}},
        {"true", [](TPSetting& s) { s.SetAsBoolean(true); }, TRawValue{REG_BINARY, {4, 0, 0, 0, 1}}},
        {"false", [](TPSetting& s) { s.SetAsBoolean(false); }, TRawValue{REG_BINARY, {4, 0, 0, 0, 0}}},
        {"date", [](TPSetting& s) { s.SetAsDateTime(45000.5); }, TRawValue{REG_BINARY, Join({Int32(5), kDate})}},
        {"variant", [](TPSetting& s) { s.SetAsVariant(TVariant("x y")); },
         TRawValue{REG_BINARY, Join({Int32(6), Counted(Ascii("x y"))})}},
        {"strings", [&](TPSetting& s) { s.SetAsStrings(lines); },
         TRawValue{REG_BINARY, Join({Int32(7), Counted({'a', 13, 10, 0xE8, 13, 10})})}},
        {"none", [](TPSetting&) {}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPSetting& out = Free(c.what);
        c.set(out);
        out.WriteToRegistry(reg, key.Path(), false);
        EXPECT_EQ(reg.CurrentKey(), nullptr);  // closed again
        EXPECT_EQ(Stored(c.what), c.stored);
        EXPECT_TRUE(regtest::RawKeyExists(key.Path()));  // created even for nothing to write

        TPSetting& in = Free(c.what);
        in.SetAsInteger(77);
        in.ReadFromRegistry(reg, key.Path());
        EXPECT_EQ(reg.CurrentKey(), nullptr);
        if (c.stored) {
            ExpectSameValue(in.Value, out.Value);
        } else {
            ExpectSameValue(in.Value, TPValue{pvkInteger, false, 0, 77, {}, nullptr});
        }
    }
}

TEST_F(StorageTest, BoundPropertiesAreStoredUnderTheirComponentsKey) {
    form.gizmo1->Active = true;
    form.gizmo1->Count = 42;
    form.gizmo1->Ratio = 1.5;
    form.gizmo1->Caption = "Ahoj";
    TPSetting& active = Bound("Gizmo1.Active");
    TPSetting& count = Bound("Gizmo1.Count");
    TPSetting& ratio = Bound("Gizmo1.Ratio");
    TPSetting& caption = Bound("Gizmo1.Caption");
    for (TPSetting* s : {&active, &count, &ratio, &caption}) s->WriteToRegistry(reg, key.Path(), true);

    EXPECT_EQ(Stored("Active", "Gizmo1"), (TRawValue{REG_SZ, regtest::Utf16Sz("True")}));
    EXPECT_EQ(Stored("Count", "Gizmo1"), (TRawValue{REG_DWORD, {42, 0, 0, 0}}));
    EXPECT_EQ(Stored("Ratio", "Gizmo1"), (TRawValue{REG_BINARY, Join({Int32(3), kOneAndHalf})}));
    EXPECT_EQ(Stored("Caption", "Gizmo1"), (TRawValue{REG_SZ, regtest::Utf16Sz("Ahoj")}));

    form.gizmo1->Active = false;
    form.gizmo1->Count = 0;
    form.gizmo1->Ratio = 0;
    form.gizmo1->Caption.clear();
    for (TPSetting* s : {&active, &count, &ratio, &caption}) s->ReadFromRegistry(reg, key.Path());
    EXPECT_TRUE(form.gizmo1->Active);
    EXPECT_EQ(form.gizmo1->Count, 42);
    EXPECT_EQ(form.gizmo1->Ratio, 1.5);
    EXPECT_EQ(form.gizmo1->Caption, "Ahoj");
}

TEST_F(StorageTest, CollectionIsStoredWholeInTheComponentStreamEncoding) {
    auto* one = static_cast<TGizmoItem*>(form.gizmo1->Items()->Add());
    one->Title = "One";
    one->Rank = 1;
    static_cast<TGizmoItem*>(form.gizmo1->Items()->Add())->Title = "Two";
    TPSetting& items = Bound("Gizmo1.Items");
    items.WriteToRegistry(reg, key.Path(), true);

    const Bytes title = Join({{5}, Ascii("Title")}), rank = Join({{4}, Ascii("Rank")});
    const Bytes first = Join({{1}, title, {6, 3}, Ascii("One"), rank, {2, 1}, {0}});
    const Bytes second = Join({{1}, title, {6, 3}, Ascii("Two"), rank, {2, 0}, {0}});
    const Bytes expected = Join({Int32(9), {14}, first, second, {0}});
    const std::optional<TRawValue> stored = Stored("Items", "Gizmo1");
    ASSERT_TRUE(stored);
    EXPECT_EQ(*stored, (TRawValue{REG_BINARY, expected}));

    form.gizmo1->Items()->Clear();
    form.gizmo1->Items()->Add();
    items.ReadFromRegistry(reg, key.Path());
    ASSERT_EQ(form.gizmo1->Items()->Count(), 2);
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title, "One");
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Rank, 1);
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(1)->Title, "Two");

    // A value that breaks off inside the second item leaves the items as
    // they were, not cut short.
    Bytes cut = expected;
    cut.resize(cut.size() - 6);
    Store("Items", REG_BINARY, cut, "Gizmo1");
    form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title = "Kept";
    items.ReadFromRegistry(reg, key.Path());
    ASSERT_EQ(form.gizmo1->Items()->Count(), 2);
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title, "Kept");
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(1)->Title, "Two");

    // Without the collection marker it is not a collection value.
    Bytes unmarked = expected;
    unmarked[4] = 1;
    Store("Items", REG_BINARY, unmarked, "Gizmo1");
    items.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title, "Kept");
}

// Other readers of these values know strings only as code-page bytes (tags 6
// and 12); UTF-8 (tag 20) is left for text the code page cannot hold. The
// tests run with code page 1250.
TEST_F(StorageTest, CollectionTextIsStoredInTheCodePageWhereverItFits) {
    struct Case {
        const char* what;
        std::string title;
        Bytes encoded;
    };
    const Case cases[] = {
        {"ASCII", "tea", {6, 3, 't', 'e', 'a'}},
        {"code page 1250", "\xC4\x8D" "aj", {6, 3, 0xE8, 'a', 'j'}},
        {"code page 1250, 256 bytes", "\xC5\xAF" + std::string(255, 'a'),
         Join({{12}, Int32(256), {0xF9}, Bytes(255, 'a')})},
        // n with tilde has no byte in code page 1250.
        {"outside the code page", "\xC4\x8D" "a\xC3\xB1", {20, 5, 0, 0, 0, 0xC4, 0x8D, 'a', 0xC3, 0xB1}},
    };
    TPSetting& items = Bound("Gizmo1.Items");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.gizmo1->Items()->Clear();
        auto* item = static_cast<TGizmoItem*>(form.gizmo1->Items()->Add());
        item->Title = c.title;
        item->Rank = 1;
        items.WriteToRegistry(reg, key.Path(), true);
        const Bytes expected = Join({Int32(9), {14, 1, 5}, Ascii("Title"), c.encoded, {4}, Ascii("Rank"), {2, 1, 0, 0}});
        EXPECT_EQ(Stored("Items", "Gizmo1"), (TRawValue{REG_BINARY, expected}));

        item->Title = "other";
        items.ReadFromRegistry(reg, key.Path());
        ASSERT_EQ(form.gizmo1->Items()->Count(), 1);
        EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title, c.title);
    }
}

TEST_F(StorageTest, HiddenPropertyIsStoredAsItsOwnStreamData) {
    form.gizmo1->Secret = "psst";
    TPSetting& secret = Bound("Gizmo1.Secret");
    secret.WriteToRegistry(reg, key.Path(), true);
    EXPECT_EQ(Stored("Secret", "Gizmo1"), (TRawValue{REG_BINARY, Join({Int32(8), {6, 4}, Ascii("psst")})}));

    form.gizmo1->Secret = "other";
    secret.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Secret, "psst");

    // Data its reader cannot take leaves the property as it was.
    Store("Secret", REG_BINARY, Join({Int32(8), {6, 9}, Ascii("ab")}), "Gizmo1");
    secret.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Secret, "psst");
}

TEST_F(StorageTest, BadStoredValuesLeaveTheSettingAsItWas) {
    struct Case {
        const char* what;
        DWORD type;
        Bytes bytes;
    };
    const Case cases[] = {
        {"expand string", REG_EXPAND_SZ, regtest::Utf16Bytes("12")},
        {"multi string", REG_MULTI_SZ, {'1', 0, 0, 0, 0, 0}},
        {"qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"short dword", REG_DWORD, {1, 0}},
        {"long dword", REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"dword of 5 bytes", REG_DWORD, {1, 0, 0, 0, 0}},
        {"empty binary", REG_BINARY, {}},
        {"short kind", REG_BINARY, {3, 0}},
        {"kind 0", REG_BINARY, Join({Int32(0), Int32(1)})},
        {"kind 1", REG_BINARY, Join({Int32(1), Counted(Ascii("text"))})},
        {"kind 2", REG_BINARY, Join({Int32(2), Int32(5)})},
        {"kind 10", REG_BINARY, Join({Int32(10), Int32(5)})},
        {"kind -1", REG_BINARY, Join({Int32(-1), Int32(5)})},
        {"short extended", REG_BINARY, Join({Int32(3), Bytes(kOneAndHalf.begin(), kOneAndHalf.end() - 1)})},
        {"no boolean", REG_BINARY, Int32(4)},
        {"short date", REG_BINARY, Join({Int32(5), {0, 0, 0}})},
        {"negative count", REG_BINARY, Join({Int32(6), Int32(-1), Ascii("abc")})},
        {"count beyond data", REG_BINARY, Join({Int32(7), Int32(10), Ascii("abc")})},
        {"short count", REG_BINARY, Join({Int32(6), {3, 0}})},
        {"hidden, not bound", REG_BINARY, Join({Int32(8), {6, 1, 'x'}})},
        {"collection, not bound", REG_BINARY, Join({Int32(9), {14, 0}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store("V", c.type, c.bytes);
        TPSetting& s = Free("V");
        s.SetAsInteger(77);
        EXPECT_NO_THROW(s.ReadFromRegistry(reg, key.Path()));
        ExpectSameValue(s.Value, TPValue{pvkInteger, false, 0, 77, {}, nullptr});
        EXPECT_EQ(reg.CurrentKey(), nullptr);

        // A bound property keeps its value as well.
        Store("Count", c.type, c.bytes, "Gizmo1");
        form.gizmo1->Count = 5;
        EXPECT_NO_THROW(Bound("Gizmo1.Count").ReadFromRegistry(reg, key.Path()));
        EXPECT_EQ(form.gizmo1->Count, 5);
    }
}

TEST_F(StorageTest, TheValueRecordGoesToThePropertyUnlessTheValueIsMissing) {
    form.gizmo1->Count = 3;
    TPSetting& count = Bound("Gizmo1.Count");
    count.Value.Kind = pvkInteger;
    count.Value.Integer = 9;
    count.ReadFromRegistry(reg, key.Path());  // no key
    regtest::RawCreateKey(key.Sub("Gizmo1"));
    count.ReadFromRegistry(reg, key.Path());  // no value
    EXPECT_EQ(form.gizmo1->Count, 3);
    Store("Count", REG_EXPAND_SZ, regtest::Utf16Bytes("1"), "Gizmo1");
    count.ReadFromRegistry(reg, key.Path());  // a value, not decoded
    EXPECT_EQ(form.gizmo1->Count, 9);
}

TEST_F(StorageTest, UnchangedValuesAreRemovedWithTheKeysTheyLeaveEmpty) {
    form.gizmo1->Count = 4;
    form.gizmo2->Count = 4;
    TPSetting& alone = Bound("Gizmo1.Count");
    TPSetting& shared = Bound("Gizmo2.Count");
    alone.StoreDefault();
    shared.StoreDefault();
    Store("Count", REG_DWORD, Int32(8), "Gizmo1");
    Store("Count", REG_DWORD, Int32(8), "Gizmo2");
    Store("Other", REG_DWORD, Int32(1), "Gizmo2");

    alone.WriteToRegistry(reg, key.Path(), false);
    shared.WriteToRegistry(reg, key.Path(), false);
    EXPECT_FALSE(regtest::RawKeyExists(key.Sub("Gizmo1")));
    EXPECT_FALSE(Stored("Count", "Gizmo2"));
    EXPECT_TRUE(Stored("Other", "Gizmo2"));
    EXPECT_EQ(reg.CurrentKey(), nullptr);

    // Nothing stored, nothing to remove; SaveAll writes even the default.
    alone.WriteToRegistry(reg, key.Path(), false);
    EXPECT_FALSE(regtest::RawKeyExists(key.Sub("Gizmo1")));
    alone.WriteToRegistry(reg, key.Path(), true);
    EXPECT_EQ(Stored("Count", "Gizmo1"), (TRawValue{REG_DWORD, Int32(4)}));

    // A changed value is written without SaveAll.
    form.gizmo2->Count = 6;
    shared.WriteToRegistry(reg, key.Path(), false);
    EXPECT_EQ(Stored("Count", "Gizmo2"), (TRawValue{REG_DWORD, Int32(6)}));
}

TEST_F(StorageTest, AKeyWithSubKeysStaysWhenItsLastValueIsRemoved) {
    // Part.Name lives in Gizmo1\Part: removing Gizmo1's own last value must
    // not take that sub-key and its value with it.
    form.gizmo1->Count = 4;
    form.gizmo1->Part()->Name = "changed";
    TPSetting& part = Bound("Gizmo1.Part.Name");
    TPSetting& count = Bound("Gizmo1.Count");
    part.StoreDefault();
    count.StoreDefault();
    form.gizmo1->Part()->Name = "new";
    Store("Count", REG_DWORD, Int32(8), "Gizmo1");

    part.WriteToRegistry(reg, key.Path(), false);
    count.WriteToRegistry(reg, key.Path(), false);
    EXPECT_FALSE(Stored("Count", "Gizmo1"));
    EXPECT_EQ(Stored("Name", "Gizmo1\\Part"), (TRawValue{REG_SZ, regtest::Utf16Sz("new")}));
}

TEST_F(StorageTest, SettingsTiedToAnApplicationSettingAreNeitherWrittenNorRead) {
    TPSetting& s = Free("V");
    s.RelAppSetting = "Shared";
    s.SetAsInteger(1);
    s.WriteToRegistry(reg, key.Path(), true);
    EXPECT_FALSE(regtest::RawKeyExists(key.Path()));

    Store("V", REG_DWORD, Int32(2));
    s.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(s.Value.Integer, 1);

    // Bound ones too, whatever their property holds.
    form.gizmo1->Count = 3;
    TPSetting& bound = Bound("Gizmo1.Count");
    bound.RelAppSetting = "Shared";
    Store("Count", REG_DWORD, Int32(2), "Gizmo1");
    bound.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Count, 3);
}

TEST_F(StorageTest, AKeyThatCannotBeMadeEndsTheSaveWithTheRegistryError) {
    TPSetting& s = Free("V");
    s.SetAsInteger(1);
    const std::string uncreatable = key.Path() + "\\" + std::string(300, 'x');
    EXPECT_EQ(Message([&] { s.WriteToRegistry(reg, uncreatable, true); }), "Failed to set data for 'V'");

    // An earlier key left open does not receive the value instead.
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    EXPECT_THROW(s.WriteToRegistry(reg, uncreatable, true), ERegistryException);
    EXPECT_FALSE(Stored("V"));

    TPSetting& empty = Free("E");
    EXPECT_NO_THROW(empty.WriteToRegistry(reg, uncreatable, true));  // nothing to write
}

}  // namespace
}  // namespace storagetest
