#include "platform/core/FloatText.h"

#include "platform/core/BigInt.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace floattext {
namespace {

struct Layout {
    int precision;  // significand bits, the leading one included
    int minExp;     // exponent of the leading bit of the smallest normal
    int maxExp;
    int bias;
    bool explicitLeadingBit;
    int expBits;
    int maxDigits;  // decimal digits that always suffice to round-trip
};

Layout LayoutOf(TFloatFormat f) {
    switch (f) {
        case TFloatFormat::Single: return {24, -126, 127, 127, false, 8, 9};
        case TFloatFormat::Double: return {53, -1022, 1023, 1023, false, 11, 17};
        case TFloatFormat::Extended: break;
    }
    return {64, -16382, 16383, 16383, true, 15, 21};
}

// Bits of an image as sign, biased exponent and stored significand field.
struct Fields {
    bool negative = false;
    int biased = 0;
    uint64_t field = 0;
};

int FieldBits(const Layout& l) { return l.explicitLeadingBit ? l.precision : l.precision - 1; }

std::vector<uint8_t> Encode(const Layout& l, const Fields& f) {
    const int fieldBits = FieldBits(l);
    const size_t size = size_t(1 + l.expBits + fieldBits) / 8;
    std::vector<uint8_t> image(size, 0);
    // Assembled bit by bit: the three layouts put their fields at different
    // offsets, and 80 bits fit no integer type.
    auto put = [&](int bit, bool on) {
        if (on) image[size_t(bit / 8)] |= uint8_t(1u << (bit % 8));
    };
    for (int i = 0; i < fieldBits; ++i) put(i, (f.field >> i) & 1);
    for (int i = 0; i < l.expBits; ++i) put(fieldBits + i, (f.biased >> i) & 1);
    put(fieldBits + l.expBits, f.negative);
    return image;
}

Fields Decode(const Layout& l, const uint8_t* image) {
    const int fieldBits = FieldBits(l);
    auto get = [&](int bit) { return (image[bit / 8] >> (bit % 8)) & 1; };
    Fields f;
    for (int i = 0; i < fieldBits; ++i) f.field |= uint64_t(get(i)) << i;
    for (int i = 0; i < l.expBits; ++i) f.biased |= get(fieldBits + i) << i;
    f.negative = get(fieldBits + l.expBits) != 0;
    return f;
}

// digits * 10^exp10, correctly rounded. `digits` has no leading zeros.
std::vector<uint8_t> FromDecimal(const Layout& l, bool negative, const std::string& digits, int exp10) {
    Fields f;
    f.negative = negative;
    const int len = int(digits.size());
    if (digits.empty() || digits == "0" || len + exp10 < -4960) return Encode(l, f);  // zero
    if (len - 1 + exp10 > 4940) {
        f.biased = (1 << l.expBits) - 1;
        f.field = l.explicitLeadingBit ? uint64_t(1) << 63 : 0;
        return Encode(l, f);
    }
    BigInt num;
    // Nine digits at a time: a text may bring thousands.
    for (size_t i = 0; i < digits.size(); i += 9) {
        uint32_t chunk = 0, scale = 1;
        for (size_t j = i; j < std::min(i + 9, digits.size()); ++j) {
            chunk = chunk * 10 + uint32_t(digits[j] - '0');
            scale *= 10;
        }
        num.MulAdd(scale, chunk);
    }
    BigInt den(1);
    if (exp10 >= 0)
        num.MulPow(10, exp10);
    else
        den.MulPow(10, -exp10);

    // h: exponent of the value's leading bit.
    int h = num.BitLength() - den.BitLength();
    const bool atLeast = h >= 0 ? CompareShifted(num, den, h) >= 0 : CompareShifted(den, num, -h) <= 0;
    if (!atLeast) --h;

    int lsb = std::max(h - (l.precision - 1), l.minExp - (l.precision - 1));
    BigInt rem = lsb < 0 ? num.Shifted(-lsb) : num;
    const BigInt div = lsb > 0 ? den.Shifted(lsb) : den;
    // Below 2^precision, by the choice of lsb.
    uint64_t q = rem.DivideBy(div).Low64();
    const int half = -CompareShifted(div, rem, 1);  // rem * 2 against div
    if (half > 0 || (half == 0 && (q & 1))) {
        const bool carry = l.precision == 64 ? q == ~uint64_t(0) : q + 1 == uint64_t(1) << l.precision;
        if (carry) {
            q = uint64_t(1) << (l.precision - 1);
            ++lsb;
        } else {
            ++q;
        }
    }
    if (q == 0) return Encode(l, f);
    const uint64_t leading = uint64_t(1) << (l.precision - 1);
    if (q >= leading) {
        const int exp = lsb + l.precision - 1;
        if (exp > l.maxExp) {
            f.biased = (1 << l.expBits) - 1;
            f.field = l.explicitLeadingBit ? uint64_t(1) << 63 : 0;
            return Encode(l, f);
        }
        f.biased = exp + l.bias;
        f.field = l.explicitLeadingBit ? q : q - leading;
    } else {
        f.field = q;  // denormal
    }
    return Encode(l, f);
}

// Rounds the exact digit string to `count` digits, ties to even; `exp10` is
// the power of ten of the last digit and follows the rounding.
std::string RoundDigits(const std::string& exact, size_t count, int& exp10) {
    std::string r = exact.substr(0, count);
    exp10 += int(exact.size() - count);
    if (count == exact.size()) return r;
    const char next = exact[count];
    const bool tail = exact.find_first_not_of('0', count + 1) != std::string::npos;
    const bool up = next > '5' || (next == '5' && (tail || ((r.back() - '0') & 1)));
    if (up) {
        size_t i = r.size();
        while (i > 0 && r[i - 1] == '9') r[--i] = '0';
        if (i == 0)
            r.insert(r.begin(), '1');
        else
            ++r[i - 1];
    }
    while (r.size() > 1 && r.back() == '0') {
        r.pop_back();
        ++exp10;
    }
    return r;
}

// The first `count` significant decimal digits of sig * 2^exp2 (sig > 0),
// cut off, with the power of ten of the first one and whether a non-zero
// digit follows them. The work is in numbers of about `count` digits, however
// large or small the value.
struct TLeading {
    std::string digits;
    int lead = 0;
    bool more = false;
};

TLeading LeadingDigits(uint64_t sig, int exp2, int count) {
    int top = 63;
    while (!((sig >> top) & 1)) --top;
    // log10 of the value lies in [b, b + 1) * log10(2), b the exponent of its
    // leading bit, so value * 10^s has count or count + 1 digits.
    const int b = top + exp2;
    int s = count - 1 - int(std::floor(b * 0.30102999566398120));
    for (;;) {
        // value * 10^s = sig * 2^(exp2 + s) * 5^s
        BigInt num(sig), den(1);
        if (s >= 0)
            num.MulPow(5, s);
        else
            den.MulPow(5, -s);
        const int twos = exp2 + s;
        TLeading r;
        BigInt q;
        if (twos < 0 && s >= 0) {
            // A power of two below: the digits are a shift away.
            r.more = num.ShiftRight(-twos);
            q = num;
        } else {
            BigInt rem = twos >= 0 ? num.Shifted(twos) : num;
            q = rem.DivideBy(twos >= 0 ? den : den.Shifted(-twos));
            r.more = !rem.IsZero();
        }
        r.digits = q.ToDecimal();
        if (int(r.digits.size()) < count) {  // the estimate is never this far off; kept safe anyway
            ++s;
            continue;
        }
        while (int(r.digits.size()) > count) {
            r.more = r.more || r.digits.back() != '0';
            r.digits.pop_back();
            --s;
        }
        r.lead = count - 1 - s;
        return r;
    }
}

// A digit string as a number; only for estimates.
long double DigitValue(const std::string& digits) {
    long double v = 0;
    for (char c : digits) v = v * 10 + (c - '0');
    return v;
}

std::string ToText(bool negative, const std::string& digits, int exp10) {
    const int len = int(digits.size());
    const int lead = len - 1 + exp10;  // power of ten of the first digit
    std::string out = negative ? "-" : "";
    if (lead < -5 || lead >= 15) {
        out += digits[0];
        out += '.';
        out += len > 1 ? digits.substr(1) : "0";
        out += 'E';
        out += std::to_string(lead);
    } else if (exp10 >= 0) {
        out += digits + std::string(size_t(exp10), '0') + ".0";
    } else if (len + exp10 > 0) {
        out += digits.substr(0, size_t(len + exp10)) + "." + digits.substr(size_t(len + exp10));
    } else {
        out += "0." + std::string(size_t(-(len + exp10)), '0') + digits;
    }
    return out;
}

}  // namespace

size_t ImageSize(TFloatFormat format) noexcept {
    switch (format) {
        case TFloatFormat::Single: return 4;
        case TFloatFormat::Double: return 8;
        case TFloatFormat::Extended: break;
    }
    return 10;
}

std::optional<std::string> Format(const uint8_t* image, TFloatFormat format) {
    const Layout l = LayoutOf(format);
    const Fields f = Decode(l, image);
    const int maxBiased = (1 << l.expBits) - 1;
    if (f.biased == maxBiased) return std::nullopt;
    uint64_t sig = f.field;
    int exp2;
    if (l.explicitLeadingBit) {
        const bool leading = (sig >> 63) != 0;
        if (leading != (f.biased != 0)) return std::nullopt;  // pseudo-denormal or unnormal
    } else if (f.biased != 0) {
        sig |= uint64_t(1) << (l.precision - 1);
    }
    if (sig == 0) return std::string(f.negative ? "-0.0" : "0.0");
    exp2 = std::max(f.biased, 1) - l.bias - (l.precision - 1);

    // The decimal digits that rounding to at most maxDigits digits can look
    // at: maxDigits + 1 of them, and whether any non-zero one follows, which
    // a final '1' stands for. (The whole expansion of an extended number runs
    // to thousands of digits.)
    const int generated = l.maxDigits + 1;
    const TLeading leading = LeadingDigits(sig, exp2, generated);
    std::string exact = leading.digits;
    if (leading.more) {
        exact += '1';
    } else {
        while (exact.size() > 1 && exact.back() == '0') exact.pop_back();
    }
    const int exp10 = leading.lead - int(exact.size() - 1);  // power of ten of the last digit
    const long double exactValue = DigitValue(exact);
    // Reading back exactly is costly at the ends of the range. A rounding
    // further from the number than half a unit of its last binary place
    // cannot read back as it: those are passed over on an estimate. Its
    // margin covers the arithmetic's own error and the digits beyond those
    // generated, up to one unit of the last of them.
    const long double margin =
        256 * std::numeric_limits<long double>::epsilon() + std::pow(10.0L, 1 - generated);
    const long double halfUnit = 0.5L / static_cast<long double>(sig);
    const std::vector<uint8_t> want(image, image + ImageSize(format));
    const size_t limit = std::min(exact.size(), size_t(l.maxDigits));
    for (size_t count = 1; count <= limit; ++count) {
        int e = exp10;
        const std::string digits = RoundDigits(exact, count, e);
        long double rounded = DigitValue(digits);
        for (int k = exp10; k < e; ++k) rounded *= 10;
        if (std::fabs(rounded / exactValue - 1) > halfUnit + margin) continue;
        if (FromDecimal(l, f.negative, digits, e) == want) return ToText(f.negative, digits, e);
    }
    return ToText(f.negative, exact, exp10);  // not reached: maxDigits always suffice
}

std::optional<std::vector<uint8_t>> Parse(std::string_view text, TFloatFormat format) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::string digits;
    int exp10 = 0;
    bool any = false;
    bool dropped = false;  // a non-zero digit beyond those kept
    // Digits beyond the most any image can need to round correctly (an
    // exact x87 denormal has fewer than 11,500) only matter as "more".
    constexpr size_t kKeep = 12000;
    auto take = [&](char c, bool fraction) {
        any = true;
        if (digits.empty() && c == '0') {
            if (fraction) --exp10;
            return;
        }
        if (digits.size() < kKeep) {
            digits += c;
            if (fraction) --exp10;
        } else {
            if (c != '0') dropped = true;
            if (!fraction) ++exp10;
        }
    };
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') take(text[i++], false);
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') take(text[i++], true);
    }
    if (!any) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) expNegative = text[i++] == '-';
        if (i == text.size()) return std::nullopt;
        int e = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            e = std::min(e * 10 + (text[i++] - '0'), 1000000);  // far beyond any range
        }
        exp10 += expNegative ? -e : e;
    }
    if (i != text.size()) return std::nullopt;
    if (dropped) {
        digits += '1';
        --exp10;
    }
    return FromDecimal(LayoutOf(format), negative, digits, exp10);
}

}  // namespace floattext
