// JSON text: always valid, whatever the names hold.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Json.h"

TEST(Json, StringsAreEscapedAndAlwaysValidUtf8)
{
    EXPECT_EQ(app::jsonString("plain"), "\"plain\"");
    EXPECT_EQ(app::jsonString("a \"b\" \\ c\n"), "\"a \\\"b\\\" \\\\ c\\n\"");
    EXPECT_EQ(app::jsonString(std::string("x\x01y", 3)), "\"x\\u0001y\"");
    EXPECT_EQ(app::jsonString("Mat\xc3\xa9riau"), "\"Mat\xc3\xa9riau\"") << "valid UTF-8 passes";
    EXPECT_EQ(app::jsonString("Mat\xe9riau"), "\"Mat\\u00e9riau\"") << "Latin-1 bytes become code points";
    EXPECT_EQ(app::jsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"") << "no surrogates";
}

TEST(Json, NumbersHaveTwelveDigitsAndNeverNaN)
{
    EXPECT_EQ(app::jsonNumber(53.98), "53.98");
    EXPECT_EQ(app::jsonNumber(1.0 / 3.0), "0.333333333333");
    EXPECT_EQ(app::jsonNumber(1e20), "1e+20");
    EXPECT_EQ(app::jsonNumber(std::nan("")), "null");
}
