// The round record: fixed column order against the blank database, and the per-hole texts.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "handicap/RoundRec.h"
#include "platform/Database.h"
#include "shell/AppContext.h"

using namespace dc;

TEST(RoundRec, ColumnOrderMatchesTheDatabase) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    const QStringList columns = TestDb().TableColumns("INDIV_SCORES");
    ASSERT_EQ(RoundFieldOrder().size(), 58);
    ASSERT_GE(columns.size(), 58);
    for (int i = 0; i < 58; ++i) EXPECT_EQ(columns[i].toUpper(), RoundFieldOrder()[i]) << i;
    EXPECT_EQ(RoundFieldOrder()[9 + 1], "GS01");
    EXPECT_EQ(RoundFieldOrder()[9 + 18], "GS18");
    EXPECT_EQ(RoundFieldOrder()[27 + 1], "HCP_INDEX_US_18");
    EXPECT_EQ(RoundFieldOrder()[33 + 6], "THCP_INDEX_CA_B9");
    EXPECT_EQ(RoundFieldOrder()[57], "NOTES");
}

TEST(RoundRec, PerHoleTexts) {
    std::array<int, 18> putts{};
    putts[0] = 3;
    putts[1] = 10;
    const QString p = HolePutts(putts);
    EXPECT_EQ(p.size(), 36);
    EXPECT_EQ(p.left(6), " 310 0");
    EXPECT_EQ(PuttsOfHole(p, 2), 10);
    EXPECT_EQ(PuttsOfHole("0203", 2), 3) << "imported putts with a leading zero read the same";
    EXPECT_EQ(PuttsOfHole("", 5), 0);

    std::array<std::optional<int>, 18> pars;
    pars.fill(4);
    pars[2] = std::nullopt;  // one empty hole must not shift later holes
    pars[5] = 5;
    const QString text = HolePars(pars);
    EXPECT_EQ(text.size(), 18);
    EXPECT_EQ(text, "440445444444444444");
    EXPECT_EQ(ParOfHole(text, 6), 5);
    EXPECT_EQ(ParOfHole("", 1), 0);

    std::array<bool, 18> flags{};
    flags[17] = true;
    EXPECT_EQ(HoleFlags(flags), QString(17, '0') + "1");
    EXPECT_TRUE(FlagOfHole(HoleFlags(flags), 18));
    EXPECT_FALSE(FlagOfHole(QString(), 18)) << "an empty flag text is no on every hole";
    EXPECT_EQ(NoteShown(" "), "");
}

TEST(RoundRec, ReadsAStoredRowByPosition) {
    test::ProgramFolder folder;
    folder.OpenDatabase();
    QVariantList values;
    for (int i = 0; i < 58; ++i) values << QVariant();
    values[0] = 3;
    values[2] = 1;
    values[3] = "2004-08-15";
    values[10] = 5;
    values[27] = 4;
    values[28] = -1.2;
    values[34] = -100.0;
    values[57] = " note";
    QStringList marks;
    for (int i = 0; i < 58; ++i) marks << "?";
    TestDb().Execute("Insert Into INDIV_SCORES Values (" + marks.join(",") + ")", values);
    Recordset rs = TestDb().OpenRecordset("Select * From INDIV_SCORES Where PLAYER_ID=?", {3});
    const RoundRec r = ReadRoundRec(rs);
    EXPECT_EQ(r.ROUND_DATE, QDate(2004, 8, 15));
    EXPECT_EQ(r.GS[0], 5);
    EXPECT_EQ(r.GS[17], 4);
    EXPECT_DOUBLE_EQ(r.HCP_INDEX[US_18], -1.2);
    EXPECT_DOUBLE_EQ(r.THCP_INDEX[US_18], kNoTournIndex);
    EXPECT_DOUBLE_EQ(r.THCP_INDEX[CA_B9], kNoTournIndex) << "an empty tournament index is none, not 0";
    EXPECT_EQ(r.GAME_COST, 0.0) << "a Null cost reads as 0";
    EXPECT_EQ(NoteShown(r.NOTES), "note");
}
