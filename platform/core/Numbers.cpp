#include "platform/core/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/core/Extended.h"
#include "platform/core/FloatText.h"

TFormatSettings& FormatSettings() noexcept {
    static TFormatSettings settings;
    return settings;
}

long double RoundHalfEven(long double v) noexcept {
    // Nothing here converts to an integer type, so huge values (which are
    // all whole numbers) go through unchanged instead of overflowing.
    if (!std::isfinite(v)) return v;
    // Both the whole part and the remainder are exact, so comparing the
    // remainder with one half decides without any rounding error (a naive
    // floor(v + 0.5) turns 0.49999999999999994 into 1).
    const long double whole = std::trunc(v);
    const long double rest = std::fabs(v - whole);
    const long double away = whole + (v < 0 ? -1.0L : 1.0L);
    if (rest > 0.5L) return away;
    if (rest < 0.5L) return whole;
    return std::fmod(whole, 2.0L) == 0 ? whole : away;
}

namespace {

// More digits than any long double needs to round-trip (21 for the x87 type);
// beyond that the digits only spell out the binary value.
constexpr int kMaxPrecision = 40;

bool IsBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimBlanks(std::string_view s) noexcept {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// A well-formed decimal, rounded once to the nearest long double: to the x87
// type where long double is that, else to a double.
long double ParseExact(const std::string& text) {
    constexpr bool kExtended = std::numeric_limits<long double>::digits == 64;
    const auto image =
        floattext::Parse(text, kExtended ? floattext::TFloatFormat::Extended : floattext::TFloatFormat::Double);
    if (kExtended) {
        TExtended10 extended;
        std::copy(image->begin(), image->end(), extended.bytes.begin());
        return extended.ToLongDouble();
    }
    double narrow = 0;
    std::memcpy(&narrow, image->data(), sizeof narrow);
    return narrow;
}

}  // namespace

std::string FloatToText(long double v, int precision) { return FloatToText(v, FormatSettings(), precision); }

std::string FloatToText(long double v, const TFormatSettings& fs, int precision) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    if (v == 0) return "0";  // also for negative zero
    precision = std::clamp(precision, 1, kMaxPrecision);

    // The scientific form rounds correctly to `precision` digits, and its
    // exponent is that of the rounded value, which is what decides the layout
    // (9.9999999999999999 shows as "10", not "9.99...").
    char buf[kMaxPrecision + 32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision - 1);
    const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));

    const bool negative = sci.front() == '-';
    const size_t ePos = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, ePos))
        if (IsDigit(c)) digits += c;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+' ? 1 : 0), sci.data() + sci.size(), exponent);

    std::string out;
    if (negative) out += '-';
    const int intDigits = exponent + 1;
    if (intDigits <= precision && exponent >= -5) {
        if (exponent < 0) {
            out += '0';
            out += fs.decimalSeparator;
            out.append(static_cast<size_t>(-exponent - 1), '0');
            out += digits;
        } else {
            const size_t n = static_cast<size_t>(intDigits);
            if (digits.size() <= n) {
                out += digits;
                out.append(n - digits.size(), '0');
            } else {
                out.append(digits, 0, n);
                out += fs.decimalSeparator;
                out.append(digits, n);
            }
        }
    } else {
        out += digits[0];
        if (digits.size() > 1) {
            out += fs.decimalSeparator;
            out.append(digits, 1);
        }
        out += 'E';
        if (exponent < 0) out += '-';
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    }
    return out;
}

std::optional<long double> TextToFloat(std::string_view s) { return TextToFloat(s, FormatSettings()); }

std::optional<long double> TextToFloat(std::string_view s, const TFormatSettings& fs) {
    s = TrimBlanks(s);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // All digits without the separator, and how many came before it.
    std::string mantissa;
    long long before = -1;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i]))
            mantissa += s[i];
        else if (s[i] == fs.decimalSeparator && before < 0)
            before = static_cast<long long>(mantissa.size());
        else
            break;
    }
    if (mantissa.empty()) return std::nullopt;
    if (before < 0) before = static_cast<long long>(mantissa.size());

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) expNegative = s[i++] == '-';
        if (i == s.size() || !IsDigit(s[i])) return std::nullopt;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            // Saturates far beyond any long double's range, so that a long
            // exponent can neither overflow nor change the verdict.
            if (exponent < 1000000) exponent = exponent * 10 + (s[i] - '0');
        }
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    // Leading zeros carry no value; dropping them keeps the scale small.
    const size_t firstSignificant = std::min(mantissa.find_first_not_of('0'), mantissa.size());
    mantissa.erase(0, firstSignificant);
    before -= static_cast<long long>(firstSignificant);
    if (mantissa.empty()) return negative ? -0.0L : 0.0L;
    // The same exact conversion as the component streams', so that a number
    // reads the same from a form and from a setting; the C library's strtold
    // rounds some ties among the smallest denormals to the smallest normal.
    const long long scale = exponent + before - static_cast<long long>(mantissa.size());
    const std::string normalized = (negative ? "-" : "") + mantissa + "e" + std::to_string(scale);
    const long double value = ParseExact(normalized);
    if (std::isinf(value)) return std::nullopt;
    return value;
}

std::string IntToText(int64_t v) {
    char buf[24];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::optional<int64_t> TextToInt(std::string_view s) {
    s = TrimBlanks(s);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == s.size()) return std::nullopt;
    // The magnitude is gathered unsigned, so that the most negative value,
    // whose magnitude int64 cannot hold, still parses.
    uint64_t magnitude = 0;
    const auto res = std::from_chars(s.data() + i, s.data() + s.size(), magnitude, base);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size()) return std::nullopt;
    constexpr uint64_t kMaxPositive = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (negative) {
        if (magnitude > kMaxPositive + 1) return std::nullopt;
        return magnitude == kMaxPositive + 1 ? std::numeric_limits<int64_t>::min()
                                             : -static_cast<int64_t>(magnitude);
    }
    if (magnitude > kMaxPositive) return std::nullopt;
    return static_cast<int64_t>(magnitude);
}
