// String values in form text, both ways.

#include "platform/core/FormStrings.h"

#include <optional>

#include "platform/core/Text.h"

namespace formtext {
namespace {

bool Printable(char32_t cp) { return cp >= 0x20 && cp != 0x7F && !(cp >= 0x80 && cp <= 0x9F); }

// One well-formed UTF-8 sequence at s[i], or nothing (the byte is not one).
std::optional<char32_t> DecodeUtf8(std::string_view s, size_t& i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + size_t(len) > s.size()) return std::nullopt;
    char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k < len; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + size_t(k)]);
        if ((cc & 0xC0) != 0x80) return std::nullopt;
        cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += size_t(len);
    return cp;
}

std::u16string Utf16Of(char32_t cp) {
    if (cp < 0x10000) return std::u16string(1, char16_t(cp));
    return {char16_t(0xD800 + ((cp - 0x10000) >> 10)), char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF))};
}

// Literal characters (UTF-8) and #nnn codes, laid out in quoted chunks.
class QuotedText {
public:
    void Literal(std::string utf8) { pieces_.push_back({true, std::move(utf8)}); }
    void Code(uint32_t code) {
        // Appended rather than "#" + to_string(): GCC 12 at -O3 reports a false
        // overlap (-Wrestrict) in the inlined insert at the front.
        std::string text(1, '#');
        text += std::to_string(code);
        pieces_.push_back({false, std::move(text)});
    }

    std::vector<std::string> Chunks(const char* prefix) const {
        std::vector<std::string> chunks(1, prefix);
        bool quoted = false;
        size_t width = 0;
        for (const Piece& p : pieces_) {
            if (width >= 64) {
                if (quoted) chunks.back() += '\'';
                chunks.emplace_back();
                quoted = false;
                width = 0;
            }
            if (p.literal != quoted) chunks.back() += '\'';
            quoted = p.literal;
            chunks.back() += p.literal && p.text == "'" ? "''" : p.text;
            width += p.literal ? 1 : p.text.size();
        }
        if (quoted) chunks.back() += '\'';
        if (pieces_.empty()) chunks.back() += "''";
        return chunks;
    }

private:
    struct Piece {
        bool literal;
        std::string text;
    };
    std::vector<Piece> pieces_;
};

std::vector<std::string> WideText(std::string_view payload) {
    std::u16string units(payload.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = char16_t(static_cast<unsigned char>(payload[2 * i]) |
                            (static_cast<unsigned char>(payload[2 * i + 1]) << 8));
    QuotedText q;
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        const bool pair =
            cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
        if (pair) cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
        if ((cp >= 0xD800 && cp <= 0xDFFF) || !Printable(cp)) {
            q.Code(units[i]);  // controls, and halves of pairs that are not pairs
            continue;
        }
        q.Literal(text::Utf16ToUtf8(Utf16Of(cp)));
        if (pair) ++i;
    }
    return q.Chunks("W");
}

std::vector<std::string> AnsiText(std::string_view bytes, bool ascii) {
    QuotedText q;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            if (Printable(b))
                q.Literal(std::string(1, c));
            else
                q.Code(b);
            continue;
        }
        // Literal only when the code page gives this very byte back.
        const std::string utf8 = text::AnsiToUtf8(std::string_view(&c, 1));
        bool lossless = false;
        const std::string back = text::Utf8ToAnsi(utf8, &lossless);
        size_t pos = 0;
        const auto cp = utf8.empty() ? std::nullopt : DecodeUtf8(utf8, pos);
        if (lossless && back == std::string(1, c) && cp && pos == utf8.size() && Printable(*cp))
            q.Literal(utf8);
        else
            q.Code(b);
    }
    return q.Chunks(ascii ? "" : "A");
}

// Plain when the writer's own choice gives the bytes back (valid, not ASCII
// and not held by the code page); otherwise byte-exact with the U prefix.
std::vector<std::string> Utf8Text(std::string_view bytes, bool plain) {
    QuotedText q;
    for (size_t i = 0; i < bytes.size();) {
        const size_t start = i;
        const auto cp = DecodeUtf8(bytes, i);
        if (cp && Printable(*cp)) {
            q.Literal(std::string(bytes.substr(start, i - start)));
        } else if (cp && plain) {
            q.Code(*cp);
        } else {
            if (!cp) i = start + 1;
            for (size_t k = start; k < i; ++k) q.Code(static_cast<unsigned char>(bytes[k]));
        }
    }
    return q.Chunks(plain ? "" : "U");
}

void WriteCounted(TWriter& writer, TValueType tag, const std::string& bytes, size_t unitSize) {
    const auto count = uint32_t(bytes.size() / unitSize);
    const uint8_t size[4] = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
    writer.WriteValue(tag);
    writer.Write(size, sizeof size);
    writer.Write(bytes.data(), bytes.size());
}

}  // namespace

std::vector<std::string> StringText(TValueType tag, std::string_view payload) {
    if (tag == TValueType::WString) return WideText(payload);
    bool ascii = true, valid = true;
    for (size_t i = 0; i < payload.size();) {
        if (static_cast<unsigned char>(payload[i]) >= 0x80) ascii = false;
        if (!DecodeUtf8(payload, i)) {
            valid = false;
            ++i;
        }
    }
    if (tag == TValueType::String || tag == TValueType::LString) return AnsiText(payload, ascii);
    return Utf8Text(payload, valid && !ascii && !text::ExactAnsi(payload));
}

void WriteStringValue(TWriter& writer, char prefix, const std::vector<StringPiece>& pieces, int line) {
    std::string bytes;
    auto checkCode = [&](uint32_t limit, uint32_t value) {
        if (value > limit) Fail("Invalid character code", line);
    };
    switch (prefix) {
        case 'A':
            for (const auto& p : pieces) {
                if (p.code) {
                    checkCode(0xFF, p.value);
                    bytes += char(p.value);
                    continue;
                }
                bool lossless = true;
                bytes += text::Utf8ToAnsi(p.literal, &lossless);
                if (!lossless) Fail("Character not in the ANSI code page", line);
            }
            if (bytes.size() > 255) return WriteCounted(writer, TValueType::LString, bytes, 1);
            writer.WriteValue(TValueType::String);
            writer.WriteStr(bytes);
            return;
        case 'U':
            for (const auto& p : pieces) {
                if (p.code) checkCode(0xFF, p.value);
                bytes += p.code ? std::string(1, char(p.value)) : p.literal;
            }
            return WriteCounted(writer, TValueType::Utf8String, bytes, 1);
        case 'W':
            for (const auto& p : pieces) {
                if (p.code) checkCode(0xFFFF, p.value);
                for (char16_t u : p.code ? std::u16string(1, char16_t(p.value)) : text::Utf8ToUtf16(p.literal)) {
                    bytes += char(u & 0xFF);
                    bytes += char(u >> 8);
                }
            }
            return WriteCounted(writer, TValueType::WString, bytes, 2);
        default:
            for (const auto& p : pieces) {
                if (p.code && p.value >= 0xD800 && p.value <= 0xDFFF) Fail("Invalid character code", line);
                bytes += p.code ? text::Utf16ToUtf8(Utf16Of(p.value)) : p.literal;
            }
            writer.WriteString(bytes);
            return;
    }
}

}  // namespace formtext
