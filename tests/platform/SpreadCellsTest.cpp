// The grid's settings and list choices given by position: they reach the cells named, a column's
// or row's setting reaches rows and columns added later, and the addressing Col and Row is untouched.
#include <gtest/gtest.h>

#include "platform/Spread.h"

using namespace dc;

TEST(SpreadCells, SettingsReachTheCellsNamedOnly) {
    Spread sp;
    sp.SetMaxCols(4);
    sp.SetMaxRows(3);
    sp.SetCol(4);
    sp.SetRow(3);
    struct Case {
        const char* what;
        int col, row, col2, row2;
        std::vector<std::pair<int, int>> reached, untouched;
    };
    const Case cases[] = {
        {"one cell", 2, 2, 2, 2, {{2, 2}}, {{2, 1}, {1, 2}, {3, 2}}},
        {"a column", 3, -1, 3, -1, {{3, 1}, {3, 3}, {3, 5}}, {{2, 1}, {4, 3}}},
        {"a row", -1, 1, -1, 1, {{1, 1}, {4, 1}, {5, 1}}, {{1, 2}}},
        {"a block", 1, 2, 2, 3, {{1, 2}, {2, 3}}, {{3, 2}, {1, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Spread grid;
        grid.SetMaxCols(4);
        grid.SetMaxRows(3);
        grid.Cells(c.col, c.row, c.col2, c.row2).SetLock(true).SetBackColor(Qt::yellow);
        grid.SetMaxCols(5);  // added later: a row's setting reaches them
        grid.SetMaxRows(5);  // and a column's
        for (auto [col, row] : c.reached) {
            EXPECT_TRUE(grid.CellAt(col, row)->fmt.locked) << col << "," << row;
            EXPECT_EQ(grid.CellAt(col, row)->fmt.backColor, QColor(Qt::yellow)) << col << "," << row;
        }
        for (auto [col, row] : c.untouched)
            EXPECT_FALSE(grid.CellAt(col, row)->fmt.locked) << col << "," << row;
    }

    sp.Cells(2, -1).SetCellType(SpreadCellType::ComboBox).SetTypeComboBoxList("Blue\tWhite");
    sp.SetTypeComboBoxCurSel(2, 3, 1);
    EXPECT_EQ(sp.TypeComboBoxCurSel(2, 3), 1);
    EXPECT_EQ(sp.CellText(2, 3), "White");
    EXPECT_EQ(sp.TypeComboBoxCurSel(2, 2), -1) << "the other rows choose nothing";
    sp.Cells(1, 1).SetCellType(SpreadCellType::Integer).SetTypeNumberMin(3).SetTypeNumberMax(6);
    EXPECT_EQ(sp.CellAt(1, 1)->fmt.numberMax, 6);
    EXPECT_EQ(sp.CellAt(1, 2)->fmt.type, SpreadCellType::Edit);
    EXPECT_EQ(sp.Col(), 4) << "the addressing stays where it was";
    EXPECT_EQ(sp.Row(), 3);
}
