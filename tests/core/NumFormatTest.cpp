#include "NumFormat.h"

#include "Errors.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(NumFormat, FixedNotationWithPrecisionAndDecimals)
{
    struct Case {
        long double value;
        int precision, digits;
        const char* expected;
    };
    const Case cases[] = {
        { 1.2L, 7, 2, "1,20" },
        { -0.456L, 7, 2, "-0,46" },
        { 28.5L, 7, 2, "28,50" },
        { 0, 7, 2, "0,00" },
        { 0.004L, 7, 2, "0,00" },
        { -0.004L, 7, 2, "-0,00" },    // negative, though it rounds to zero
        { -0.0L, 7, 2, "0,00" },       // zero has no sign
        { -0.00001L, 5, 2, "-0,00" },
        { 0.005L, 7, 2, "0,01" },      // halves away from zero
        { -0.125L, 7, 2, "-0,13" },
        { 2.675, 7, 2, "2,67" },       // the double lies below the half
        { 1234.5678L, 5, 2, "1234,60" }, // precision first, then decimals
        { 12.345678L, 5, 2, "12,35" },
        { 99999.5L, 5, 2, "1E+05" },   // carries into a sixth integer digit
        { 123456.0L, 5, 2, "1,2346E+05" },
        { -123456.0L, 5, 2, "-1,2346E+05" },
        { 99999.0L, 5, 2, "99999,00" },
        { 9.999999L, 5, 2, "10,00" },
        { 3.8765123456L, 7, 4, "3,8765" },
        { 42, 7, 0, "42" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.value, c.precision, c.digits, ','), c.expected) << double(c.value);
}

TEST(NumFormat, SeparatorIsTheCallersOrTheLocales)
{
    EXPECT_EQ(FormatFixed(28.5L, 7, 2, '.'), "28.50");
    EXPECT_EQ(FormatFixed(123456.0L, 5, 2, '.'), "1.2346E+05");
    const char sep = LocaleDecimalSeparator();
    EXPECT_TRUE(sep == '.' || sep == ',');
    EXPECT_EQ(FormatFixed(1.5L, 7, 2), std::string("1") + sep + "50");
}

TEST(NumFormat, StrToIntTakesDecimalIntegersOnly)
{
    struct Case {
        const char* Text;
        int Value;
    };
    const Case good[] = {{"12", 12}, {"  -7", -7}, {"+0", 0}, {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}};
    for (const Case& c : good)
        EXPECT_EQ(StrToInt(QString::fromUtf8(c.Text)), c.Value) << c.Text;
    for (const char* bad : {"", " ", "-", "12 ", "1x", "$1A", "0x10", "1.5", "2147483648", "-2147483649",
                            "99999999999999999999", "двенадцать"}) {
        try {
            StrToInt(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}
