#include "psetting/ValueStream.h"

#include <cstring>
#include <string_view>

#include "platform/core/Extended.h"
#include "platform/core/Text.h"

void TValueStreamWriter::WriteInt32(int32_t value) {
    const auto u = uint32_t(value);
    const uint8_t bytes[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    WriteBytes(bytes, sizeof bytes);
}

void TValueStreamWriter::WriteExtended(long double value) {
    const TExtended10 e = TExtended10::FromLongDouble(value);
    WriteBytes(e.bytes.data(), e.bytes.size());
}

void TValueStreamWriter::WriteBoolean(bool value) {
    const uint8_t b = value ? 1 : 0;
    WriteBytes(&b, 1);
}

void TValueStreamWriter::WriteString(const std::string& utf8) {
    const std::string ansi = text::Utf8ToAnsi(utf8);
    WriteInt32(int32_t(ansi.size()));
    WriteBytes(ansi.data(), ansi.size());
}

void TValueStreamWriter::WriteBytes(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
}

bool TValueStreamReader::ReadByte(uint8_t& value) noexcept {
    if (Remaining() < 1) return false;
    value = data_[pos_++];
    return true;
}

bool TValueStreamReader::ReadInt32(int32_t& value) noexcept {
    if (Remaining() < 4) return false;
    const uint8_t* p = Current();
    value = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
    pos_ += 4;
    return true;
}

bool TValueStreamReader::ReadExtended(long double& value) noexcept {
    TExtended10 e;
    if (Remaining() < e.bytes.size()) return false;
    std::memcpy(e.bytes.data(), Current(), e.bytes.size());
    value = e.ToLongDouble();
    pos_ += e.bytes.size();
    return true;
}

bool TValueStreamReader::ReadBoolean(bool& value) noexcept {
    uint8_t b = 0;
    if (!ReadByte(b)) return false;
    value = b != 0;
    return true;
}

bool TValueStreamReader::ReadString(std::string& utf8) {
    const size_t start = pos_;
    int32_t count = 0;
    if (!ReadInt32(count)) return false;
    if (count < 0 || Remaining() < size_t(count)) {
        pos_ = start;
        return false;
    }
    std::string_view ansi(reinterpret_cast<const char*>(Current()), size_t(count));
    if (const size_t zero = ansi.find('\0'); zero != std::string_view::npos) ansi = ansi.substr(0, zero);
    pos_ += size_t(count);
    utf8 = text::AnsiToUtf8(ansi);
    return true;
}
