// Engineers' notation: every form the command line promises, the exact rewriting into the
// window's units, and texts that must be refused.

#include "app/cli/EngineeringValue.h"

#include <gtest/gtest.h>

#include <cmath>

using cli::TEngineeringValue;
using cli::TQuantity;

namespace {

long double ValueOf(const char* text, TQuantity quantity)
{
    const auto v = TEngineeringValue::Parse(text, quantity);
    EXPECT_TRUE(v) << text;
    return v ? v->Value() : -1;
}

} // namespace

TEST(EngineeringValue, EveryPromisedFormReadsToItsValue)
{
    struct Case {
        const char* text;
        TQuantity quantity;
        long double value;
    };
    const Case cases[] = {
        {"1000", TQuantity::Frequency, 1000},       {"1k", TQuantity::Frequency, 1000},
        {"1kHz", TQuantity::Frequency, 1000},       {"1khz", TQuantity::Frequency, 1000},
        {"2.5k", TQuantity::Frequency, 2500},       {"2,5k", TQuantity::Frequency, 2500},
        {"4k7", TQuantity::Resistance, 4700},       {"33k", TQuantity::Resistance, 33000},
        {"1M", TQuantity::Resistance, 1e6},         {"2M2", TQuantity::Resistance, 2.2e6L},
        {"4R7", TQuantity::Resistance, 4.7L},       {"33kOhm", TQuantity::Resistance, 33000},
        {"33k\u03A9", TQuantity::Resistance, 33000}, {"10n", TQuantity::Capacitance, 1e-8L},
        {"4n7", TQuantity::Capacitance, 4.7e-9L},   {"0.1u", TQuantity::Capacitance, 1e-7L},
        {"0,1\u00B5F", TQuantity::Capacitance, 1e-7L}, {"100p", TQuantity::Capacitance, 1e-10L},
        {"10nF", TQuantity::Capacitance, 1e-8L},    {"1e3", TQuantity::Frequency, 1000},
        {"1E-9F", TQuantity::Capacitance, 1e-9L},   {"10MHz", TQuantity::Frequency, 1e7},
        {".5", TQuantity::Number, 0.5L},            {"5.", TQuantity::Number, 5},
        {"100k", TQuantity::Number, 1e5},           {"-3", TQuantity::Number, -3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ValueOf(c.text, c.quantity), c.value) << c.text;
}

TEST(EngineeringValue, RewritesExactlyIntoTheWindowsUnits)
{
    auto text = [](const char* in, TQuantity q, int unitExponent) {
        return TEngineeringValue::Parse(in, q)->DecimalText(unitExponent);
    };
    EXPECT_EQ(text("4k7", TQuantity::Resistance, 3), "4,7");
    EXPECT_EQ(text("100", TQuantity::Resistance, 3), "0,1");
    EXPECT_EQ(text("1M", TQuantity::Resistance, 3), "1000");
    EXPECT_EQ(text("0.1u", TQuantity::Capacitance, -9), "100");
    EXPECT_EQ(text("100p", TQuantity::Capacitance, -9), "0,1");
    EXPECT_EQ(text("2,50000k", TQuantity::Frequency, 0), "2500");
    EXPECT_EQ(text("123456.789", TQuantity::Frequency, 3), "123,456789");
    EXPECT_EQ(text("0.0001k", TQuantity::Frequency, 0), "0,1");
    EXPECT_EQ(text("000", TQuantity::Number, 0), "0");
    // Many digits pass through unrounded: the window would read the same text.
    EXPECT_EQ(text("0.71000000000000000000001", TQuantity::Number, 0), "0,71000000000000000000001");
}

TEST(EngineeringValue, RefusesWhatIsNotTheNotation)
{
    const std::pair<const char*, TQuantity> bad[] = {
        {"", TQuantity::Frequency},          {"k", TQuantity::Frequency},
        {"1..2", TQuantity::Frequency},      {"1,2,3", TQuantity::Frequency},
        {"4k7k", TQuantity::Resistance},     {"1 k", TQuantity::Frequency},
        {"1kF", TQuantity::Frequency},       {"1Hz", TQuantity::Capacitance},
        {"4.7k7", TQuantity::Resistance},    {"abc", TQuantity::Number},
        {"1e", TQuantity::Number},           {"1e+", TQuantity::Number},
        {"--5", TQuantity::Number},          {"1kHzz", TQuantity::Frequency},
        {"1Hz", TQuantity::Number},          {"4R7", TQuantity::Capacitance},
        {"1x", TQuantity::Frequency},        {"0x10", TQuantity::Number},
    };
    for (const auto& [text, quantity] : bad)
        EXPECT_FALSE(TEngineeringValue::Parse(text, quantity)) << text;
    // Exponents far outside any range saturate instead of overflowing.
    EXPECT_EQ(ValueOf("1e999999999999999999999", TQuantity::Number), HUGE_VALL);
    EXPECT_EQ(ValueOf("1e-999999999999999999999", TQuantity::Number), 0);
}
