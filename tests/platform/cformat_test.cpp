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

TEST(CFormatTest, LeadingNumbersArePlainDecimalOnly) {
    const struct { const char* text; double value; size_t used; } cases[] = {
        {"  -12.5e1xyz", -125.0, 9}, {"+.5", 0.5, 3}, {"7.", 7.0, 2}, {"3e", 3.0, 1}, {"3,5", 3.0, 1},
        {"0x1p3", 0.0, 1}, {"nan", 0.0, 0}, {"-Infinity", 0.0, 0}, {".", 0.0, 0}, {"-", 0.0, 0}, {"", 0.0, 0},
        {"e5", 0.0, 0},
    };
    for (const auto& c : cases) {
        size_t used = 99;
        EXPECT_EQ(ParseLeadingDouble(c.text, &used), c.value) << c.text;
        EXPECT_EQ(used, c.used) << c.text;
    }
    EXPECT_TRUE(std::isinf(ParseLeadingDouble("1e999")));
    EXPECT_TRUE(std::signbit(ParseLeadingDouble("-1e-999")));

    size_t used = 0;
    EXPECT_EQ(ParseLeadingInteger(" -42abc", &used), -42);
    EXPECT_EQ(used, 4u);
    EXPECT_EQ(ParseLeadingInteger("45+09") + ParseLeadingInteger("abc"), 45);
    EXPECT_EQ(ParseLeadingInteger("99999999999999999999999"), 9223372036854775807LL);
    EXPECT_EQ(ParseLeadingInteger("-99999999999999999999999"), -9223372036854775807LL - 1);
}

}  // namespace
}  // namespace trackalbum
