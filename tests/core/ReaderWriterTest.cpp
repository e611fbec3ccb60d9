// The values of the component-stream encoding: golden bytes for every tag,
// read back; and the malformed inputs the reader must turn away.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/Text.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::initializer_list<int> list) {
    Bytes v;
    for (int b : list) v.push_back(uint8_t(b));
    return v;
}
Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Written(const std::function<void(TWriter&)>& write) {
    TMemoryStream s;
    TWriter w(s);
    write(w);
    return s.Bytes();
}

// Runs `read` over `bytes` and checks it used every byte.
void ReadAll(const Bytes& bytes, const std::function<void(TReader&)>& read) {
    TMemoryStream s(bytes);
    TReader r(s);
    read(r);
    EXPECT_EQ(s.Position(), s.Size()) << "bytes left unread";
}

std::string ReadError(const Bytes& bytes, const std::function<void(TReader&)>& read) {
    TMemoryStream s(bytes);
    TReader r(s);
    try {
        read(r);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "(no error)";
}

struct TagCase {
    const char* what;
    std::function<void(TWriter&)> write;
    Bytes bytes;
    std::function<void(TReader&)> read;
};

const std::string k255(255, 'x');
const std::string k256(256, 'y');

std::vector<TagCase> TagCases() {
    return {
        {"int8 low", [](TWriter& w) { w.WriteInteger(-128); }, B({2, 0x80}),
         [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -128); }},
        {"int8 high", [](TWriter& w) { w.WriteInteger(127); }, B({2, 0x7F}),
         [](TReader& r) { EXPECT_EQ(r.ReadInt64(), 127); }},
        {"int16", [](TWriter& w) { w.WriteInteger(128); }, B({3, 0x80, 0x00}),
         [](TReader& r) { EXPECT_EQ(r.ReadInteger(), 128); }},
        {"int16 low", [](TWriter& w) { w.WriteInteger(-129); }, B({3, 0x7F, 0xFF}),
         [](TReader& r) { EXPECT_EQ(r.ReadInteger(), -129); }},
        {"int32", [](TWriter& w) { w.WriteInteger(32768); }, B({4, 0x00, 0x80, 0x00, 0x00}),
         [](TReader& r) { EXPECT_EQ(r.ReadInteger(), 32768); }},
        {"int32 low", [](TWriter& w) { w.WriteInteger(INT32_MIN); }, B({4, 0, 0, 0, 0x80}),
         [](TReader& r) { EXPECT_EQ(r.ReadInteger(), INT32_MIN); }},
        {"int64", [](TWriter& w) { w.WriteInteger(int64_t(1) << 31); }, B({19, 0, 0, 0, 0x80, 0, 0, 0, 0}),
         [](TReader& r) { EXPECT_EQ(r.ReadInt64(), int64_t(1) << 31); }},
        {"int64 low", [](TWriter& w) { w.WriteInteger(INT64_MIN); }, B({19, 0, 0, 0, 0, 0, 0, 0, 0x80}),
         [](TReader& r) { EXPECT_EQ(r.ReadInt64(), INT64_MIN); }},
        {"extended", [](TWriter& w) { w.WriteFloat(1.0L); }, B({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}),
         [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 1.0L); }},
        {"short string", [](TWriter& w) { w.WriteString("abc"); }, B({6, 3}) + Text("abc"),
         [](TReader& r) { EXPECT_EQ(r.ReadString(), "abc"); }},
        {"255 bytes: still short", [](TWriter& w) { w.WriteString(k255); }, B({6, 255}) + Text(k255),
         [](TReader& r) { EXPECT_EQ(r.ReadString(), k255); }},
        {"256 bytes: long", [](TWriter& w) { w.WriteString(k256); }, B({12, 0, 1, 0, 0}) + Text(k256),
         [](TReader& r) { EXPECT_EQ(r.ReadAnsiString(), k256); }},
        {"empty string", [](TWriter& w) { w.WriteString(""); }, B({6, 0}),
         [](TReader& r) { EXPECT_EQ(r.ReadString(), ""); }},
        {"ident", [](TWriter& w) { w.WriteIdent("alClient"); }, B({7, 8}) + Text("alClient"),
         [](TReader& r) { EXPECT_EQ(r.ReadIdent(), "alClient"); }},
        {"false", [](TWriter& w) { w.WriteBoolean(false); }, B({8}), [](TReader& r) { EXPECT_FALSE(r.ReadBoolean()); }},
        {"true", [](TWriter& w) { w.WriteBoolean(true); }, B({9}), [](TReader& r) { EXPECT_TRUE(r.ReadBoolean()); }},
        {"ident True is the true tag", [](TWriter& w) { w.WriteIdent("true"); }, B({9}),
         [](TReader& r) { EXPECT_EQ(r.ReadIdent(), "True"); }},
        {"binary",
         [](TWriter& w) {
             w.WriteBinary(B({1, 2, 0xFF}));
         },
         B({10, 3, 0, 0, 0, 1, 2, 0xFF}),
         [](TReader& r) {
             EXPECT_EQ(r.ReadBinary(), B({1, 2, 0xFF}));
         }},
        {"nil", [](TWriter& w) { w.WriteIdent("nil"); }, B({13}), [](TReader& r) { EXPECT_EQ(r.ReadIdent(), "nil"); }},
        {"single", [](TWriter& w) { w.WriteSingle(1.5f); }, B({15, 0, 0, 0xC0, 0x3F}),
         [](TReader& r) { EXPECT_EQ(r.ReadFloat(), 1.5L); }},
        {"currency", [](TWriter& w) { w.WriteCurrency(-12345); },
         B({16, 0xC7, 0xCF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}),
         [](TReader& r) { EXPECT_EQ(r.ReadFloat(), -12345.0L / 10000); }},
        {"date", [](TWriter& w) { w.WriteDate(2.5); }, B({17, 0, 0, 0, 0, 0, 0, 0x04, 0x40}),
         [](TReader& r) {
             const TVariant v = r.ReadVariant();
             EXPECT_EQ(v.VarType(), TVariant::Type::Date);
             EXPECT_EQ(v.AsDouble(), 2.5);
         }},
        {"wide string", [](TWriter& w) { w.WriteWideString("A\xC3\xA9\xF0\x9F\x98\x80"); },
         B({18, 4, 0, 0, 0, 'A', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE}),
         [](TReader& r) { EXPECT_EQ(r.ReadString(), "A\xC3\xA9\xF0\x9F\x98\x80"); }},
        {"text outside the code page is UTF-8",
         [](TWriter& w) {
             w.WriteString(
                 "\xC4\x8D"
                 "aj");
         },
         B({20, 4, 0, 0, 0, 0xC4, 0x8D, 'a', 'j'}),
         [](TReader& r) {
             EXPECT_EQ(r.ReadString(),
                       "\xC4\x8D"
                       "aj");
         }},
        {"ANSI string", [](TWriter& w) { w.WriteAnsiString("\xC3\xA9"); }, B({6, 1, 0xE9}),
         [](TReader& r) { EXPECT_EQ(r.ReadAnsiString(), "\xC3\xA9"); }},
        {"variant null", [](TWriter& w) { w.WriteVariant(TVariant::Null()); }, B({0}),
         [](TReader& r) { EXPECT_TRUE(r.ReadVariant().IsNull()); }},
        {"variant empty", [](TWriter& w) { w.WriteVariant(TVariant()); }, B({13}),
         [](TReader& r) { EXPECT_TRUE(r.ReadVariant().IsEmpty()); }},
        {"variant int64 keeps its tag", [](TWriter& w) { w.WriteVariant(TVariant(int64_t(5))); },
         B({19, 5, 0, 0, 0, 0, 0, 0, 0}),
         [](TReader& r) {
             const TVariant v = r.ReadVariant();
             EXPECT_EQ(v.VarType(), TVariant::Type::Int64);
             EXPECT_EQ(v.AsInt64(), 5);
         }},
        {"variant array",
         [](TWriter& w) {
             w.WriteVariant(TVariant::Array({TVariant(1), TVariant("x"), TVariant(true)}));
         },
         B({1, 2, 1, 6, 1, 'x', 9, 0}),
         [](TReader& r) {
             const TVariant v = r.ReadVariant();
             ASSERT_TRUE(v.IsArray());
             ASSERT_EQ(v.Items().size(), 3u);
             EXPECT_EQ(v.Items()[0].VarType(), TVariant::Type::Integer);
             EXPECT_EQ(v.Items()[1], TVariant("x"));
             EXPECT_EQ(v.Items()[2], TVariant(true));
         }},
        // A list cannot hold tag 0, which would end it.
        {"null inside an array", [](TWriter& w) { w.WriteVariant(TVariant::Array({TVariant::Null()})); }, B({1, 13, 0}),
         [](TReader& r) { EXPECT_TRUE(r.ReadVariant().Items()[0].IsEmpty()); }},
    };
}

TEST(StreamValues, GoldenBytesForEveryTagReadBack) {
    for (const TagCase& c : TagCases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Written(c.write), c.bytes);
        ReadAll(c.bytes, c.read);
        ReadAll(c.bytes, [](TReader& r) { r.SkipValue(); });
    }
}

TEST(StreamValues, EveryTruncationIsAStreamReadError) {
    for (const TagCase& c : TagCases()) {
        SCOPED_TRACE(c.what);
        for (size_t n = 0; n < c.bytes.size(); ++n) {
            const Bytes cut(c.bytes.begin(), c.bytes.begin() + ptrdiff_t(n));
            EXPECT_EQ(ReadError(cut, c.read), "Stream read error") << n << " bytes";
            EXPECT_EQ(ReadError(cut, [](TReader& r) { r.SkipValue(); }), "Stream read error") << n << " bytes";
        }
    }
}

TEST(StreamValues, TheSettingsListLayout) {
    const Bytes expected = B({1, 6, 0, 6, 12}) + Text("BoldBtn.Down") + B({6, 0, 8, 0});
    EXPECT_EQ(Written([](TWriter& w) {
                  w.WriteListBegin();
                  w.WriteAnsiString("");
                  w.WriteAnsiString("BoldBtn.Down");
                  w.WriteAnsiString("");
                  w.WriteBoolean(false);
                  w.WriteListEnd();
              }),
              expected);
    auto readSettings = [](TReader& r) {
        r.ReadListBegin();
        EXPECT_EQ(r.ReadAnsiString(), "");
        EXPECT_EQ(r.ReadAnsiString(), "BoldBtn.Down");
        EXPECT_EQ(r.ReadAnsiString(), "");
        EXPECT_FALSE(r.ReadBoolean());
        r.ReadListEnd();
    };
    ReadAll(expected, readSettings);
    // The same path as a UTF-8 string: acceptable to ReadString, not here.
    const Bytes utf8 = B({1, 6, 0, 20, 12, 0, 0, 0}) + Text("BoldBtn.Down") + B({6, 0, 8, 0});
    EXPECT_EQ(ReadError(utf8, readSettings), "Invalid property value");
    ReadAll(B({20, 2, 0, 0, 0, 'o', 'k'}), [](TReader& r) { EXPECT_EQ(r.ReadString(), "ok"); });
}

TEST(StreamValues, EachReaderTurnsAwayTagsItDoesNotAccept) {
    struct Case {
        const char* what;
        Bytes bytes;
        std::function<void(TReader&)> read;
    };
    const Case cases[] = {
        {"int64 where 32 bits are asked", B({19, 1, 0, 0, 0, 0, 0, 0, 0}), [](TReader& r) { r.ReadInteger(); }},
        {"string as integer", B({6, 1, '1'}), [](TReader& r) { r.ReadInt64(); }},
        {"integer as boolean", B({2, 1}), [](TReader& r) { r.ReadBoolean(); }},
        {"ident as string", B({7, 1, 'a'}), [](TReader& r) { r.ReadString(); }},
        {"wide string as ANSI", B({18, 1, 0, 0, 0, 'a', 0}), [](TReader& r) { r.ReadAnsiString(); }},
        {"string as ident", B({6, 1, 'a'}), [](TReader& r) { r.ReadIdent(); }},
        {"string as float", B({6, 1, '1'}), [](TReader& r) { r.ReadFloat(); }},
        {"set as variant", B({11, 0}), [](TReader& r) { r.ReadVariant(); }},
        {"list where a value ends", B({1}), [](TReader& r) { r.ReadListEnd(); }},
        {"unknown tag 21", B({21}), [](TReader& r) { r.SkipValue(); }},
        {"unknown tag 255", B({255}), [](TReader& r) { r.ReadVariant(); }},
        {"binary tag expected", B({6, 0}), [](TReader& r) { r.ReadBinary(); }},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadError(c.bytes, c.read), "Invalid property value") << c.what;
}

TEST(StreamValues, LengthsAreCheckedAgainstTheStreamBeforeAnyAllocation) {
    struct Case {
        const char* what;
        Bytes bytes;
        const char* error;
    };
    const Case cases[] = {
        {"long string claiming 2 GB", B({12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), "Stream read error"},
        {"UTF-8 string one byte short", B({20, 3, 0, 0, 0, 'a', 'b'}), "Stream read error"},
        {"wide string counting units, not bytes", B({18, 2, 0, 0, 0, 'a', 0, 'b'}), "Stream read error"},
        {"wide string whose byte count overflows 32 bits", B({18, 0, 0, 0, 0x40, 'a', 0}), "Stream read error"},
        {"negative length", B({12, 0xFF, 0xFF, 0xFF, 0xFF}), "Invalid stream format"},
        {"negative UTF-8 length", B({20, 0, 0, 0, 0x80}), "Invalid stream format"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadError(c.bytes, [](TReader& r) { r.ReadVariant(); }), c.error) << c.what;
        EXPECT_EQ(ReadError(c.bytes, [](TReader& r) { r.SkipValue(); }), c.error) << c.what;
    }
    EXPECT_EQ(ReadError(B({10, 0, 0, 0, 0x80}), [](TReader& r) { r.ReadBinary(); }), "Invalid stream format");
    // The exact length is fine.
    ReadAll(B({18, 2, 0, 0, 0, 'a', 0, 'b', 0}), [](TReader& r) { EXPECT_EQ(r.ReadString(), "ab"); });
}

TEST(StreamValues, NestingDeeperThanTheLimitIsRejected) {
    auto nested = [](int depth) {
        Bytes b(size_t(depth), 1);
        b.push_back(2);
        b.push_back(7);
        b.insert(b.end(), size_t(depth), 0);
        return b;
    };
    ReadAll(nested(TReader::kMaxDepth), [](TReader& r) { EXPECT_TRUE(r.ReadVariant().IsArray()); });
    ReadAll(nested(TReader::kMaxDepth), [](TReader& r) { r.SkipValue(); });
    const Bytes deep = nested(100000);
    EXPECT_EQ(ReadError(deep, [](TReader& r) { r.ReadVariant(); }), "Invalid stream format");
    EXPECT_EQ(ReadError(deep, [](TReader& r) { r.SkipValue(); }), "Invalid stream format");
}

TEST(StreamValues, PeekingLeavesThePosition) {
    TMemoryStream s(B({0, 9}));
    TReader r(s);
    EXPECT_TRUE(r.EndOfList());
    EXPECT_EQ(r.NextValue(), TValueType::Null);
    r.ReadListEnd();
    EXPECT_FALSE(r.EndOfList());
    EXPECT_EQ(r.NextValue(), TValueType::True);
    EXPECT_TRUE(r.ReadBoolean());
}

// A code page of the test's own: 0xE8 is c with caron, as in code page 1250.
std::string TestAnsiToUtf8(std::string_view ansi) {
    std::string out;
    for (char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        out += b == 0xE8 ? "\xC4\x8D" : b < 0x80 ? std::string(1, c) : "?";
    }
    return out;
}
std::string TestUtf8ToAnsi(std::string_view utf8, bool* lossless) {
    std::string out;
    bool ok = true;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8.substr(i, 2) == "\xC4\x8D") {
            out += '\xE8';
            ++i;
        } else if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i];
        } else if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {  // one '?' per character
            out += '?';
            ok = false;
        }
    }
    if (lossless) *lossless = ok;
    return out;
}

class AnsiCodePage : public ::testing::Test {
protected:
    void SetUp() override { text::SetAnsiCodec({&TestAnsiToUtf8, &TestUtf8ToAnsi}); }
    void TearDown() override { text::SetAnsiCodec(LatinOne()); }
    static text::AnsiCodec LatinOne() {
        return {[](std::string_view a) {
                    std::string out;
                    for (char c : a) {
                        const auto b = static_cast<unsigned char>(c);
                        if (b < 0x80) {
                            out += c;
                        } else {
                            out += char(0xC0 | (b >> 6));
                            out += char(0x80 | (b & 0x3F));
                        }
                    }
                    return out;
                },
                [](std::string_view u, bool* lossless) { return LatinFromUtf8(u, lossless); }};
    }
    static std::string LatinFromUtf8(std::string_view u, bool* lossless) {
        std::string out;
        bool ok = true;
        for (char16_t c : text::Utf8ToUtf16(u)) {
            out += c < 0x100 ? char(c) : '?';
            ok = ok && c < 0x100;
        }
        if (lossless) *lossless = ok;
        return out;
    }
};

TEST_F(AnsiCodePage, AnsiStringsGoThroughTheCodePageAndUtf8StringsDoNot) {
    const std::string caj =
        "\xC4\x8D"
        "aj";
    EXPECT_EQ(Written([&](TWriter& w) { w.WriteAnsiString(caj); }), B({6, 3, 0xE8, 'a', 'j'}));
    ReadAll(B({6, 3, 0xE8, 'a', 'j'}), [&](TReader& r) { EXPECT_EQ(r.ReadString(), caj); });
    ReadAll(B({12, 1, 0, 0, 0, 0xE8}), [&](TReader& r) { EXPECT_EQ(r.ReadAnsiString(), "\xC4\x8D"); });
    // A character the code page lacks cannot survive an ANSI string.
    EXPECT_EQ(Written([](TWriter& w) { w.WriteAnsiString("\xC3\xA9"); }), B({6, 1, '?'}));
}

TEST_F(AnsiCodePage, StringsUseTheCodePageUnlessItCannotHoldTheText) {
    const std::string c = "\xC4\x8D", e = "\xC3\xA9";  // c with caron is in the code page, e acute is not
    struct Case {
        const char* what;
        std::string text;
        Bytes bytes;
    };
    const Case cases[] = {
        {"ASCII", "aj", B({6, 2, 'a', 'j'})},
        {"code-page text", c + "aj", B({6, 3, 0xE8, 'a', 'j'})},
        {"code-page text of 256 bytes", c + std::string(255, 'a'), B({12, 0, 1, 0, 0, 0xE8}) + Bytes(255, 'a')},
        {"code-page text of 255 bytes", c + std::string(254, 'a'), B({6, 255, 0xE8}) + Bytes(254, 'a')},
        // One character the code page lacks puts the whole text in UTF-8.
        {"outside the code page", c + e, B({20, 4, 0, 0, 0, 0xC4, 0x8D, 0xC3, 0xA9})},
        {"a question mark of its own", "?", B({6, 1, '?'})},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteString(k.text); }), k.bytes);
        ReadAll(k.bytes, [&](TReader& r) { EXPECT_EQ(r.ReadString(), k.text); });
        EXPECT_EQ(Written([&](TWriter& w) { w.WriteVariant(TVariant(k.text)); }), k.bytes);
    }
}

}  // namespace
