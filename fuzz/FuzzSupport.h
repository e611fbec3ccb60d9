#pragma once
// What every fuzz target shares. A target returns quietly when the input is
// refused with one of the toolkit's own exceptions (the documented way bad
// input fails); anything else is a finding: a sanitizer report, an exception
// of another type escaping, or a FUZZ_CHECK that does not hold, which prints
// what was expected and aborts.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition, what)                                                                   \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "FUZZ CHECK FAILED at %s:%d: %s\n  (%s)\n", __FILE__, __LINE__, what, \
                         #condition);                                                                 \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

namespace fuzz {

using Bytes = std::vector<uint8_t>;

// Takes bytes off the front of the input, for targets that pick a mode or a
// case from the input before the data proper.
class TInput {
public:
    TInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // The rest, as bytes or as text.
    Bytes Rest() const { return Bytes(data_ + pos_, data_ + size_); }
    std::string_view RestText() const {
        return std::string_view(reinterpret_cast<const char*>(data_ + pos_), size_ - pos_);
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// Shown with a failed check: the first bytes of two differing results.
inline void ShowDifference(const char* what, const Bytes& a, const Bytes& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    std::fprintf(stderr, "%s: sizes %zu and %zu, first difference at byte %zu\n", what, a.size(), b.size(), i);
    // The bytes around the difference, so that a finding explains itself.
    const size_t from = i < 16 ? 0 : i - 16;
    for (const Bytes* side : {&a, &b}) {
        std::fprintf(stderr, "  %zu:", from);
        for (size_t k = from; k < side->size() && k < i + 16; ++k) std::fprintf(stderr, " %02x", (*side)[k]);
        std::fprintf(stderr, "\n");
    }
}
inline void ShowDifference(const char* what, const std::string& a, const std::string& b) {
    std::fprintf(stderr, "%s:\n--- first\n%s\n--- second\n%s\n", what, a.c_str(), b.c_str());
}

}  // namespace fuzz
