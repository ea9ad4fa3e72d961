// The scoring grid's cell texts read as hole figures and written back.
#include <gtest/gtest.h>

#include "entry/HoleCells.h"

using namespace dc;

TEST(HoleCells, TextsReadAsFiguresAndBack) {
    const struct {
        QString text;
        HoleFigure figure;
        QString shown;  // the figure as a cell shows it again
    } cases[] = {
        {"", kEmptyHole, ""}, {"   ", kEmptyHole, ""}, {"4", 4, "4"},
        {" 5 ", 5, "5"},      {"10", 10, "10"},        {"4.7", 4, "4"},
        {"abc", 0, "0"},      {"-3", -3, "-3"},        {"99999999999", 2147483647, "2147483647"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HoleFigureOf(c.text), c.figure) << c.text.toStdString();
        EXPECT_EQ(HoleFigureText(HoleFigureOf(c.text)), c.shown) << c.text.toStdString();
    }
}
