#include "platform/win/BmpFile.h"

namespace {

uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

constexpr size_t kFileHeader = 14;
constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kInfoHeader = 40;
// Far beyond any glyph or preview; keeps the size arithmetic small.
constexpr int kMaxSide = 1 << 15;

}  // namespace

std::optional<TBmpImage> ParseBmp(const std::vector<uint8_t>& bytes) {
    const size_t size = bytes.size();
    if (size < kFileHeader + kCoreHeader || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    const uint8_t* p = bytes.data();
    const uint32_t offBits = U32(p + 10);
    const uint8_t* h = p + kFileHeader;
    const uint32_t headerSize = U32(h);
    if (headerSize != kCoreHeader && headerSize < kInfoHeader) return std::nullopt;
    if (kFileHeader + uint64_t(headerSize) > size) return std::nullopt;

    int32_t width, height;
    uint16_t planes, bitCount;
    uint32_t compression = 0, colorsUsed = 0;
    size_t paletteEntry;
    if (headerSize == kCoreHeader) {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        bitCount = U16(h + 10);
        paletteEntry = 3;
    } else {
        width = int32_t(U32(h + 4));
        height = int32_t(U32(h + 8));
        planes = U16(h + 12);
        bitCount = U16(h + 14);
        compression = U32(h + 16);
        colorsUsed = U32(h + 32);
        paletteEntry = 4;
    }
    if (planes != 1 || compression != 0) return std::nullopt;  // BI_RGB only
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return std::nullopt;
    const bool topDown = height < 0;
    const int64_t rows = topDown ? -int64_t(height) : height;
    if (width <= 0 || width > kMaxSide || rows <= 0 || rows > kMaxSide) return std::nullopt;

    uint32_t colors = 0;
    if (bitCount <= 8) {
        const uint32_t most = 1u << bitCount;
        colors = colorsUsed ? colorsUsed : most;
        if (colors > most) return std::nullopt;
    }
    const uint64_t paletteAt = kFileHeader + uint64_t(headerSize);
    const uint64_t paletteEnd = paletteAt + uint64_t(colors) * paletteEntry;
    if (paletteEnd > size) return std::nullopt;
    const uint64_t bitsAt = offBits ? offBits : paletteEnd;
    if (bitsAt < paletteEnd) return std::nullopt;
    const uint64_t bitsSize = BmpStride(width, bitCount) * uint64_t(rows);
    if (bitsAt + bitsSize > size) return std::nullopt;

    TBmpImage image;
    image.width = width;
    image.height = int(rows);
    image.bits = p + bitsAt;
    auto& info = image.info;
    info.reserve(kInfoHeader + colors * 4);
    Put32(info, kInfoHeader);
    Put32(info, uint32_t(width));
    Put32(info, uint32_t(topDown ? -int32_t(rows) : int32_t(rows)));
    Put16(info, 1);
    Put16(info, bitCount);
    Put32(info, 0);  // BI_RGB
    Put32(info, uint32_t(bitsSize));
    Put32(info, 0);
    Put32(info, 0);
    Put32(info, colors);
    Put32(info, 0);
    for (uint32_t i = 0; i < colors; ++i) {
        const uint8_t* c = p + paletteAt + i * paletteEntry;
        info.insert(info.end(), {c[0], c[1], c[2], 0});
    }
    return image;
}

std::vector<uint8_t> BuildBmp24(int width, int height, const std::vector<uint8_t>& rows) {
    const uint32_t offBits = uint32_t(kFileHeader + kInfoHeader);
    std::vector<uint8_t> out;
    out.reserve(offBits + rows.size());
    out.push_back('B');
    out.push_back('M');
    Put32(out, uint32_t(offBits + rows.size()));
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, kInfoHeader);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, uint32_t(rows.size()));
    Put32(out, 3780);  // 96 dpi in pixels per metre
    Put32(out, 3780);
    Put32(out, 0);
    Put32(out, 0);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}
