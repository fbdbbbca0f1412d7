#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

TEST(CFormatTest, FormatIgnoresTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    const std::string text = FormatC("%10.6f|%.1f|%x|%s", 35.625, -2.25, 0x80070057u, "日本");
    const std::string large = FormatC("%s", std::string(1000, 'x').c_str());
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, " 35.625000|-2.2|80070057|日本");
    EXPECT_EQ(large.size(), 1000u);
    if (!german) GTEST_SKIP() << "de_DE.UTF-8 not installed";
}

TEST(CFormatTest, LeadingDoubleIsPlainDecimalOnly) {
    size_t used = 0;
    EXPECT_EQ(ParseLeadingDouble("  -12.5e1xyz", &used), -125.0);
    EXPECT_EQ(used, 9u);
    EXPECT_EQ(ParseLeadingDouble("+.5"), 0.5);
    EXPECT_EQ(ParseLeadingDouble("7."), 7.0);
    EXPECT_EQ(ParseLeadingDouble("3e"), 3.0);
    EXPECT_EQ(ParseLeadingDouble("3,5"), 3.0);
    for (const char* refused : {"nan", "NaN", "inf", "-Infinity", ".", "-", "", "e5"}) {
        EXPECT_EQ(ParseLeadingDouble(refused, &used), 0.0) << refused;
        EXPECT_EQ(used, 0u) << refused;
    }
    EXPECT_EQ(ParseLeadingDouble("0x1p3", &used), 0.0);  // the leading zero only
    EXPECT_EQ(used, 1u);
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e999")));
    EXPECT_EQ(ParseLeadingDouble("-1e-999"), 0.0);
    EXPECT_TRUE(std::signbit(ParseLeadingDouble("-1e-999")));
}

TEST(CFormatTest, LeadingIntegerSaturates) {
    size_t used = 0;
    EXPECT_EQ(ParseLeadingInteger(" -42abc", &used), -42);
    EXPECT_EQ(used, 4u);
    EXPECT_EQ(ParseLeadingInteger("45+09"), 45);
    EXPECT_EQ(ParseLeadingInteger("abc", &used), 0);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(ParseLeadingInteger("99999999999999999999999"), 9223372036854775807LL);
    EXPECT_EQ(ParseLeadingInteger("-99999999999999999999999"), -9223372036854775807LL - 1);
}

}  // namespace
}  // namespace trackalbum
