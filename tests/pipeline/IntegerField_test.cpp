#include "pipeline/IntegerField.h"

#include <gtest/gtest.h>

namespace trackalbum {
namespace {

TEST(IntegerFieldTest, ReadsWholeNumbersWithBlanksAndSignAndRefusesTheRestKeepingTheValue) {
    const std::pair<const char*, int> read[] = {{"17", 17}, {"  -3\t", -3}, {"+8", 8}, {"007", 7},
                                                {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, expected] : read) {
        int value = 42;
        EXPECT_TRUE(ParseIntegerField(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"", "   ", "-", "12abc", "1 2", "0x10", "2147483648", "-2147483649",
                             "99999999999999999999", "１２"}) {
        int value = 42;
        EXPECT_FALSE(ParseIntegerField(text, value)) << text;
        EXPECT_EQ(value, 42) << text;
    }
}

}  // namespace
}  // namespace trackalbum
