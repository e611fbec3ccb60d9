#pragma once
// A set of enumeration members kept as a 32-bit mask (bit n = ordinal n), the
// form in which published set properties are read, written and streamed.

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> members) {
        for (E m : members) bits_ |= Bit(m);
    }
    static constexpr TSet FromBits(uint32_t bits) {
        TSet s;
        s.bits_ = bits;
        return s;
    }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool Has(E m) const { return (bits_ & Bit(m)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TSet& Include(E m) {
        bits_ |= Bit(m);
        return *this;
    }
    constexpr TSet& Exclude(E m) {
        bits_ &= ~Bit(m);
        return *this;
    }
    friend constexpr TSet operator|(TSet a, TSet b) { return FromBits(a.bits_ | b.bits_); }
    friend constexpr TSet operator&(TSet a, TSet b) { return FromBits(a.bits_ & b.bits_); }
    friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.bits_ & ~b.bits_); }
    friend constexpr bool operator==(TSet a, TSet b) { return a.bits_ == b.bits_; }

private:
    static constexpr uint32_t Bit(E m) { return uint32_t(1) << static_cast<unsigned>(m); }
    uint32_t bits_ = 0;
};
