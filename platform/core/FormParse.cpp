// ObjectTextToBinary: form text (see Filer.h) to the component stream.

#include <algorithm>

#include "platform/core/Filer.h"
#include "platform/core/FloatText.h"
#include "platform/core/FormLexer.h"
#include "platform/core/FormStrings.h"
#include "platform/core/Text.h"

namespace {

using floattext::TFloatFormat;
using formtext::Fail;
using formtext::Token;

class TextToBinary {
public:
    explicit TextToBinary(std::string_view text) : lexer_(text), writer_(stream_) { tok_ = lexer_.Next(); }

    std::vector<uint8_t> Run() {
        writer_.WriteSignature();
        if (!IsObjectKeyword()) Fail("'object' expected", tok_.line);
        Object();
        if (tok_.kind != Token::End) Fail("End of text expected", tok_.line);
        return stream_.Bytes();
    }

private:
    struct Nest {
        Nest(int& depth, int line) : depth_(depth) {
            if (++depth_ > TReader::kMaxDepth) Fail("Nested too deeply", line);
        }
        ~Nest() { --depth_; }
        int& depth_;
    };

    void Advance() { tok_ = lexer_.Next(); }
    Token Peek() const {
        formtext::Lexer copy = lexer_;
        return copy.Next();
    }
    bool IsWord(std::string_view word) const {
        return tok_.kind == Token::Ident && text::SameText(tok_.text, word) && !Peek().Is('=');
    }
    bool IsObjectKeyword() const { return IsWord("object") || IsWord("inherited") || IsWord("inline"); }
    void Expect(char symbol) {
        if (!tok_.Is(symbol)) Fail(std::string("'") + symbol + "' expected", tok_.line);
        Advance();
    }
    std::string ExpectIdent(bool dotted) {
        if (tok_.kind != Token::Ident || (!dotted && tok_.text.find('.') != std::string::npos))
            Fail("Identifier expected", tok_.line);
        std::string s = tok_.text;
        Advance();
        return s;
    }
    int64_t ExpectInteger() {
        if (tok_.kind != Token::Integer) Fail("Integer expected", tok_.line);
        const int64_t v = tok_.integer;
        Advance();
        return v;
    }

    void Object();
    void Property();
    void Value(bool inList);
    void FloatValue();
    void StringValue();

    formtext::Lexer lexer_;
    TMemoryStream stream_;
    TWriter writer_;
    Token tok_;
    int depth_ = 0;
};

void TextToBinary::Object() {
    Nest nest(depth_, tok_.line);
    uint8_t flags = IsWord("inherited") ? 1 : IsWord("inline") ? 4 : 0;
    Advance();
    int clsLine = tok_.line;
    std::string name = ExpectIdent(false);
    std::string cls = name;
    if (tok_.Is(':')) {
        Advance();
        clsLine = tok_.line;
        cls = ExpectIdent(false);
    } else {
        name.clear();
    }
    if (cls.size() > kMaxClassNameLength) Fail(NameTooLongMessage("Class name", cls, kMaxClassNameLength), clsLine);
    int64_t position = 0;
    if (tok_.Is('[')) {
        Advance();
        position = ExpectInteger();
        Expect(']');
        flags |= 2;
    }
    if (flags) {
        writer_.WriteValue(TValueType(0xF0 | flags));
        if (flags & 2) writer_.WriteInteger(int32_t(position));
    }
    writer_.WriteStr(cls);
    writer_.WriteStr(name);
    while (!IsObjectKeyword() && !IsWord("end")) Property();
    writer_.WriteListEnd();
    while (IsObjectKeyword()) Object();
    if (!IsWord("end")) Fail("'end' expected", tok_.line);
    Advance();
    writer_.WriteListEnd();
}

void TextToBinary::Property() {
    if (tok_.kind == Token::End) Fail("'end' expected", tok_.line);
    writer_.WriteStr(ExpectIdent(true));
    Expect('=');
    Value(false);
}

void TextToBinary::Value(bool inList) {
    const int line = tok_.line;
    switch (tok_.kind) {
        case Token::Integer:
            writer_.WriteInteger(tok_.integer);
            Advance();
            return;
        case Token::Float: return FloatValue();
        case Token::String: return StringValue();
        case Token::Ident: {
            const std::string ident = ExpectIdent(true);
            if (text::SameText(ident, "Null")) {
                // Tag 0 would end the list it stood in.
                if (inList) Fail("Null cannot be an item of a list", line);
                writer_.WriteValue(TValueType::Null);
            } else {
                writer_.WriteIdent(ident);  // True, False and nil become their tags
            }
            return;
        }
        case Token::Symbol: break;
        case Token::End: Fail("Value expected", line);
    }
    const char symbol = tok_.text[0];
    if (symbol == '[') {
        Advance();
        writer_.WriteValue(TValueType::Set);
        if (!tok_.Is(']')) {
            writer_.WriteStr(ExpectIdent(false));
            while (tok_.Is(',')) {
                Advance();
                writer_.WriteStr(ExpectIdent(false));
            }
        }
        Expect(']');
        writer_.WriteStr({});
    } else if (symbol == '(') {
        Nest nest(depth_, line);
        Advance();
        writer_.WriteListBegin();
        while (!tok_.Is(')')) Value(true);
        Advance();
        writer_.WriteListEnd();
    } else if (symbol == '{') {
        writer_.WriteBinary(lexer_.HexBlock());
        Advance();
    } else if (symbol == '<') {
        Nest nest(depth_, line);
        Advance();
        writer_.WriteValue(TValueType::Collection);
        while (!tok_.Is('>')) {
            if (!IsWord("item")) Fail("'item' expected", tok_.line);
            Advance();
            if (tok_.Is('[')) {
                Advance();
                writer_.WriteInteger(ExpectInteger());
                Expect(']');
            }
            writer_.WriteListBegin();
            while (!IsWord("end")) Property();
            Advance();
            writer_.WriteListEnd();
        }
        Advance();
        writer_.WriteListEnd();
    } else {
        Fail("Value expected", line);
    }
}

void TextToBinary::FloatValue() {
    const int line = tok_.line;
    if (tok_.suffix == 'c') {
        // Currency is decimal: exact to the fourth place, rounded (half away
        // from zero) beyond it.
        std::string digits;
        int exp10 = 4;
        bool negative = false, fraction = false;
        size_t i = 0;
        for (; i < tok_.text.size() && tok_.text[i] != 'e' && tok_.text[i] != 'E'; ++i) {
            const char c = tok_.text[i];
            if (c == '-') negative = true;
            if (c == '.') fraction = true;
            if (c >= '0' && c <= '9') {
                digits += c;
                if (fraction) --exp10;
            }
        }
        if (i < tok_.text.size()) {
            const bool down = i + 1 < tok_.text.size() && tok_.text[i + 1] == '-';
            int e = 0;
            for (size_t k = i + 1; k < tok_.text.size(); ++k)
                if (tok_.text[k] >= '0' && tok_.text[k] <= '9') e = std::min(e * 10 + (tok_.text[k] - '0'), 100000);
            exp10 += down ? -e : e;
        }
        if (exp10 < 0) {
            const size_t keep = size_t(std::max<int64_t>(0, int64_t(digits.size()) + exp10));
            const bool up = keep < digits.size() && digits[keep] >= '5';
            digits = digits.substr(0, keep);
            if (up) {
                size_t k = digits.size();
                while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
                if (k == 0)
                    digits.insert(digits.begin(), '1');
                else
                    ++digits[k - 1];
            }
            exp10 = 0;
        }
        uint64_t v = 0;
        const uint64_t limit = uint64_t(INT64_MAX) + (negative ? 1 : 0);
        auto push = [&](uint64_t d) {
            if (v > (limit - d) / 10) Fail("Currency value out of range", line);
            v = v * 10 + d;
        };
        for (char c : digits) push(uint64_t(c - '0'));
        for (int k = 0; k < exp10 && v != 0; ++k) push(0);
        writer_.WriteCurrency(negative ? int64_t(~v + 1) : int64_t(v));
        Advance();
        return;
    }
    const TFloatFormat format = tok_.suffix == 's'   ? TFloatFormat::Single
                                : tok_.suffix == 'd' ? TFloatFormat::Double
                                                     : TFloatFormat::Extended;
    const auto image = floattext::Parse(tok_.text, format);
    if (!image) Fail("Invalid number", line);
    writer_.WriteValue(format == TFloatFormat::Single   ? TValueType::Single
                       : format == TFloatFormat::Double ? TValueType::Date
                                                        : TValueType::Extended);
    writer_.Write(image->data(), image->size());
    Advance();
}

void TextToBinary::StringValue() {
    const int line = tok_.line;
    const char prefix = tok_.suffix;
    std::vector<formtext::StringPiece> pieces = tok_.pieces;
    Advance();
    while (tok_.Is('+')) {
        Advance();
        if (tok_.kind != Token::String || tok_.suffix != 0) Fail("String expected", tok_.line);
        pieces.insert(pieces.end(), tok_.pieces.begin(), tok_.pieces.end());
        Advance();
    }
    if (prefix != 'X') return formtext::WriteStringValue(writer_, prefix, pieces, line);
    // A float by its stored bytes: 10 an extended, 4 a single, 8 a date.
    std::string hex;
    for (const auto& p : pieces) {
        if (p.code) Fail("Invalid float image", line);
        hex += p.literal;
    }
    if (hex.size() % 2 != 0 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        Fail("Invalid float image", line);
    std::vector<uint8_t> image;
    for (size_t i = 0; i < hex.size(); i += 2) image.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
    const TValueType tag = image.size() == 10  ? TValueType::Extended
                           : image.size() == 4 ? TValueType::Single
                           : image.size() == 8 ? TValueType::Date
                                               : TValueType::Null;
    if (tag == TValueType::Null) Fail("Invalid float image", line);
    writer_.WriteValue(tag);
    writer_.Write(image.data(), image.size());
}

}  // namespace

std::vector<uint8_t> ObjectTextToBinary(std::string_view text) { return TextToBinary(text).Run(); }
