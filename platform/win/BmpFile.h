#pragma once
// The .bmp file format (internal to TBitmap): checks an image and finds its
// parts, and writes pixels as a file image.

#include <cstdint>
#include <optional>
#include <vector>

struct TBmpImage {
    // A BITMAPINFOHEADER (40 bytes) and the palette as RGBQUADs, whatever
    // header the file had.
    std::vector<uint8_t> info;
    const uint8_t* bits = nullptr;  // inside the parsed bytes
    int width = 0;
    int height = 0;  // positive; the header says which way the rows go
};

// Nothing unless `bytes` is a complete uncompressed image of 1, 4, 8, 16,
// 24 or 32 bits per pixel.
std::optional<TBmpImage> ParseBmp(const std::vector<uint8_t>& bytes);

// A file image of 24-bit rows, bottom row first, each padded to 4 bytes.
std::vector<uint8_t> BuildBmp24(int width, int height, const std::vector<uint8_t>& rows);

// Bytes per row of `width` pixels at `bitCount` bits, padded to 4 bytes.
inline uint64_t BmpStride(int width, int bitCount) { return ((uint64_t(width) * bitCount + 31) / 32) * 4; }
