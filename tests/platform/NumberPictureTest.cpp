// Fixed-decimal pictures round a half away from zero, in decimal, whatever the binary value.
#include <gtest/gtest.h>

#include "QStringPrint.h"
#include "platform/Val.h"

using namespace dc;

TEST(NumberPicture, HalvesRoundAwayFromZero) {
    const struct {
        double value;
        int decimals, significant;
        const char* text;
    } cases[] = {
        {87.0 / 20, 1, 15, "4.4"},  // 4.35 lies just below in binary
        {23.0 / 20, 1, 15, "1.2"},  // 1.15 too
        {0.25, 1, 15, "0.3"},          {2.5, 0, 15, "3"},
        {-1.25, 1, 15, "-1.3"},        {9.95, 1, 15, "10.0"},
        {99.95, 1, 15, "100.0"},       {1.005, 2, 15, "1.01"},
        {4.349, 1, 15, "4.3"},         {0.04, 1, 15, "0.0"},
        {-0.04, 1, 15, "0.0"},         {0, 2, 15, "0.00"},
        {36.4, 1, 15, "36.4"},         {double(4.35f), 1, 7, "4.4"},
        {double(12.3f), 1, 7, "12.3"},
    };
    for (const auto& c : cases) EXPECT_EQ(FixedText(c.value, c.decimals, c.significant), c.text) << c.value;
}
