#pragma once
// Exact conversion between decimal text and the binary floating-point images
// that component streams store (4-byte single, 8-byte double, 10-byte x87
// extended, all little-endian). Done in integer arithmetic, so that a form's
// text gives the same bytes with every compiler and C library, whatever their
// long double is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace floattext {

enum class TFloatFormat { Single, Double, Extended };

size_t ImageSize(TFloatFormat format) noexcept;  // 4, 8, 10

// The shortest decimal that Parse turns back into exactly `image` (which
// holds ImageSize(format) bytes): "1.5", "-0.0", "1.0E-300"; always with a
// '.'. Nullopt for infinities, NaNs and the x87 encodings that no number
// produces (pseudo-denormals, unnormals).
std::optional<std::string> Format(const uint8_t* image, TFloatFormat format);

// [-+]digits[.digits][(e|E)[-+]digits], rounded to the nearest image (ties to
// even); values beyond the range give infinity. Nullopt when malformed.
std::optional<std::vector<uint8_t>> Parse(std::string_view text, TFloatFormat format);

}  // namespace floattext
