#pragma once
// The tokens of form text (see Filer.h), for ObjectTextToBinary.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace formtext {

struct StringPiece {
    bool code;
    std::string literal;  // UTF-8 text between quotes
    uint32_t value;       // #nnn
};

struct Token {
    enum Kind { End, Ident, Integer, Float, String, Symbol } kind = End;
    std::string text;  // identifier, symbol, or a number as written
    char suffix = 0;   // float: s, c, d or none; string: prefix A, U, W, X or none
    int64_t integer = 0;
    std::vector<StringPiece> pieces;
    int line = 1;

    bool Is(char symbol) const { return kind == Symbol && text[0] == symbol; }
};

// Raises EParserError "<what> on line <line>".
[[noreturn]] void Fail(std::string_view what, int line);

class Lexer {
public:
    explicit Lexer(std::string_view src);

    Token Next();
    // The hex digits of a binary value, after its '{', up to and over '}'.
    std::vector<uint8_t> HexBlock();
    int Line() const noexcept { return line_; }

private:
    void SkipBlanks();
    Token StringToken(Token& t, char prefix);
    Token NumberToken(Token& t);

    std::string_view src_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace formtext
