#include "platform/win/LocalePictures.h"

namespace {

bool IsAsciiLetter(char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Characters the target language reads as something other than themselves.
bool NeedsQuotes(char c) noexcept { return IsAsciiLetter(c) || c == '/' || c == ':' || c == '\'' || c == '"'; }

// Collects the result, joining neighbouring quoted characters into one
// quoted run.
class PictureWriter {
public:
    PictureWriter(char separator, char token) : separator_(separator), token_(token) {}

    void Code(std::string_view code) {
        Flush();
        out_ += code;
    }
    // A character that is to appear as itself; `mayBeSeparator` when it
    // stands outside quotes, where the locale's separator becomes the token.
    void Literal(char c, bool mayBeSeparator) {
        if (mayBeSeparator && c == separator_) {
            Code(std::string_view(&token_, 1));
        } else if (c == '"') {
            Code("'\"'");
        } else if (NeedsQuotes(c)) {
            quoted_ += c;
        } else {
            Code(std::string_view(&c, 1));
        }
    }
    std::string Take() {
        Flush();
        return std::move(out_);
    }

private:
    void Flush() {
        if (quoted_.empty()) return;
        out_ += '"';
        out_ += quoted_;
        out_ += '"';
        quoted_.clear();
    }
    char separator_, token_;
    std::string out_, quoted_;
};

size_t RunLength(std::string_view s, size_t at) noexcept {
    size_t n = 1;
    while (at + n < s.size() && s[at + n] == s[at]) ++n;
    return n;
}

}  // namespace

std::string PictureFromWindows(std::string_view picture, char separator, char token) {
    PictureWriter out(separator, token);
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted literal text; a doubled quote inside stands for one quote.
            size_t j = i + 1;
            for (; j < picture.size(); ++j) {
                if (picture[j] != '\'') {
                    out.Literal(picture[j], false);
                } else if (j + 1 < picture.size() && picture[j + 1] == '\'') {
                    out.Literal('\'', false);
                    ++j;
                } else {
                    break;
                }
            }
            i = j + 1;
            continue;
        }
        const size_t run = RunLength(picture, i);
        switch (c) {
        case 'd':
            out.Code(std::string(run, 'd'));
            break;
        case 'M':
            out.Code(std::string(run, 'm'));
            break;
        case 'y':
            out.Code(run <= 2 ? "yy" : "yyyy");
            break;
        case 'g':
            break;  // era: nothing in the target language shows it
        case 'H':
        case 'h':
            out.Code(run >= 2 ? "hh" : "h");
            break;
        case 'm':
            out.Code(run >= 2 ? "nn" : "n");
            break;
        case 's':
            out.Code(run >= 2 ? "ss" : "s");
            break;
        case 't':
            out.Code("ampm");
            break;
        default:
            for (size_t k = 0; k < run; ++k) out.Literal(c, true);
            break;
        }
        i += run;
    }
    return out.Take();
}

char SeparatorFromWindows(std::string_view utf8, char fallback) noexcept {
    if (utf8.empty()) return fallback;
    const unsigned char first = static_cast<unsigned char>(utf8[0]);
    if (first < 0x80) return char(first);
    if (utf8.substr(0, 2) == "\xC2\xA0") return ' ';
    return fallback;
}
