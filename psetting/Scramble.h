#pragma once
// The scrambled form of a setting's value: a plain block chained modulo 255
// from a random first byte R and XORed with the setting's UniqueName.
//
// The plain block is the String "TPSOK", the Int32 kind and the payload.
// Working modulo 255, the chain cannot carry a plain byte 255 (it comes back
// as 0), so a block that holds one is stored instead as the String "TPSOE"
// followed by the kind and payload with 254 written as 254 0 and 255 as
// 254 1. Readers that know only "TPSOK" find no value in that form rather
// than a wrong one; blocks without a 255 keep the "TPSOK" form unchanged.
//
// An empty key (a setting without Name and BoundProperty) counts as key
// bytes of 0: the value is still stored and restored, only without the
// name's part in the scrambling.
//
// Plain bytes only, no Windows types: the codec also builds natively.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace scramble {

// C[0] = r, then each plain byte chained and XORed with the key.
std::vector<uint8_t> Scramble(const std::vector<uint8_t>& plain, std::string_view key, uint8_t r);
// The plain block of `size` - 1 bytes; nothing for no data at all.
std::vector<uint8_t> Unscramble(const uint8_t* data, size_t size, std::string_view key);

// The plain block for an Int32 kind followed by its payload.
std::vector<uint8_t> MakeBlock(const std::vector<uint8_t>& kindAndPayload);
// The kind and payload of a plain block in either form; nothing when the
// block begins with neither magic or its escapes are broken.
std::optional<std::vector<uint8_t>> OpenBlock(const std::vector<uint8_t>& plain);

// Where R comes from: by default a generator reseeded from the clock for
// every value. Tests fix it; null puts the clock back. Gives the previous.
using TSeedSource = uint8_t (*)();
TSeedSource SetSeedSource(TSeedSource source) noexcept;
uint8_t DrawSeed();

}  // namespace scramble
