#include "platform/core/FloatText.h"

#include <algorithm>

namespace floattext {
namespace {

// Non-negative integers of any size, 32-bit limbs, least significant first,
// no leading zero limbs. Only what the conversions need.
class BigInt {
public:
    BigInt() = default;
    explicit BigInt(uint64_t v) {
        while (v) {
            limbs_.push_back(uint32_t(v));
            v >>= 32;
        }
    }

    bool IsZero() const noexcept { return limbs_.empty(); }

    void MulAdd(uint32_t mul, uint32_t add) {
        uint64_t carry = add;
        for (uint32_t& limb : limbs_) {
            const uint64_t t = uint64_t(limb) * mul + carry;
            limb = uint32_t(t);
            carry = t >> 32;
        }
        if (carry) limbs_.push_back(uint32_t(carry));
    }
    void MulPow(uint32_t base, int exponent) {
        // The largest power of 5 or 10 that fits 32 bits, as often as it goes.
        const int step = base == 5 ? 13 : 9;
        uint32_t big = 1;
        for (int i = 0; i < step; ++i) big *= base;
        for (; exponent >= step; exponent -= step) MulAdd(big, 0);
        uint32_t rest = 1;
        for (int i = 0; i < exponent; ++i) rest *= base;
        if (rest != 1) MulAdd(rest, 0);
    }
    uint32_t DivSmall(uint32_t div) {
        uint64_t rem = 0;
        for (size_t i = limbs_.size(); i-- > 0;) {
            const uint64_t cur = (rem << 32) | limbs_[i];
            limbs_[i] = uint32_t(cur / div);
            rem = cur % div;
        }
        Trim();
        return uint32_t(rem);
    }
    BigInt Shifted(int bits) const {
        BigInt r;
        if (IsZero()) return r;
        const size_t whole = size_t(bits / 32);
        const int part = bits % 32;
        r.limbs_.assign(whole, 0);
        uint32_t carry = 0;
        for (uint32_t limb : limbs_) {
            r.limbs_.push_back(part ? (limb << part) | carry : limb);
            carry = part ? limb >> (32 - part) : 0;
        }
        if (carry) r.limbs_.push_back(carry);
        return r;
    }
    int BitLength() const noexcept {
        if (IsZero()) return 0;
        int bits = int(limbs_.size() - 1) * 32;
        for (uint32_t top = limbs_.back(); top; top >>= 1) ++bits;
        return bits;
    }
    friend int Compare(const BigInt& a, const BigInt& b) noexcept {
        if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
        for (size_t i = a.limbs_.size(); i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }
    void Subtract(const BigInt& b) {  // requires *this >= b
        int64_t borrow = 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            int64_t t = int64_t(limbs_[i]) - borrow - (i < b.limbs_.size() ? int64_t(b.limbs_[i]) : 0);
            borrow = t < 0 ? 1 : 0;
            if (t < 0) t += int64_t(1) << 32;
            limbs_[i] = uint32_t(t);
        }
        Trim();
    }
    std::string ToDecimal() const {
        if (IsZero()) return "0";
        BigInt t = *this;
        std::string out;
        while (!t.IsZero()) {
            uint32_t chunk = t.DivSmall(1000000000u);
            for (int i = 0; i < 9; ++i) {
                out += char('0' + chunk % 10);
                chunk /= 10;
            }
        }
        while (out.size() > 1 && out.back() == '0') out.pop_back();
        std::reverse(out.begin(), out.end());
        return out;
    }

private:
    void Trim() {
        while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
    }
    std::vector<uint32_t> limbs_;
};

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
    for (char c : digits) num.MulAdd(10, uint32_t(c - '0'));
    BigInt den(1);
    if (exp10 >= 0)
        num.MulPow(10, exp10);
    else
        den.MulPow(10, -exp10);

    // h: exponent of the value's leading bit.
    int h = num.BitLength() - den.BitLength();
    const bool atLeast = h >= 0 ? Compare(num, den.Shifted(h)) >= 0 : Compare(num.Shifted(-h), den) >= 0;
    if (!atLeast) --h;

    int lsb = std::max(h - (l.precision - 1), l.minExp - (l.precision - 1));
    BigInt rem = lsb < 0 ? num.Shifted(-lsb) : num;
    const BigInt div = lsb > 0 ? den.Shifted(lsb) : den;
    uint64_t q = 0;
    for (int i = std::min(rem.BitLength() - div.BitLength(), 63); i >= 0; --i) {
        const BigInt t = div.Shifted(i);
        if (Compare(rem, t) >= 0) {
            rem.Subtract(t);
            q |= uint64_t(1) << i;
        }
    }
    const int half = Compare(rem.Shifted(1), div);
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

    // The exact decimal expansion: sig * 2^exp2 = sig * 5^-exp2 * 10^exp2.
    BigInt n(sig);
    int exp10 = 0;
    if (exp2 >= 0) {
        n = n.Shifted(exp2);
    } else {
        n.MulPow(5, -exp2);
        exp10 = exp2;
    }
    std::string exact = n.ToDecimal();
    while (exact.size() > 1 && exact.back() == '0') {
        exact.pop_back();
        ++exp10;
    }
    const std::vector<uint8_t> want(image, image + ImageSize(format));
    const size_t limit = std::min(exact.size(), size_t(l.maxDigits));
    for (size_t count = 1; count <= limit; ++count) {
        int e = exp10;
        const std::string digits = RoundDigits(exact, count, e);
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
