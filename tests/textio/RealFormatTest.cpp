// Number formatting must match printf's %.*g exactly: project files are
// compared byte for byte and read by the simulator.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "textio/RealFormat.h"

namespace {

std::string printfG(double v, int precision)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", precision, v);
    return buf;
}

TEST(RealFormat, MatchesPrintfOnTypicalAndAwkwardValues)
{
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             10.0,
                             2.5,
                             -3.0,
                             0.1,
                             0.30000000000000004,
                             1234.5678,
                             1e-5,
                             1e-4,
                             0.00012345,
                             123456789012.0,
                             1234567890123.0,
                             1e12,
                             1e15,
                             999999999999.5,
                             0.999999999999951,
                             1.0 / 3.0,
                             2.0 / 3.0,
                             6.02214076e23,
                             -1.7976931348623157e308,
                             4.9e-324,
                             12.000000000001,
                             99.99999999999999};
    for (int precision : {6, 8, 12, 15, 17}) {
        for (double v : values) {
            EXPECT_EQ(textio::realToString(v, precision), printfG(v, precision)) << v << " at " << precision;
        }
    }
}

TEST(RealFormat, MatchesPrintfOnRandomValues)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_int_distribution<int> decimals(0, 6);
    for (int i = 0; i < 200000; ++i) {
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (i % 2 == 0) {
            // Coordinates as a modeller holds them: a few decimals.
            double scale = std::pow(10.0, decimals(rng));
            v = std::round(v * scale) / scale;
        }
        for (int precision : {6, 12}) {
            ASSERT_EQ(textio::realToString(v, precision), printfG(v, precision)) << v;
        }
    }
}

TEST(RealFormat, MatchesPrintfOnArbitraryBitPatternsAndTies)
{
    std::mt19937_64 rng(99);
    for (int i = 0; i < 300000; ++i) {
        std::uint64_t bits = rng();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) {
            continue;
        }
        ASSERT_EQ(textio::realToString(v, 12), printfG(v, 12)) << v;
    }
    // Values whose shortest form ends in a 5 just past the twelfth digit,
    // and carries that ripple into a new leading digit.
    for (double v : {0.1234567890125, 1.0000000000005, 2.5000000000005, 999999999999.5, 9.9999999999995,
                     0.99999999999995, 1234567.8901235, 99999.99999999951}) {
        EXPECT_EQ(textio::realToString(v, 12), printfG(v, 12)) << v;
        EXPECT_EQ(textio::realToString(-v, 12), printfG(-v, 12)) << v;
    }
}

TEST(RealFormat, ParsesWholeTokensOnly)
{
    double d = 0;
    EXPECT_TRUE(textio::parseReal("2.5", d));
    EXPECT_EQ(d, 2.5);
    EXPECT_TRUE(textio::parseReal("+1e3", d));
    EXPECT_EQ(d, 1000.0);
    EXPECT_TRUE(textio::parseReal("-.5", d));
    EXPECT_EQ(d, -0.5);
    EXPECT_FALSE(textio::parseReal("1.5abc", d));
    EXPECT_FALSE(textio::parseReal("", d));
    EXPECT_FALSE(textio::parseReal("+", d));
    EXPECT_FALSE(textio::parseReal("+-1", d));
    EXPECT_FALSE(textio::parseReal("End", d));

    long long n = 0;
    EXPECT_TRUE(textio::parseInt("-12", n));
    EXPECT_EQ(n, -12);
    EXPECT_FALSE(textio::parseInt("1.0", n));
    EXPECT_FALSE(textio::parseInt("99999999999999999999", n));
}

TEST(RealFormat, LeadingIntBehavesAsAtoi)
{
    long long n = -1;
    std::size_t used = 0;
    EXPECT_TRUE(textio::leadingInt("  42abc", n, &used));
    EXPECT_EQ(n, 42);
    EXPECT_EQ(used, 4u);
    EXPECT_TRUE(textio::leadingInt("glass", n, &used));
    EXPECT_EQ(n, 0);
    EXPECT_EQ(used, 0u);
    EXPECT_TRUE(textio::leadingInt("-3", n));
    EXPECT_EQ(n, -3);
    EXPECT_TRUE(textio::leadingInt("", n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(textio::leadingInt("123456789012345678901234", n));
}

}  // namespace
