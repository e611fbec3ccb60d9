// The tokens of form text.

#include "platform/core/FormLexer.h"

#include <cstdint>

#include "platform/core/Filer.h"
#include "platform/core/Text.h"

namespace formtext {
namespace {

bool IdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IdentChar(char c) { return IdentStart(c) || (c >= '0' && c <= '9'); }
bool Digit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}
bool OneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

}  // namespace

void Fail(std::string_view what, int line) {
    throw EParserError(FormatText("%s on line %s", {what, std::to_string(line)}));
}

Lexer::Lexer(std::string_view src) : src_(src) {
    if (src_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // a UTF-8 byte order mark
}

Token Lexer::Next() {
    SkipBlanks();
    Token t;
    t.line = line_;
    if (pos_ >= src_.size()) return t;
    const char c = src_[pos_];
    const char next = pos_ + 1 < src_.size() ? src_[pos_ + 1] : '\0';
    if (IdentStart(c)) {
        // A one-letter prefix glued to a quote or a #nnn starts a string.
        if ((next == '\'' || next == '#') && OneOf(c, "AUWXauwx")) {
            ++pos_;
            return StringToken(t, text::AsciiUpper(c));
        }
        const size_t start = pos_;
        while (pos_ < src_.size() &&
               (IdentChar(src_[pos_]) || (src_[pos_] == '.' && pos_ + 1 < src_.size() && IdentStart(src_[pos_ + 1]))))
            ++pos_;
        t.kind = Token::Ident;
        t.text = std::string(src_.substr(start, pos_ - start));
        if (t.text.size() > 255) Fail("Identifier too long", t.line);
        return t;
    }
    if (c == '\'' || c == '#') return StringToken(t, 0);
    if (Digit(c) || c == '$' || (c == '-' && (Digit(next) || next == '$'))) return NumberToken(t);
    if (OneOf(c, "=:,[](){}<>+")) {
        ++pos_;
        t.kind = Token::Symbol;
        t.text = std::string(1, c);
        return t;
    }
    Fail("Invalid character", line_);
}

std::vector<uint8_t> Lexer::HexBlock() {
    std::vector<uint8_t> bytes;
    int high = -1;
    for (;; ++pos_) {
        if (pos_ >= src_.size()) Fail("'}' expected", line_);
        const char c = src_[pos_];
        if (c == '}') break;
        if (c == '\n') ++line_;
        if (OneOf(c, " \t\r\n")) continue;
        const int v = HexValue(c);
        if (v < 0) Fail("Invalid binary value", line_);
        if (high < 0) {
            high = v;
        } else {
            bytes.push_back(uint8_t(high * 16 + v));
            high = -1;
        }
    }
    if (high >= 0) Fail("Invalid binary value", line_);
    ++pos_;
    return bytes;
}

void Lexer::SkipBlanks() {
    while (pos_ < src_.size()) {
        const char c = src_[pos_];
        if (c == '/' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '/') {
            while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
            continue;
        }
        if (!OneOf(c, " \t\r\n")) return;
        if (c == '\n') ++line_;
        ++pos_;
    }
}

Token Lexer::StringToken(Token& t, char prefix) {
    t.kind = Token::String;
    t.suffix = prefix;
    while (pos_ < src_.size() && (src_[pos_] == '\'' || src_[pos_] == '#')) {
        if (src_[pos_] == '#') {
            ++pos_;
            if (pos_ >= src_.size() || !Digit(src_[pos_])) Fail("Invalid character code", line_);
            uint32_t v = 0;
            while (pos_ < src_.size() && Digit(src_[pos_])) {
                v = v * 10 + uint32_t(src_[pos_++] - '0');
                if (v > 0x10FFFF) Fail("Invalid character code", line_);
            }
            t.pieces.push_back({true, {}, v});
            continue;
        }
        std::string literal;
        for (++pos_;; ++pos_) {
            if (pos_ >= src_.size() || src_[pos_] == '\n' || src_[pos_] == '\r') Fail("Unterminated string", line_);
            if (src_[pos_] != '\'') {
                literal += src_[pos_];
            } else if (pos_ + 1 < src_.size() && src_[pos_ + 1] == '\'') {
                literal += '\'';
                ++pos_;
            } else {
                ++pos_;
                break;
            }
        }
        t.pieces.push_back({false, std::move(literal), 0});
    }
    return t;
}

Token Lexer::NumberToken(Token& t) {
    const size_t start = pos_;
    const bool negative = src_[pos_] == '-';
    if (negative) ++pos_;
    if (src_[pos_] == '$') {
        ++pos_;
        uint64_t v = 0;
        int digits = 0;
        for (; pos_ < src_.size() && HexValue(src_[pos_]) >= 0; ++pos_, ++digits)
            v = v * 16 + uint64_t(HexValue(src_[pos_]));
        if (digits == 0 || digits > 16) Fail("Invalid number", t.line);
        t.kind = Token::Integer;
        t.integer = int64_t(negative ? ~v + 1 : v);
    } else {
        bool isFloat = false;
        while (pos_ < src_.size() && Digit(src_[pos_])) ++pos_;
        if (pos_ + 1 < src_.size() && src_[pos_] == '.' && Digit(src_[pos_ + 1])) {
            isFloat = true;
            for (++pos_; pos_ < src_.size() && Digit(src_[pos_]);) ++pos_;
        }
        if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
            if (p < src_.size() && Digit(src_[p])) {
                isFloat = true;
                for (pos_ = p; pos_ < src_.size() && Digit(src_[pos_]);) ++pos_;
            }
        }
        t.text = std::string(src_.substr(start, pos_ - start));
        if (pos_ < src_.size() && OneOf(src_[pos_], "sScCdD") &&
            !(pos_ + 1 < src_.size() && IdentChar(src_[pos_ + 1]))) {
            t.suffix = text::AsciiLower(src_[pos_++]);
            isFloat = true;
        }
        t.kind = isFloat ? Token::Float : Token::Integer;
        if (!isFloat) {
            uint64_t v = 0;
            for (size_t i = negative ? 1 : 0; i < t.text.size(); ++i) {
                const auto d = uint64_t(t.text[i] - '0');
                if (v > (UINT64_MAX - d) / 10) Fail("Invalid number", t.line);
                v = v * 10 + d;
            }
            if (v > uint64_t(INT64_MAX) + (negative ? 1 : 0)) Fail("Invalid number", t.line);
            t.integer = negative ? int64_t(~v + 1) : int64_t(v);
        }
    }
    if (pos_ < src_.size() && (IdentChar(src_[pos_]) || src_[pos_] == '.')) Fail("Invalid number", t.line);
    return t;
}

}  // namespace formtext
