// The value-stream layout: exact bytes of each primitive, and readers that
// take nothing when the data is short.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "StorageTestUtil.h"
#include "psetting/ValueStream.h"

namespace storagetest {
namespace {

TEST(ValueStream, PrimitivesHaveTheirLittleEndianLayout) {
    TValueStreamWriter w;
    w.WriteInt32(-2);
    w.WriteExtended(-1.0L);
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteString("Kůň");  // code page 1250: K F9 F2
    w.WriteString("");
    EXPECT_EQ(w.Bytes(), Join({{0xFE, 0xFF, 0xFF, 0xFF},
                               {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF},
                               {1, 0},
                               {3, 0, 0, 0, 'K', 0xF9, 0xF2},
                               {0, 0, 0, 0}}));

    TValueStreamReader r(w.Bytes());
    int32_t i = 0;
    long double x = 0;
    bool t = false, f = true;
    std::string s1, s2 = "stale";
    ASSERT_TRUE(r.ReadInt32(i) && r.ReadExtended(x) && r.ReadBoolean(t) && r.ReadBoolean(f) && r.ReadString(s1) &&
                r.ReadString(s2));
    EXPECT_EQ(i, -2);
    EXPECT_EQ(x, -1.0L);
    EXPECT_TRUE(t);
    EXPECT_FALSE(f);
    EXPECT_EQ(s1, "Kůň");
    EXPECT_EQ(s2, "");
    EXPECT_EQ(r.Remaining(), 0u);
}

TEST(ValueStream, ExtremeNumbersKeepEveryBit) {
    for (const long double v : {std::numeric_limits<long double>::max(), std::numeric_limits<long double>::min(),
                                -std::numeric_limits<long double>::denorm_min(), 0.1L, -0.0L}) {
        TValueStreamWriter w;
        w.WriteExtended(v);
        TValueStreamReader r(w.Bytes());
        long double back = 0;
        ASSERT_TRUE(r.ReadExtended(back));
        EXPECT_EQ(back, v);
        EXPECT_EQ(std::signbit(back), std::signbit(v));
    }
}

TEST(ValueStream, StringTextEndsAtItsFirstZero) {
    const Bytes data = Join({Int32(5), {'a', 'b', 0, 'c', 'd'}, {9}});
    TValueStreamReader r(data);
    std::string s;
    ASSERT_TRUE(r.ReadString(s));
    EXPECT_EQ(s, "ab");
    EXPECT_EQ(r.Remaining(), 1u);  // all five bytes were taken
}

TEST(ValueStream, ShortDataFailsAndTakesNothing) {
    struct Case {
        const char* what;
        Bytes data;
        std::function<bool(TValueStreamReader&)> read;
    };
    std::string s = "kept";
    int32_t i = 7;
    long double x = 7;
    bool b = true;
    const Case cases[] = {
        {"int32", {1, 2, 3}, [&](TValueStreamReader& r) { return r.ReadInt32(i); }},
        {"extended", Bytes(9, 0), [&](TValueStreamReader& r) { return r.ReadExtended(x); }},
        {"boolean", {}, [&](TValueStreamReader& r) { return r.ReadBoolean(b); }},
        {"string count", {3, 0}, [&](TValueStreamReader& r) { return r.ReadString(s); }},
        {"string bytes", Join({Int32(4), Ascii("abc")}), [&](TValueStreamReader& r) { return r.ReadString(s); }},
        {"negative count", Join({Int32(-1), Ascii("abc")}), [&](TValueStreamReader& r) { return r.ReadString(s); }},
        {"huge count", Join({Int32(std::numeric_limits<int32_t>::max()), Ascii("abc")}),
         [&](TValueStreamReader& r) { return r.ReadString(s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TValueStreamReader r(c.data);
        EXPECT_FALSE(c.read(r));
        EXPECT_EQ(r.Remaining(), c.data.size());
    }
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(i, 7);
    EXPECT_EQ(x, 7);
    EXPECT_TRUE(b);
}

}  // namespace
}  // namespace storagetest
