#pragma once
// Byte streams. ReadBuffer and WriteBuffer either move every byte asked for
// or raise EReadError / EWriteError; nothing reads past the end.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Rtti.h"

enum class TSeekOrigin { Beginning, Current, End };

class TStream : public TObject {
    GLY_CLASS(TStream)
public:
    virtual size_t Read(void* buffer, size_t count) = 0;   // bytes actually read
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::Current); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::Beginning); }
    virtual int64_t Size();
    int64_t Remaining() { return Size() - Position(); }

    void ReadBuffer(void* buffer, size_t count);
    void WriteBuffer(const void* buffer, size_t count);
    // Copies `count` bytes from `source` (all of it from its start when 0).
    int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
    GLY_CLASS(TMemoryStream)
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return int64_t(data_.size()); }
    void SetSize(size_t size);
    void Clear();

    const std::vector<uint8_t>& Bytes() const noexcept { return data_; }
    const uint8_t* Memory() const noexcept { return data_.data(); }

private:
    std::vector<uint8_t> data_;
    size_t pos_ = 0;
};
