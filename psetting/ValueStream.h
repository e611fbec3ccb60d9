#pragma once
// The value-stream layout inside binary registry values and scrambled
// blocks, all little-endian: Int32 (4 bytes), Extended (the 10-byte x87
// number), Boolean (1 byte), String (Int32 byte count, then that many bytes
// of the ANSI code page, no terminator).
//
// Plain bytes in, plain bytes out: no Windows types, so the decoders also
// build natively (sanitizers, fuzzing). Every read either takes the whole
// primitive or reports false and takes nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TValueStreamWriter {
public:
    void WriteInt32(int32_t value);
    void WriteExtended(long double value);
    void WriteBoolean(bool value);
    // `utf8` is stored in the ANSI code page; its count is that of the bytes.
    void WriteString(const std::string& utf8);
    void WriteBytes(const void* data, size_t size);
    void WriteBytes(const std::vector<uint8_t>& bytes) { WriteBytes(bytes.data(), bytes.size()); }

    const std::vector<uint8_t>& Bytes() const noexcept { return bytes_; }
    std::vector<uint8_t> Take() noexcept { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

class TValueStreamReader {
public:
    TValueStreamReader(const uint8_t* data, size_t size) noexcept : data_(data), size_(size) {}
    explicit TValueStreamReader(const std::vector<uint8_t>& bytes) noexcept
        : TValueStreamReader(bytes.data(), bytes.size()) {}

    [[nodiscard]] bool ReadInt32(int32_t& value) noexcept;
    [[nodiscard]] bool ReadExtended(long double& value) noexcept;
    // Any byte but 0 is true.
    [[nodiscard]] bool ReadBoolean(bool& value) noexcept;
    // A negative count, or fewer bytes than it gives, fails; the text ends
    // at its first zero byte and comes back as UTF-8.
    [[nodiscard]] bool ReadString(std::string& utf8);
    [[nodiscard]] bool ReadByte(uint8_t& value) noexcept;

    size_t Remaining() const noexcept { return size_ - pos_; }
    const uint8_t* Current() const noexcept { return data_ + pos_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};
