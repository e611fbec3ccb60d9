// Memory streams: positions, growth, and reads that must move every byte
// asked for or fail without touching anything past the end.

#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/core/Stream.h"

namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
    std::vector<uint8_t> v;
    for (int b : list) v.push_back(uint8_t(b));
    return v;
}

TEST(MemoryStream, ReadGivesWhatIsLeftAndMovesThePosition) {
    TMemoryStream s(Bytes({1, 2, 3, 4, 5}));
    uint8_t buf[8] = {};
    EXPECT_EQ(s.Read(buf, 2), 2u);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_EQ(s.Remaining(), 3);
    EXPECT_EQ(s.Read(buf, 8), 3u);  // short read: only what is there
    EXPECT_EQ(buf[0], 3);
    EXPECT_EQ(buf[2], 5);
    EXPECT_EQ(buf[3], 0);  // nothing written beyond the bytes read
    EXPECT_EQ(s.Read(buf, 1), 0u);
}

TEST(MemoryStream, ReadBufferFailsOnAShortReadWithStreamReadError) {
    TMemoryStream s(Bytes({9, 8, 7}));
    uint8_t buf[4] = {};
    s.ReadBuffer(buf, 3);
    EXPECT_EQ(buf[2], 7);
    s.SetPosition(1);
    try {
        s.ReadBuffer(buf, 3);
        FAIL() << "read past the end succeeded";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Stream read error");
    }
    s.ReadBuffer(buf, 0);  // nothing asked, nothing to fail
}

TEST(MemoryStream, WriteOverwritesThenGrows) {
    TMemoryStream s(Bytes({1, 2, 3}));
    s.SetPosition(2);
    const uint8_t data[] = {0xAA, 0xBB, 0xCC};
    EXPECT_EQ(s.Write(data, 3), 3u);
    EXPECT_EQ(s.Bytes(), Bytes({1, 2, 0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);
}

TEST(MemoryStream, WritingAfterASeekPastTheEndFillsTheGapWithZeros) {
    TMemoryStream s;
    EXPECT_EQ(s.Seek(3, TSeekOrigin::Beginning), 3);
    uint8_t buf[1];
    EXPECT_EQ(s.Read(buf, 1), 0u);
    const uint8_t x = 7;
    s.WriteBuffer(&x, 1);
    EXPECT_EQ(s.Bytes(), Bytes({0, 0, 0, 7}));
}

TEST(MemoryStream, SeekFromEachOrigin) {
    TMemoryStream s(Bytes({1, 2, 3, 4, 5, 6}));
    struct Case {
        int64_t start, offset;
        TSeekOrigin origin;
        int64_t expected;
    };
    const Case cases[] = {
        {4, 1, TSeekOrigin::Beginning, 1}, {4, -3, TSeekOrigin::Current, 1}, {1, 2, TSeekOrigin::Current, 3},
        {0, -2, TSeekOrigin::End, 4},      {0, 0, TSeekOrigin::End, 6},
    };
    for (const Case& c : cases) {
        s.SetPosition(c.start);
        EXPECT_EQ(s.Seek(c.offset, c.origin), c.expected);
        EXPECT_EQ(s.Position(), c.expected);
    }
}

TEST(MemoryStream, SeekBeforeTheStartIsAnErrorAndKeepsThePosition) {
    TMemoryStream s(Bytes({1, 2, 3}));
    s.SetPosition(2);
    EXPECT_THROW(s.Seek(-3, TSeekOrigin::Current), EStreamError);
    EXPECT_THROW(s.Seek(-1, TSeekOrigin::Beginning), EStreamError);
    EXPECT_EQ(s.Position(), 2);
}

TEST(MemoryStream, SetSizeTruncatesAndPullsThePositionBack) {
    TMemoryStream s(Bytes({1, 2, 3, 4}));
    s.SetPosition(4);
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_EQ(s.Bytes(), Bytes({1, 2}));
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
    EXPECT_EQ(s.Position(), 0);
}

TEST(MemoryStream, CopyFromTakesACountOrTheWholeSource) {
    TMemoryStream source(Bytes({1, 2, 3, 4, 5}));
    source.SetPosition(1);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(source, 3), 3);
    EXPECT_EQ(part.Bytes(), Bytes({2, 3, 4}));

    // A count of 0 copies everything from the very start, wherever the source stands.
    TMemoryStream all;
    EXPECT_EQ(all.CopyFrom(source, 0), 5);
    EXPECT_EQ(all.Bytes(), source.Bytes());

    // More than the source has: an error, not a silent short copy.
    source.SetPosition(3);
    TMemoryStream tooMuch;
    EXPECT_THROW(tooMuch.CopyFrom(source, 3), EReadError);
}

TEST(MemoryStream, CopyFromMovesSourcesLargerThanOneChunk) {
    std::vector<uint8_t> big(200000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7 + i / 251);
    TMemoryStream source(big);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(source, 0), int64_t(big.size()));
    EXPECT_EQ(copy.Bytes(), big);
}

}  // namespace
