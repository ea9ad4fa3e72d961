// Numbers read out of texts as the program always has: the leading number, blanks before and
// inside it passed over, nothing readable giving 0.
#include <gtest/gtest.h>

#include "platform/Val.h"

using namespace dc;

TEST(Val, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},      {"abc", 0},     {"-", 0},         {"  12", 12},     {"\t9", 9},          {"1 2", 12},
        {"-5", -5},   {"- 5", -5},    {"+7", 7},        {"12abc", 12},    {"007", 7},          {"3.5", 3.5},
        {".5", 0.5},  {"-2.25x", -2.25}, {"1.2.3", 1.2}, {" 2", 2},       {"434453445434453445", 434453445434453445.0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromLatin1(c.text)), c.value) << c.text;
    EXPECT_FALSE(std::signbit(Val(QStringLiteral("-x")))) << "nothing read is a plain 0, not -0";
    EXPECT_EQ(Val(QStringLiteral("12345678901234567890")), 12345678901234567890.0) << "a long number exactly";
}
