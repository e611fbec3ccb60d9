#include "platform/core/BigInt.h"

#include <algorithm>
#include <bit>

namespace floattext {
namespace {

constexpr int kTableStep = 256;  // the table holds 5^(256 j)

BigInt PowerOfFive(int exponent) {
    BigInt r(1);
    r.MulPow(5, exponent);
    return r;
}

// 5^(256 j) up to the largest power a conversion asks for: a text of
// 12,000 digits at the bottom of the extended range needs 5^16,961. Built
// once, on the first large power (about 170 KB); after that any power takes
// one multiplication and a few small steps instead of hundreds of passes.
const std::vector<BigInt>& FivesTable() {
    static const std::vector<BigInt> table = [] {
        std::vector<BigInt> t{BigInt(1)};
        const BigInt step = PowerOfFive(kTableStep - 1) * BigInt(5);
        for (int j = 1; j * kTableStep <= 17152; ++j) t.push_back(t.back() * step);
        return t;
    }();
    return table;
}

}  // namespace

BigInt::BigInt(uint64_t v) {
    while (v) {
        limbs_.push_back(uint32_t(v));
        v >>= 32;
    }
}

int BigInt::BitLength() const noexcept {
    if (IsZero()) return 0;
    int bits = int(limbs_.size() - 1) * 32;
    for (uint32_t top = limbs_.back(); top; top >>= 1) ++bits;
    return bits;
}

uint64_t BigInt::Low64() const noexcept {
    return (limbs_.size() > 1 ? uint64_t(limbs_[1]) << 32 : 0) | (limbs_.empty() ? 0 : limbs_[0]);
}

void BigInt::MulAdd(uint32_t mul, uint32_t add) {
    uint64_t carry = add;
    for (uint32_t& limb : limbs_) {
        const uint64_t t = uint64_t(limb) * mul + carry;
        limb = uint32_t(t);
        carry = t >> 32;
    }
    if (carry) limbs_.push_back(uint32_t(carry));
}

void BigInt::MulPow(uint32_t base, int exponent) {
    if (base == 10) {  // 10^e = 5^e * 2^e
        MulPow(5, exponent);
        *this = Shifted(exponent);
        return;
    }
    if (exponent >= kTableStep) {
        const std::vector<BigInt>& table = FivesTable();
        while (exponent >= kTableStep) {
            const size_t j = std::min(size_t(exponent / kTableStep), table.size() - 1);
            *this = *this * table[j];
            exponent -= int(j) * kTableStep;
        }
    }
    // 5^13, the largest power of five that fits 32 bits, as often as it goes.
    for (; exponent >= 13; exponent -= 13) MulAdd(1220703125u, 0);
    uint32_t rest = 1;
    for (int i = 0; i < exponent; ++i) rest *= 5;
    if (rest != 1) MulAdd(rest, 0);
}

uint32_t BigInt::DivSmall(uint32_t div) {
    uint64_t rem = 0;
    for (size_t i = limbs_.size(); i-- > 0;) {
        const uint64_t cur = (rem << 32) | limbs_[i];
        limbs_[i] = uint32_t(cur / div);
        rem = cur % div;
    }
    Trim();
    return uint32_t(rem);
}

BigInt BigInt::Shifted(int bits) const {
    BigInt r;
    if (IsZero()) return r;
    const size_t length = size_t(BitLength() + bits + 31) / 32;
    r.limbs_.resize(length);
    for (size_t i = 0; i < length; ++i) r.limbs_[i] = ShiftedLimb(i, bits);
    r.Trim();
    return r;
}

bool BigInt::ShiftRight(int bits) {
    const size_t whole = std::min(size_t(bits / 32), limbs_.size());
    const int part = bits % 32;
    bool lost = false;
    for (size_t i = 0; i < whole; ++i) lost |= limbs_[i] != 0;
    limbs_.erase(limbs_.begin(), limbs_.begin() + std::ptrdiff_t(whole));
    if (part && !limbs_.empty()) {
        lost |= (limbs_[0] & ((uint32_t(1) << part) - 1)) != 0;
        for (size_t i = 0; i < limbs_.size(); ++i) {
            const uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << (32 - part) : 0;
            limbs_[i] = (limbs_[i] >> part) | high;
        }
    }
    Trim();
    return lost;
}

BigInt BigInt::DivideBy(const BigInt& div) {
    BigInt q;
    if (Compare(*this, div) < 0) return q;
    const size_t n = div.limbs_.size();
    if (n == 1) {
        q = *this;
        *this = BigInt(q.DivSmall(div.limbs_[0]));
        return q;
    }
    // Long division by 32-bit digits, each estimated from the top two limbs
    // and corrected (at most twice, then once more on a negative rest), with
    // the divisor shifted so that its top limb has its high bit set.
    const int norm = std::countl_zero(div.limbs_.back());
    const size_t m = limbs_.size();
    std::vector<uint32_t> vn(n), un(m + 1);
    for (size_t i = 0; i < n; ++i) vn[i] = div.ShiftedLimb(i, norm);
    for (size_t i = 0; i <= m; ++i) un[i] = ShiftedLimb(i, norm);
    constexpr uint64_t kBase = uint64_t(1) << 32;
    q.limbs_.assign(m - n + 1, 0);
    for (size_t j = m - n + 1; j-- > 0;) {
        const uint64_t top = (uint64_t(un[j + n]) << 32) | un[j + n - 1];
        uint64_t qhat = top / vn[n - 1], rhat = top % vn[n - 1];
        while (qhat >= kBase || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
            --qhat;
            rhat += vn[n - 1];
            if (rhat >= kBase) break;
        }
        int64_t borrow = 0, t = 0;
        for (size_t i = 0; i < n; ++i) {
            const uint64_t p = qhat * vn[i];
            t = int64_t(un[i + j]) - borrow - int64_t(p & 0xFFFFFFFFu);
            un[i + j] = uint32_t(t);
            borrow = int64_t(p >> 32) - (t >> 32);
        }
        t = int64_t(un[j + n]) - borrow;
        un[j + n] = uint32_t(t);
        if (t < 0) {  // one too many: add the divisor back
            --qhat;
            uint64_t carry = 0;
            for (size_t i = 0; i < n; ++i) {
                const uint64_t sum = uint64_t(un[i + j]) + vn[i] + carry;
                un[i + j] = uint32_t(sum);
                carry = sum >> 32;
            }
            un[j + n] += uint32_t(carry);
        }
        q.limbs_[j] = uint32_t(qhat);
    }
    q.Trim();
    un.resize(n);
    limbs_ = std::move(un);
    Trim();
    ShiftRight(norm);  // the rest was scaled with the operands
    return q;
}

std::string BigInt::ToDecimal() const {
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

int CompareShifted(const BigInt& a, const BigInt& b, int shift) noexcept {
    const size_t lb = b.IsZero() ? 0 : size_t(b.BitLength() + shift + 31) / 32;
    if (a.limbs_.size() != lb) return a.limbs_.size() < lb ? -1 : 1;
    for (size_t i = lb; i-- > 0;) {
        const uint32_t x = a.limbs_[i], y = b.ShiftedLimb(i, shift);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

BigInt operator*(const BigInt& a, const BigInt& b) {
    BigInt r;
    if (a.IsZero() || b.IsZero()) return r;
    r.limbs_.assign(a.limbs_.size() + b.limbs_.size(), 0);
    for (size_t i = 0; i < a.limbs_.size(); ++i) {
        uint64_t carry = 0;
        for (size_t j = 0; j < b.limbs_.size(); ++j) {
            const uint64_t t = uint64_t(a.limbs_[i]) * b.limbs_[j] + r.limbs_[i + j] + carry;
            r.limbs_[i + j] = uint32_t(t);
            carry = t >> 32;
        }
        r.limbs_[i + b.limbs_.size()] = uint32_t(carry);
    }
    r.Trim();
    return r;
}

void BigInt::Trim() noexcept {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

uint32_t BigInt::ShiftedLimb(size_t index, int shift) const noexcept {
    const size_t whole = size_t(shift / 32);
    const int part = shift % 32;
    if (index < whole) return 0;
    const size_t j = index - whole;
    const uint32_t low = j < limbs_.size() ? limbs_[j] << part : 0;
    const uint32_t high = part && j >= 1 && j - 1 < limbs_.size() ? limbs_[j - 1] >> (32 - part) : 0;
    return low | high;
}

}  // namespace floattext
