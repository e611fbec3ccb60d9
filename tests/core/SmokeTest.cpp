// Checks that the build is the one the project ships: 32-bit Windows code with
// the 80-bit x87 long double that the extended number relies on.
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <thread>

TEST(Toolchain, TargetsThirtyTwoBitWindows)
{
#if defined(_WIN64)
    GTEST_SKIP() << "64-bit build";
#else
    EXPECT_EQ(sizeof(void*), 4u);
    EXPECT_EQ(sizeof(std::uintptr_t), 4u);
#endif
}

TEST(Toolchain, LongDoubleIsX87Extended)
{
    EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
    EXPECT_EQ(LDBL_MAX_EXP, 16384);
    // One unit in the last place of 1.0 is 2^-63: invisible to a 64-bit double.
    const long double one = 1.0L;
    const long double next = one + std::numeric_limits<long double>::epsilon();
    EXPECT_NE(next, one);
    EXPECT_EQ(static_cast<double>(next), 1.0);
}

TEST(Toolchain, PosixThreadModelRunsThreads)
{
    int value = 0;
    std::thread worker([&value] { value = 42; });
    worker.join();
    EXPECT_EQ(value, 42);
}
