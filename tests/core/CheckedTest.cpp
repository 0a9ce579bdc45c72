#include "Checked.h"

#include <gtest/gtest.h>

#include <climits>

TEST(Checked, MulDivRoundsHalvesAwayFromZero)
{
    struct Case {
        int a, b, c, expected;
    };
    const Case cases[] = {
        { -11, 72, 96, -8 },  // -8.25
        { -13, 72, 96, -10 }, // -9.75
        { 4, 3, 8, 2 },       // 1.5
        { -4, 3, 8, -2 },     // -1.5
        { 5, 3, -8, -2 },     // -1.875
        { INT_MAX, 2, 2, INT_MAX }, // the product does not overflow
        { 7, 1, 0, -1 },      // no denominator
        { INT_MAX, 2, 1, -1 }, // the result does not fit
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Checked, OverflowAndIndexErrors)
{
    int32_t v = INT32_MAX - 1;
    CheckedInc(v);
    EXPECT_EQ(v, INT32_MAX);
    EXPECT_THROW(CheckedInc(v), EIntOverflow);

    EXPECT_EQ(CheckedAdd(INT32_MAX - 5, 5), INT32_MAX);
    EXPECT_THROW(CheckedAdd(INT32_MAX - 5, 6), EIntOverflow);
    EXPECT_EQ(CheckedSub(-1, INT32_MAX), INT32_MIN);
    EXPECT_THROW(CheckedSub(-2, INT32_MAX), EIntOverflow);
    EXPECT_THROW(CheckedSub(0, INT32_MIN), EIntOverflow);
    EXPECT_EQ(CheckedMul(-65536, 32768), INT32_MIN);
    EXPECT_THROW(CheckedMul(65536, 32768), EIntOverflow);
    EXPECT_THROW(CheckedInt32(1LL << 31), EIntOverflow);

    // Trunc drops the fraction toward zero; what leaves the range is a range error.
    EXPECT_EQ(TruncInt32(-15.75L), -15);
    EXPECT_EQ(TruncInt32(2147483647.9L), INT32_MAX);
    EXPECT_EQ(TruncInt32(-2147483648.9L), INT32_MIN);
    EXPECT_THROW(TruncInt32(2147483648.0L), ERangeError);
    EXPECT_THROW(TruncInt32(-2147483649.0L), ERangeError);

    Array1<int, 3> a;
    a[1] = 10;
    a[3] = 30;
    EXPECT_EQ(a.Items[0], 10);
    EXPECT_EQ(a.Items[2], 30);
    EXPECT_THROW(a[0], ERangeError);
    EXPECT_THROW(a[4], ERangeError);
}
