// The scrambled form: exact bytes for a known key and first byte, values
// stored by earlier versions, exact round trips of payloads holding the
// byte 255, and values that no longer decode.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "StorageTestUtil.h"
#include "psetting/Scramble.h"

namespace storagetest {
namespace {

using regtest::TRawValue;

uint8_t g_seed = 0;

// Fixes R for the scope.
class TFixedSeed {
public:
    explicit TFixedSeed(uint8_t r) : previous_(scramble::SetSeedSource(&Seed)) { g_seed = r; }
    TFixedSeed(const TFixedSeed&) = delete;
    TFixedSeed& operator=(const TFixedSeed&) = delete;
    ~TFixedSeed() { scramble::SetSeedSource(previous_); }

private:
    static uint8_t Seed() { return g_seed; }
    scramble::TSeedSource previous_;
};

// Scrambled with R = 0x2A under the key "Pwd" (a free setting named Pwd).
const Bytes kAbc{0x2A, 0x7F, 0x58, 0x4B, 0x7F, 0xF4, 0xB7, 0x77, 0x01, 0xA5, 0x92,
                 0xB5, 0xA6, 0x92, 0xB2, 0xA1, 0x95, 0xB2, 0x43, 0xD9, 0x9B};
const Bytes kThousand{0x2A, 0x7F, 0x58, 0x4B, 0x7F, 0xF4, 0xB7, 0x77, 0x01,
                      0xA5, 0x93, 0xB4, 0xA7, 0x93, 0xDB, 0xCB, 0xFF, 0xD8};
const Bytes kTrue{0x2A, 0x7F, 0x58, 0x4B, 0x7F, 0xF4, 0xB7, 0x77, 0x01, 0xA5, 0x95, 0xB2, 0xA1, 0x95, 0xB1};
const Bytes kNothing{0x2A, 0x7F, 0x58, 0x4B, 0x7F, 0xF4, 0xB7, 0x77, 0x01, 0xA5, 0x91, 0xB6, 0xA5, 0x91};
// -2 holds three bytes 255: the "TPSOE" form, 254 0 for 254 and 254 1 for 255.
const Bytes kMinusTwo{0x2A, 0x7F, 0x58, 0x4B, 0x7F, 0xF4, 0xB7, 0x77, 0x01, 0xDF, 0xED,
                      0xCA, 0xD9, 0xED, 0xCB, 0xD8, 0xEB, 0xCB, 0xDF, 0xEC, 0xCC, 0xD8};
// "abc" with R = 255 under "Pwd", and with R = 7 under the empty key.
const Bytes kAbcR255{0xFF, 0x55, 0x72, 0x61, 0x55, 0x2E, 0xCD, 0xAC, 0x3B, 0xF3, 0xC8,
                     0xEF, 0xFC, 0xC8, 0xEC, 0xFF, 0xCB, 0xEC, 0x98, 0x0F, 0xB5};
const Bytes kAbcNoKey{0x07, 0x0C, 0x0C, 0x0C, 0x0C, 0x60, 0xB0, 0x04, 0x53, 0x9E, 0x9F,
                      0x9F, 0x9F, 0x9F, 0xA2, 0xA2, 0xA2, 0xA2, 0x04, 0x66, 0xC9};

const Bytes kMagic = Counted(Ascii("TPSOK"));

bool SameValue(const TPValue& a, const TPValue& b) {
    if (a.Kind != b.Kind) return false;
    switch (a.Kind) {
        case pvkString:
        case pvkVariant:
        case pvkStrings: return a.Text == b.Text;
        case pvkInteger: return a.Integer == b.Integer;
        case pvkFloat:
        case pvkDateTime: return a.Float == b.Float;
        case pvkBoolean: return a.Boolean == b.Boolean;
        default: return true;
    }
}

class ScrambleTest : public StorageTest {};

TEST_F(ScrambleTest, KnownKeyAndFirstByteGiveTheseBytes) {
    struct Case {
        const char* what;
        std::function<void(TPSetting&)> set;
        Bytes stored;
    };
    const Case cases[] = {
        {"string", [](TPSetting& s) { s.SetAsString("abc"); }, kAbc},
        {"integer", [](TPSetting& s) { s.SetAsInteger(1000); }, kThousand},
        {"boolean", [](TPSetting& s) { s.SetAsBoolean(true); }, kTrue},
        {"nothing", [](TPSetting&) {}, kNothing},
        {"negative integer", [](TPSetting& s) { s.SetAsInteger(-2); }, kMinusTwo},
    };
    const TFixedSeed seed(0x2A);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TPSetting& s = Free("Pwd", true);
        c.set(s);
        EXPECT_EQ(s.GetEncryptedSize(), int(c.stored.size()));
        s.WriteToRegistry(reg, key.Path(), true);
        EXPECT_EQ(Stored("Pwd"), (TRawValue{REG_BINARY, c.stored}));
    }
}

TEST_F(ScrambleTest, WithoutNameAndBoundPropertyTheKeyCountsAsZeros) {
    const TFixedSeed seed(7);
    TPSetting& out = Free("", true);
    out.SetAsString("abc");
    out.WriteToRegistry(reg, key.Path(), true);
    EXPECT_EQ(Stored(""), (TRawValue{REG_BINARY, kAbcNoKey}));
    TPSetting& in = Free("", true);
    in.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(in.Value.Kind, pvkString);
    EXPECT_EQ(in.Value.Text, "abc");
}

TEST_F(ScrambleTest, SizeIsFourteenPlusThePayload) {
    TPSetting& s = Free("Pwd", true);
    EXPECT_EQ(s.GetEncryptedSize(), 14);
    s.SetAsString("čau");  // three bytes in the code page
    EXPECT_EQ(s.GetEncryptedSize(), 14 + 4 + 3);
    s.SetAsInteger(7);
    EXPECT_EQ(s.GetEncryptedSize(), 14 + 4);
    s.SetAsFloat(0.25L);
    EXPECT_EQ(s.GetEncryptedSize(), 14 + 10);
    s.SetAsBoolean(false);
    EXPECT_EQ(s.GetEncryptedSize(), 14 + 1);
}

TEST_F(ScrambleTest, ValuesStoredByEarlierVersionsDecode) {
    struct Case {
        const char* what;
        std::string name;
        Bytes stored;
        TPValue expected;
    };
    const Case cases[] = {
        {"string", "Pwd", kAbc, {pvkString, false, 0, 0, "abc", nullptr}},
        {"integer", "Pwd", kThousand, {pvkInteger, false, 0, 1000, {}, nullptr}},
        {"boolean", "Pwd", kTrue, {pvkBoolean, true, 0, 0, {}, nullptr}},
        {"first byte 255", "Pwd", kAbcR255, {pvkString, false, 0, 0, "abc", nullptr}},
        {"no key", "", kAbcNoKey, {pvkString, false, 0, 0, "abc", nullptr}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store(c.name, REG_BINARY, c.stored);
        TPSetting& s = Free(c.name, true);
        s.ReadFromRegistry(reg, key.Path());
        EXPECT_TRUE(SameValue(s.Value, c.expected)) << int(s.Value.Kind) << " " << s.Value.Text;
    }
}

TEST_F(ScrambleTest, PayloadsWithTheByte255RoundTripExactly) {
    TStringList lines;
    lines.Add("\xCB\x99");  // U+02D9, byte 255 in code page 1250
    const std::function<void(TPSetting&)> setters[] = {
        [](TPSetting& s) { s.SetAsInteger(-1); },
        [](TPSetting& s) { s.SetAsInteger(INT_MIN); },
        [](TPSetting& s) { s.SetAsInteger(0x00FF00FE); },
        [](TPSetting& s) { s.SetAsFloat(1.5L); },  // exponent 0x3FFF
        [](TPSetting& s) { s.SetAsFloat(-1.0L); },
        [](TPSetting& s) { s.SetAsFloat(-12345.678L); },
        [](TPSetting& s) { s.SetAsDateTime(-1.25); },
        [](TPSetting& s) { s.SetAsString("a\xCB\x99z"); },
        [](TPSetting& s) { s.SetAsString(std::string(255, 'x')); },  // count 255
        [](TPSetting& s) { s.SetAsVariant(TVariant("\xCB\x99")); },
        [&](TPSetting& s) { s.SetAsStrings(lines); },
        [](TPSetting& s) { s.SetAsString("\xC5\xBE\xC5\xA3\xCB\x99"); },  // žţ˙: 0x9E, the escape 0xFE, 0xFF
    };
    for (const uint8_t r : {uint8_t(0), uint8_t(1), uint8_t(0x2A), uint8_t(254), uint8_t(255)}) {
        const TFixedSeed seed(r);
        for (size_t i = 0; i < std::size(setters); ++i) {
            SCOPED_TRACE(testing::Message() << "R " << int(r) << ", case " << i);
            const std::string name = "V" + std::to_string(i);
            TPSetting& out = Free(name, true);
            setters[i](out);
            out.WriteToRegistry(reg, key.Path(), true);
            TPSetting& in = Free(name, true);
            in.ReadFromRegistry(reg, key.Path());
            EXPECT_TRUE(SameValue(in.Value, out.Value)) << int(in.Value.Kind) << " " << in.Value.Text;
        }
    }
}

TEST_F(ScrambleTest, TheMendedFormIsNoValueForReadersOfTheOldOne) {
    const TFixedSeed seed(0x2A);
    for (const int32_t v : {-2, 255, 1000}) {
        TPSetting& s = Free("Pwd", true);
        s.SetAsInteger(v);
        std::vector<uint8_t> buffer(size_t(s.GetEncryptedSize()));
        s.EncryptValue(buffer);
        const Bytes plain = scramble::Unscramble(buffer.data(), buffer.size(), "Pwd");
        const bool oldMagic = plain.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), plain.begin());
        EXPECT_EQ(oldMagic, v == 1000) << v;
    }
}

TEST_F(ScrambleTest, AnotherUniqueNameNoLongerDecodesTheValue) {
    form.gizmo1->Count = 42;
    TPSetting& original = Bound("Gizmo1.Count", true);
    original.Name = "Cnt";  // the value name stays Cnt, the key changes with the path
    original.WriteToRegistry(reg, key.Path(), true);
    ASSERT_TRUE(Stored("Cnt"));

    form.gizmo2->Count = 5;
    TPSetting& renamed = Bound("Gizmo2.Count", true);
    renamed.Name = "Cnt";
    renamed.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(renamed.Value.Kind, pvkNone);
    EXPECT_EQ(form.gizmo2->Count, 5);

    form.gizmo1->Count = 0;
    original.ReadFromRegistry(reg, key.Path());
    EXPECT_EQ(form.gizmo1->Count, 42);
}

TEST_F(ScrambleTest, BlocksThatDoNotDecodeLeaveTheSettingEmpty) {
    auto scrambled = [](const Bytes& plain) { return scramble::Scramble(plain, "Pwd", 0x2A); };
    struct Case {
        const char* what;
        Bytes stored;
    };
    const Case cases[] = {
        {"bad magic", scrambled(Join({Counted(Ascii("TPSOX")), Int32(2), Int32(1)}))},
        {"short magic", scrambled(Counted(Ascii("TPS")))},
        {"kind 0", scrambled(Join({kMagic, Int32(0)}))},
        {"kind 10", scrambled(Join({kMagic, Int32(10), Int32(1)}))},
        {"no kind", scrambled(kMagic)},
        {"short integer", scrambled(Join({kMagic, Int32(2), {1, 2, 3}}))},
        {"short string", scrambled(Join({kMagic, Int32(1), Int32(9), Ascii("abc")}))},
        {"negative count", scrambled(Join({kMagic, Int32(7), Int32(-3)}))},
        {"broken escape", scrambled(Join({Counted(Ascii("TPSOE")), Int32(2), {254, 7, 0, 0, 0}}))},
        {"escape at the end", scrambled(Join({Counted(Ascii("TPSOE")), Int32(2), {1, 0, 0, 254}}))},
        {"first byte only", {0x2A}},
        {"no data", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Store("Pwd", REG_BINARY, c.stored);
        TPSetting& s = Free("Pwd", true);
        s.SetAsInteger(77);
        EXPECT_NO_THROW(s.ReadFromRegistry(reg, key.Path()));
        EXPECT_EQ(s.Value.Kind, pvkNone);
    }

    // A value that is not binary at all cannot be read: the setting keeps its value.
    for (const DWORD type : {DWORD(REG_SZ), DWORD(REG_DWORD)}) {
        Store("Pwd", type, {'1', 0, 0, 0});
        TPSetting& s = Free("Pwd", true);
        s.SetAsInteger(77);
        s.ReadFromRegistry(reg, key.Path());
        EXPECT_TRUE(SameValue(s.Value, {pvkInteger, false, 0, 77, {}, nullptr}));
    }
}

TEST_F(ScrambleTest, CollectionsAndHiddenPropertiesAreScrambledWhole) {
    const TFixedSeed seed(0x2A);
    static_cast<TGizmoItem*>(form.gizmo1->Items()->Add())->Title = "One";
    static_cast<TGizmoItem*>(form.gizmo1->Items()->Add())->Rank = -1;
    form.gizmo1->Secret = "psst";
    TPSetting& items = Bound("Gizmo1.Items", true);
    TPSetting& secret = Bound("Gizmo1.Secret", true);
    items.WriteToRegistry(reg, key.Path(), true);
    secret.WriteToRegistry(reg, key.Path(), true);
    // 14 bytes, then tag 6, its length and the four letters.
    EXPECT_EQ(Stored("Secret", "Gizmo1")->bytes.size(), 14u + 6u);

    form.gizmo1->Items()->Clear();
    form.gizmo1->Secret.clear();
    items.ReadFromRegistry(reg, key.Path());
    secret.ReadFromRegistry(reg, key.Path());
    ASSERT_EQ(form.gizmo1->Items()->Count(), 2);
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(0)->Title, "One");
    EXPECT_EQ(form.gizmo1->Items()->ItemAs<TGizmoItem>(1)->Rank, -1);
    EXPECT_EQ(form.gizmo1->Secret, "psst");
}

TEST(ScrambleCodec, TheChainModulo255LosesOnlyTheByte255) {
    Bytes plain;
    for (int b = 0; b < 256; ++b) plain.push_back(uint8_t(b));
    const Bytes back = [&] {
        const Bytes c = scramble::Scramble(plain, "Key_1", 0x2A);
        return scramble::Unscramble(c.data(), c.size(), "Key_1");
    }();
    ASSERT_EQ(back.size(), plain.size());
    EXPECT_TRUE(std::equal(plain.begin(), plain.end() - 1, back.begin()));
    EXPECT_EQ(back.back(), 0);  // why blocks with a 255 use the escaped form

    const auto opened = scramble::OpenBlock(scramble::MakeBlock(plain));
    ASSERT_TRUE(opened);
    EXPECT_EQ(*opened, plain);
}

}  // namespace
}  // namespace storagetest
