#include "base/NumberText.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(NumberText, CommaRulesForArithmeticAndScript) {
    NumberFormat point;  // "." user
    NumberFormat comma{",", ","};
    EXPECT_EQ(ForScript("52,123456", comma), "52.123456");
    EXPECT_EQ(ForScript("52,123456", point), "52.123456");
    // Either user reads a point and a comma alike: a file written under
    // the other notation (or by the command line) gives the same numbers.
    for (const NumberFormat& user : {point, comma}) {
        EXPECT_DOUBLE_EQ(*CellToFloat("35,5", user), 35.5);
        EXPECT_DOUBLE_EQ(*CellToFloat("-35.5", user), -35.5);
        EXPECT_FALSE(CellToFloat("35,5.1", user).has_value());
        EXPECT_FALSE(CellToFloat("north", user).has_value());
    }
}

TEST(NumberText, ParseFloatAcceptsOnlyNumbers) {
    EXPECT_DOUBLE_EQ(*ParseFloat("  -1.5e3 ", '.'), -1500.0);
    EXPECT_DOUBLE_EQ(*ParseFloat("+7", '.'), 7.0);
    EXPECT_DOUBLE_EQ(*ParseFloat(".5", '.'), 0.5);
    for (const char* bad : {"", " ", "abc", "1.2.3", "1e", "--1", "1,5", "0x10", "nan", "inf", "1 2"})
        EXPECT_FALSE(ParseFloat(bad, '.').has_value()) << bad;
}

TEST(NumberText, ParseIntAcceptsSignsAndRejectsTrailingText) {
    EXPECT_EQ(*ParseInt("+8"), 8);
    EXPECT_EQ(*ParseInt(" -5 "), -5);
    EXPECT_FALSE(ParseInt("5a").has_value());
    EXPECT_FALSE(ParseInt("").has_value());
    EXPECT_FALSE(ParseInt("1.0").has_value());
}

TEST(NumberText, FixedFormatUsesTheUserSeparator) {
    EXPECT_EQ(FormatFixed(45.0000391, 6, '.'), "45.000039");
    EXPECT_EQ(FormatFixed(99.84, 1, ','), "99,8");
    EXPECT_EQ(FormatFixed(-0.00001, 1, '.'), "0.0");
    EXPECT_EQ(FormatFixed(-33.5, 1, '.'), "-33.5");
}

// Fixed notation rounds exactly as printf does, ties and extremes included.
TEST(NumberText, FixedFormatRoundsAsPrintf) {
    const double values[] = {0.5,      1.5,     2.5,        0.125,   -0.125,  1e-7,  -4e-7,
                             0.05,     -0.05,   45.0000005, 1e300,   -1e300,  5e-324, 179.9999995,
                             -89.99999949999, 1e15 + 0.3, 8848.86, -430.55, 123456.75};
    for (double v : values)
        for (int decimals : {0, 1, 2, 6}) {
            char expected[400];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            std::string want = expected;
            if (want.find_first_not_of("-0.") == std::string::npos && want[0] == '-') want.erase(0, 1);
            EXPECT_EQ(FormatFixed(v, decimals, '.'), want) << v << " with " << decimals;
        }
    EXPECT_EQ(FormatFixed(2.25, -1, '.'), "2.250000");  // printf's default
}

TEST(NumberText, PaddedNumbersCountTheSignInTheirWidth) {
    std::string out;
    for (long long v : {5LL, -5LL, 12345LL, 0LL, std::numeric_limits<long long>::min()}) {
        AppendPadded(out, v, 4);
        out += ' ';
    }
    EXPECT_EQ(out, "0005 -005 12345 0000 -9223372036854775808 ");
}

TEST(NumberText, GeneralFormatIsShortestWithFifteenDigits) {
    EXPECT_EQ(FormatGeneral(123 * 0.1 * 3.6, '.'), "44.28");
    EXPECT_EQ(FormatGeneral(0, '.'), "0");
    EXPECT_EQ(FormatGeneral(100, '.'), "100");
    EXPECT_EQ(FormatGeneral(-33.12345, ','), "-33,12345");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, '.'), "0.3");
    EXPECT_EQ(FormatGeneral(1.0 / 3.0, '.'), "0.333333333333333");
    EXPECT_EQ(FormatGeneral(0.00001, '.'), "0.00001");
    EXPECT_EQ(FormatGeneral(0.0000015, '.'), "1.5E-6");
    EXPECT_EQ(FormatGeneral(1e20, '.'), "1E20");
    EXPECT_EQ(FormatGeneral(123456789012345.0, '.'), "123456789012345");
    EXPECT_EQ(FormatGeneral(-2.5e-300, ','), "-2,5E-300");
    EXPECT_EQ(FormatGeneral(999999999999999.9, '.'), "1E15");  // rounds up into a new digit
    EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity(), '.'), "-INF");
    EXPECT_EQ(FormatGeneral(std::nan(""), '.'), "NAN");
    std::string out = "x=";
    AppendGeneral(out, 0.36, ',');
    AppendFixed(out, -0.04, 1, ',');
    EXPECT_EQ(out, "x=0,360,0");
}

}  // namespace
}  // namespace vantrel
