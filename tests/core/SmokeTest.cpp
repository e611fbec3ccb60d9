// Checks that the build has the 80-bit x87 long double that the extended
// number relies on.
#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

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
