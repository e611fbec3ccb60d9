// Form text <-> component stream: the text of every tag, exact round trips,
// canonical text, and errors with their line.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/core/Extended.h"
#include "platform/core/Filer.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes B(std::initializer_list<int> list) {
    Bytes v;
    for (int b : list) v.push_back(uint8_t(b));
    return v;
}

// "TPF0", a form F of class TForm with the one property P.
Bytes FormWithValue(const std::function<void(TWriter&)>& value) {
    TMemoryStream s;
    TWriter w(s);
    w.WriteSignature();
    w.WriteStr("TForm");
    w.WriteStr("F");
    w.WriteStr("P");
    value(w);
    w.WriteListEnd();
    w.WriteListEnd();
    return s.Bytes();
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

void Raw(TWriter& w, TValueType tag, const Bytes& payload) {
    w.WriteValue(tag);
    w.Write(payload.data(), payload.size());
}

struct ValueCase {
    const char* what;
    std::function<void(TWriter&)> write;
    std::string text;  // of the value in the line "  P = <text>"
};

std::vector<ValueCase> ValueCases() {
    const std::string x300(300, 'x');
    return {
        {"int8", [](TWriter& w) { w.WriteInteger(-3); }, "-3"},
        {"int16", [](TWriter& w) { w.WriteInteger(1000); }, "1000"},
        {"int32", [](TWriter& w) { w.WriteInteger(-100000); }, "-100000"},
        {"int64", [](TWriter& w) { w.WriteInteger(int64_t(1) << 40); }, "1099511627776"},
        {"extended", [](TWriter& w) { w.WriteFloat(1.5L); }, "1.5"},
        {"extended integral", [](TWriter& w) { w.WriteFloat(3); }, "3.0"},
        {"extended negative zero", [](TWriter& w) { w.WriteFloat(-0.0L); }, "-0.0"},
        {"extended infinity", [](TWriter& w) { w.WriteFloat(HUGE_VALL); }, "X'0000000000000080FF7F'"},
        {"extended pseudo-denormal",
         [](TWriter& w) {
             Raw(w, TValueType::Extended, B({0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0}));
         },
         "X'00000000000000800000'"},
        {"single", [](TWriter& w) { w.WriteSingle(0.1f); }, "0.1s"},
        {"single NaN",
         [](TWriter& w) {
             Raw(w, TValueType::Single, B({0, 0, 0xC0, 0x7F}));
         },
         "X'0000C07F'"},
        {"currency", [](TWriter& w) { w.WriteCurrency(-12345); }, "-1.2345c"},
        {"currency whole", [](TWriter& w) { w.WriteCurrency(120000); }, "12.0c"},
        {"currency lowest", [](TWriter& w) { w.WriteCurrency(INT64_MIN); }, "-922337203685477.5808c"},
        {"date", [](TWriter& w) { w.WriteDate(45000.25); }, "45000.25d"},
        {"string with a quote", [](TWriter& w) { w.WriteString("it's"); }, "'it''s'"},
        {"control characters", [](TWriter& w) { w.WriteString("a\r\nb\x7F"); }, "'a'#13#10'b'#127"},
        {"empty string", [](TWriter& w) { w.WriteString(""); }, "''"},
        {"long string", [x300](TWriter& w) { w.WriteString(x300); },
         "'" + std::string(64, 'x') + "' +\n    '" + std::string(64, 'x') + "' +\n    '" + std::string(64, 'x') +
             "' +\n    '" + std::string(64, 'x') + "' +\n    '" + std::string(44, 'x') + "'"},
        {"ANSI bytes",
         [](TWriter& w) {
             Raw(w, TValueType::String, B({2, 0xE9, 0x81}));
         },
         "A'\xC3\xA9'#129"},
        {"ANSI long",
         [](TWriter& w) {
             Raw(w, TValueType::LString, B({0, 1, 0, 0, 0xE9}) + Bytes(255, 'a'));
         },
         "A'\xC3\xA9" + std::string(63, 'a') + "' +\n    '" + std::string(64, 'a') + "' +\n    '" +
             std::string(64, 'a') + "' +\n    '" + std::string(64, 'a') + "'"},
        {"UTF-8 text",
         [](TWriter& w) {
             w.WriteString(
                 "\xC4\x8D"
                 "aj\xC2\x85");
         },
         "'\xC4\x8D"
         "aj'#133"},
        {"UTF-8 tag holding ASCII", [](TWriter& w) { w.WriteUtf8String("abc"); }, "U'abc'"},
        // Plain text that the code page (Latin-1 here) holds goes to tag 6.
        {"UTF-8 tag holding code-page text", [](TWriter& w) { w.WriteUtf8String("\xC3\xA9t\xC3\xA9"); },
         "U'\xC3\xA9t\xC3\xA9'"},
        {"code-page text", [](TWriter& w) { w.WriteString("\xC3\xA9t\xC3\xA9"); }, "A'\xC3\xA9t\xC3\xA9'"},
        {"UTF-8 tag holding bad bytes",
         [](TWriter& w) {
             w.WriteUtf8String(
                 "\xFF"
                 "a\xC4");
         },
         "U#255'a'#196"},
        {"wide string", [](TWriter& w) { w.WriteWideString("A\xC3\xA9\xF0\x9F\x98\x80"); },
         "W'A\xC3\xA9\xF0\x9F\x98\x80'"},
        {"wide lone surrogate",
         [](TWriter& w) {
             Raw(w, TValueType::WString, B({2, 0, 0, 0, 0x3D, 0xD8, 9, 0}));
         },
         "W#55357#9"},
        {"ident", [](TWriter& w) { w.WriteIdent("alClient"); }, "alClient"},
        {"dotted ident", [](TWriter& w) { w.WriteIdent("Form1.Button1"); }, "Form1.Button1"},
        {"false", [](TWriter& w) { w.WriteBoolean(false); }, "False"},
        {"true", [](TWriter& w) { w.WriteBoolean(true); }, "True"},
        {"nil", [](TWriter& w) { w.WriteIdent("nil"); }, "nil"},
        {"null", [](TWriter& w) { w.WriteVariant(TVariant::Null()); }, "Null"},
        {"binary",
         [](TWriter& w) {
             w.WriteBinary(B({0x01, 0xAB}));
         },
         "{01AB}"},
        {"empty binary", [](TWriter& w) { w.WriteBinary({}); }, "{}"},
        {"long binary", [](TWriter& w) { w.WriteBinary(Bytes(40, 0x5A)); },
         "{\n    " + Repeat("5A", 32) + "\n    " + Repeat("5A", 8) + "\n  }"},
        {"set",
         [](TWriter& w) {
             Raw(w, TValueType::Set, B({4, 'f', 's', 'B', 'o', 1, 'x', 0}));
         },
         "[fsBo, x]"},
        {"empty set", [](TWriter& w) { Raw(w, TValueType::Set, B({0})); }, "[]"},
        {"list",
         [](TWriter& w) {
             w.WriteVariant(TVariant::Array({TVariant(1), TVariant("x"), TVariant::Array({})}));
         },
         "(\n    1\n    'x'\n    ()\n  )"},
        {"collection",
         [](TWriter& w) {
             Raw(w, TValueType::Collection, B({1, 1, 'A', 2, 1, 0, 2, 3, 1, 0, 0}));
         },
         "<\n    item\n      A = 1\n    end\n    item [3]\n    end\n  >"},
        {"empty collection", [](TWriter& w) { Raw(w, TValueType::Collection, B({0})); }, "<>"},
    };
}

TEST(FormText, EveryTagHasItsTextAndComesBackByteForByte) {
    for (const ValueCase& c : ValueCases()) {
        SCOPED_TRACE(c.what);
        const Bytes binary = FormWithValue(c.write);
        try {
            const std::string text = ObjectBinaryToText(binary);
            EXPECT_EQ(text, "object F: TForm\n  P = " + c.text + "\nend\n");
            EXPECT_EQ(ObjectTextToBinary(text), binary);
        } catch (const Exception& e) {
            ADD_FAILURE() << e.Message();
        }
    }
}

const char* const kTree =
    "object Form1: TForm\n"
    "  Caption = 'x'\n"
    "  object Panel1: TPanel\n"
    "    object Button1: TButton\n"
    "      Left = 8\n"
    "    end\n"
    "  end\n"
    "  inherited Frame1: TFrame [2]\n"
    "  end\n"
    "  inline Sub1: TSub\n"
    "  end\n"
    "  object TTimer\n"
    "  end\n"
    "end\n";

TEST(FormText, ComponentsNestWithTheirPrefixes) {
    const Bytes binary = ObjectTextToBinary(kTree);
    EXPECT_EQ(ObjectBinaryToText(binary), kTree);
    auto contains = [&](const Bytes& piece) {
        return std::search(binary.begin(), binary.end(), piece.begin(), piece.end()) != binary.end();
    };
    EXPECT_TRUE(contains(B({0xF3, 2, 2, 6, 'T', 'F', 'r', 'a', 'm', 'e'})));  // inherited + position 2
    EXPECT_TRUE(contains(B({0xF4, 4, 'T', 'S', 'u', 'b', 4, 'S', 'u', 'b', '1'})));
    EXPECT_TRUE(contains(B({6, 'T', 'T', 'i', 'm', 'e', 'r', 0, 0, 0})));  // no name, no properties, no children
    EXPECT_EQ(Bytes(binary.begin(), binary.begin() + 4), B({'T', 'P', 'F', '0'}));
}

TEST(FormText, TextBecomesCanonical) {
    const char* loose =
        "// hand-written\n"
        "OBJECT F : TForm P=$FF Q = 1.50 R = 'a' + 'b'#33\n"
        "  S = [ x,y ] T = TRUE U=-$10 V = 1e3 W = ( 1\n2 ) Y = 2.5D Z = 1.23456c\n"
        "END";
    const std::string text = ObjectBinaryToText(ObjectTextToBinary(loose));
    EXPECT_EQ(text,
              "object F: TForm\n"
              "  P = 255\n  Q = 1.5\n  R = 'ab!'\n  S = [x, y]\n  T = True\n  U = -16\n  V = 1000.0\n"
              "  W = (\n    1\n    2\n  )\n  Y = 2.5d\n  Z = 1.2346c\nend\n");
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(text)), text);
}

TEST(FormText, PlainTextChoosesTheWritersTags) {
    // Text the code page holds: tag 6 up to 255 bytes, 12 beyond; anything
    // else: tag 20.
    EXPECT_EQ(ObjectTextToBinary("object F: TForm P = 'ab' end"), FormWithValue([](TWriter& w) {
                  w.WriteValue(TValueType::String);
                  w.WriteStr("ab");
              }));
    constexpr size_t kTag = 14;  // "TPF0", "TForm", "F", "P"
    const Bytes longText = ObjectTextToBinary("object F: TForm P = '" + std::string(256, 'a') + "' end");
    EXPECT_EQ(longText[kTag], uint8_t(TValueType::LString));
    const Bytes czech = ObjectTextToBinary("object F: TForm P = #269'aj' end");
    EXPECT_EQ(Bytes(czech.begin() + kTag, czech.end() - 2), B({20, 4, 0, 0, 0, 0xC4, 0x8D, 'a', 'j'}));
    const Bytes french = ObjectTextToBinary("object F: TForm P = 'caf\xC3\xA9' end");  // Latin-1 in these tests
    EXPECT_EQ(Bytes(french.begin() + kTag, french.end() - 2), B({6, 4, 'c', 'a', 'f', 0xE9}));
}

TEST(FormText, ErrorsNameTheirLine) {
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"", "'object' expected on line 1"},
        {"object F: TForm\n  P = 'abc\nend\n", "Unterminated string on line 2"},
        {"object F: TForm\n  P 5\nend\n", "'=' expected on line 2"},
        {"object F: TForm\n  P = 99999999999999999999\nend\n", "Invalid number on line 2"},
        {"object F: TForm\n\n  P = {0A1}\nend\n", "Invalid binary value on line 3"},
        {"object F: TForm\n  P = [a, ]\nend\n", "Identifier expected on line 2"},
        {"object F: TForm\n  P = (\n    Null\n  )\nend\n", "Null cannot be an item of a list on line 3"},
        {"object F: TForm\n  P = A'\xC4\x8D'\nend\n", "Character not in the ANSI code page on line 2"},
        {"object F: TForm\n  P = X'00'\nend\n", "Invalid float image on line 2"},
        {"object F: TForm\n  P = #55296\nend\n", "Invalid character code on line 2"},
        {"object F: TForm\n  P = 1\n", "'end' expected on line 3"},
        {"object F: TForm\nend\nextra", "End of text expected on line 3"},
        {"object F: TForm\n  P = < thing end >\nend\n", "'item' expected on line 2"},
        {"object F: TForm\n  P = ?\nend\n", "Invalid character on line 2"},
        {"object F: TForm\n  P = 'a' +\n 5\nend\n", "String expected on line 3"},
        {"object F: TForm\n  P = " + std::string(100, '(') + std::string(100, ')') + "\nend\n",
         "Nested too deeply on line 2"},
    };
    for (const Case& c : cases) {
        try {
            ObjectTextToBinary(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const EParserError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.text;
        }
    }
    // As deep as the reader allows is fine.
    std::string deep = "object F: TForm\n  P = ";
    for (int i = 1; i < TReader::kMaxDepth; ++i) deep += "(";
    for (int i = 1; i < TReader::kMaxDepth; ++i) deep += ")";
    EXPECT_NO_THROW(ObjectTextToBinary(deep + "\nend\n"));
}

TEST(FormText, MalformedBinaryIsAReadError) {
    struct Case {
        const char* what;
        Bytes binary;
        const char* message;
    };
    const Case cases[] = {
        {"bad signature", B({'T', 'P', 'F', '1', 1, 'T', 0, 0, 0}), "Invalid stream format"},
        {"class name not an identifier", B({'T', 'P', 'F', '0', 1, '1', 0, 0, 0}), "Invalid stream format"},
        {"property name not an identifier", B({'T', 'P', 'F', '0', 1, 'T', 0, 2, 'a', ' ', 9, 0, 0}),
         "Invalid stream format"},
        {"unknown tag", B({'T', 'P', 'F', '0', 1, 'T', 0, 1, 'a', 21, 0, 0}), "Invalid property value"},
        {"prefix with unknown flags", B({'T', 'P', 'F', '0', 0xF8, 1, 'T', 0, 0, 0}), "Invalid stream format"},
        {"missing end", B({'T', 'P', 'F', '0', 1, 'T', 0, 0}), "Stream read error"},
    };
    for (const Case& c : cases) {
        try {
            ObjectBinaryToText(c.binary);
            ADD_FAILURE() << "accepted: " << c.what;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
    }
    EXPECT_EQ(ObjectBinaryToText(B({'T', 'P', 'F', '0', 1, 'T', 0, 0, 0})), "object T\nend\n");
}

// Everything that converts one way converts back; what does not convert is
// a read error and never anything worse.
TEST(FormText, MutatedStreamsAndTextsFailCleanly) {
    std::string allValues = "object F: TForm\n";
    for (const ValueCase& c : ValueCases()) allValues += std::string("  P = ") + c.text + "\n";
    allValues += std::string(kTree) + "end\n";  // the tree as a child
    const Bytes binary = ObjectTextToBinary(allValues);

    for (size_t n = 0; n < binary.size(); ++n)
        EXPECT_THROW(ObjectBinaryToText(Bytes(binary.begin(), binary.begin() + ptrdiff_t(n))), EReadError) << n;

    std::mt19937 rng(31337);
    for (int round = 0; round < 3000; ++round) {
        Bytes mutated = binary;
        for (int k = 0; k < 1 + round % 3; ++k) mutated[rng() % mutated.size()] = uint8_t(rng());
        std::string text;
        try {
            text = ObjectBinaryToText(mutated);
        } catch (const EReadError&) {
            continue;
        }
        const std::string again = ObjectBinaryToText(ObjectTextToBinary(text));
        ASSERT_EQ(again, text);
    }
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = allValues;
        for (int k = 0; k < 1 + round % 3; ++k)
            mutated[rng() % mutated.size()] = char(" '#(){}<>[]=+$.1aZ\n"[rng() % 20]);
        try {
            ObjectTextToBinary(mutated);
        } catch (const EParserError&) {
        }
    }
}

}  // namespace
