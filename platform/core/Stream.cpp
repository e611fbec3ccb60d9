#include "platform/core/Stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"

const TClassInfo& TStream::StaticClass() {
    static const TClassInfo info = TClassBuilder<TStream>("TStream", &TObject::StaticClass).Build();
    return info;
}

const TClassInfo& TMemoryStream::StaticClass() {
    static const TClassInfo info = TClassBuilder<TMemoryStream>("TMemoryStream", &TStream::StaticClass).Build();
    return info;
}

// ---- TStream ----------------------------------------------------------------

int64_t TStream::Size() {
    const int64_t pos = Seek(0, TSeekOrigin::Current);
    const int64_t size = Seek(0, TSeekOrigin::End);
    Seek(pos, TSeekOrigin::Beginning);
    return size;
}

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError(std::string(errors::kStreamRead));
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(std::string(errors::kStreamWrite));
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) throw EReadError(std::string(errors::kStreamRead));
    // A bounded buffer: the source may be far larger than what is worth
    // holding twice in memory.
    constexpr int64_t kChunk = 64 * 1024;
    std::vector<uint8_t> buffer(size_t(std::min(count, kChunk)));
    for (int64_t left = count; left > 0;) {
        const size_t n = size_t(std::min(left, kChunk));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= int64_t(n);
    }
    return count;
}

// ---- TMemoryStream ----------------------------------------------------------

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (pos_ >= data_.size() || count == 0) return 0;
    const size_t n = std::min(count, data_.size() - pos_);
    std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (count == 0) return 0;
    if (count > data_.max_size() - pos_) return 0;
    const size_t end = pos_ + count;
    if (end > data_.size()) data_.resize(end);  // a gap after a seek past the end reads as zeros
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    switch (origin) {
        case TSeekOrigin::Beginning: base = 0; break;
        case TSeekOrigin::Current: base = int64_t(pos_); break;
        case TSeekOrigin::End: base = int64_t(data_.size()); break;
    }
    // Positions before the start, or beyond what size_t can address on a
    // 32-bit build, cannot be honoured.
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > std::numeric_limits<int64_t>::max() - base) ||
        uint64_t(base + offset) > uint64_t(std::numeric_limits<size_t>::max()))
        throw EStreamError(std::string(errors::kStreamRead));
    pos_ = size_t(base + offset);
    return int64_t(pos_);
}

void TMemoryStream::SetSize(size_t size) {
    data_.resize(size);
    pos_ = std::min(pos_, size);
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    pos_ = 0;
}
