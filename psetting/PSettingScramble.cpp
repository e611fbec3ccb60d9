// The scrambled form of a setting's value (see Scramble.h).

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <utility>

#include "psetting/PSetting.h"
#include "psetting/Scramble.h"
#include "psetting/ValuePayload.h"
#include "psetting/ValueStream.h"

namespace scramble {
namespace {

constexpr std::string_view kMagic = "TPSOK";
constexpr std::string_view kEscapedMagic = "TPSOE";
constexpr uint8_t kEscape = 254;

// Key bytes are used 1-based and cyclically; the index runs 1..L.
class TKeyCycle {
public:
    explicit TKeyCycle(std::string_view key) : key_(key) {}
    uint8_t Next() noexcept {
        j_ = j_ < key_.size() ? j_ + 1 : 1;
        return j_ <= key_.size() ? uint8_t(key_[j_ - 1]) : 0;
    }

private:
    std::string_view key_;
    size_t j_ = 0;
};

std::vector<uint8_t> MagicBytes(std::string_view magic) {
    TValueStreamWriter w;
    w.WriteInt32(int32_t(magic.size()));
    w.WriteBytes(magic.data(), magic.size());
    return w.Take();
}

bool StartsWith(const std::vector<uint8_t>& block, const std::vector<uint8_t>& prefix) {
    return block.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), block.begin());
}

uint8_t ClockSeed() {
    std::mt19937 generator(unsigned(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return uint8_t(std::uniform_int_distribution<int>(0, 255)(generator));
}

TSeedSource g_seedSource = nullptr;

}  // namespace

std::vector<uint8_t> Scramble(const std::vector<uint8_t>& plain, std::string_view key, uint8_t r) {
    std::vector<uint8_t> out;
    out.reserve(plain.size() + 1);
    out.push_back(r);
    TKeyCycle k(key);
    unsigned prev = r;
    for (const uint8_t p : plain) {
        const unsigned a = (p + prev) % 255;
        out.push_back(uint8_t(k.Next() ^ a));
        prev = a;
    }
    return out;
}

std::vector<uint8_t> Unscramble(const uint8_t* data, size_t size, std::string_view key) {
    std::vector<uint8_t> plain;
    if (size == 0) return plain;
    plain.reserve(size - 1);
    TKeyCycle k(key);
    unsigned prev = data[0];
    for (size_t i = 1; i < size; ++i) {
        const unsigned c = unsigned(k.Next() ^ data[i]);
        plain.push_back(uint8_t((c + 255 - prev) % 255));
        prev = c;
    }
    return plain;
}

std::vector<uint8_t> MakeBlock(const std::vector<uint8_t>& kindAndPayload) {
    const bool needsEscapes = std::find(kindAndPayload.begin(), kindAndPayload.end(), 255) != kindAndPayload.end();
    std::vector<uint8_t> block = MagicBytes(needsEscapes ? kEscapedMagic : kMagic);
    if (!needsEscapes) {
        block.insert(block.end(), kindAndPayload.begin(), kindAndPayload.end());
        return block;
    }
    for (const uint8_t b : kindAndPayload) {
        if (b >= kEscape) {
            block.push_back(kEscape);
            block.push_back(uint8_t(b - kEscape));
        } else {
            block.push_back(b);
        }
    }
    return block;
}

std::optional<std::vector<uint8_t>> OpenBlock(const std::vector<uint8_t>& plain) {
    static const std::vector<uint8_t> magic = MagicBytes(kMagic);
    static const std::vector<uint8_t> escapedMagic = MagicBytes(kEscapedMagic);
    if (StartsWith(plain, magic)) return std::vector<uint8_t>(plain.begin() + ptrdiff_t(magic.size()), plain.end());
    if (!StartsWith(plain, escapedMagic)) return std::nullopt;
    std::vector<uint8_t> out;
    for (size_t i = escapedMagic.size(); i < plain.size(); ++i) {
        if (plain[i] != kEscape) {
            out.push_back(plain[i]);
            continue;
        }
        if (++i == plain.size() || plain[i] > 1) return std::nullopt;
        out.push_back(uint8_t(kEscape + plain[i]));
    }
    return out;
}

TSeedSource SetSeedSource(TSeedSource source) noexcept { return std::exchange(g_seedSource, source); }

uint8_t DrawSeed() { return g_seedSource ? g_seedSource() : ClockSeed(); }

}  // namespace scramble

namespace {

// The plain block of the setting's current value.
std::vector<uint8_t> PlainBlock(TPSetting& setting) {
    TValueStreamWriter w;
    w.WriteInt32(int32_t(setting.Value.Kind));
    WriteValuePayload(setting, w);
    return scramble::MakeBlock(w.Bytes());
}

}  // namespace

int TPSetting::GetEncryptedSize() { return int(PlainBlock(*this).size() + 1); }

void TPSetting::EncryptValue(std::vector<uint8_t>& Buffer) {
    Buffer = scramble::Scramble(PlainBlock(*this), UniqueName(), scramble::DrawSeed());
}

void TPSetting::DecryptValue(const std::vector<uint8_t>& Data) {
    const std::string key = UniqueName();
    const std::vector<uint8_t> plain = scramble::Unscramble(Data.data(), Data.size(), key);
    ClearValue();
    const std::optional<std::vector<uint8_t>> body = scramble::OpenBlock(plain);
    if (!body) return;
    TValueStreamReader r(*body);
    int32_t kind = 0;
    if (!r.ReadInt32(kind) || kind <= int32_t(pvkNone) || kind > int32_t(pvkCollection)) return;
    ReadValuePayload(*this, TPValueKind(kind), r);
}
