// The four index procedures against a real database: what they read, what they write, and how
// they report a failure.
#include <gtest/gtest.h>

#include "EngineDb.h"
#include "handicap/HandUtil.h"
#include "platform/Database.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"

namespace dc::test {
namespace {

class HandUtilDb : public EngineDb {
  protected:
    void SetUp() override {
        EngineDb::SetUp();
        AddPlayer(1);
    }
};

// Runs an index procedure as a screen's handler does: a failure is reported at the handler's edge.
template <typename F>
std::optional<HcpOutcome> AsHandler(F run) {
    try {
        return run();
    } catch (...) {
        ReportCurrentError("Caller", Sql::With);
        return std::nullopt;
    }
}

TEST_F(HandUtilDb, ModeOneWritesIndexesAdjustedScoreAndPars) {
    TestRound r;
    r.gross.fill(10);
    AddRound(r);
    const std::optional<HcpOutcome> out = HandUtilUS18(TestDb(), 1, 1, 1, 0, true);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->index, 36.4f);
    EXPECT_EQ(out->tIndex, -100.0f);
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_US_18"), 36.4);
    EXPECT_DOUBLE_EQ(Number(1, 1, "THCP_INDEX_US_18"), -100.0);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_18").toInt(), 162);  // at most 9 a hole for handicap 36
    EXPECT_EQ(Value(1, 1, "PAR").toString(), "444444444444444444");
    EXPECT_TRUE(Value(1, 1, "HCP_INDEX_CA_18").isNull());  // other variants untouched
}

TEST_F(HandUtilDb, StoredRatingsCountWithOneDecimalAndEmptyTournamentIndexesAsNone) {
    for (int g = 1; g <= 4; ++g) {
        TestRound r = Round(1, g, QString("2026-06-0%1").arg(g));
        r.columns = {{"ADJSCR_US_18", 92}};  // differential 20.0
        AddRound(r);
    }
    // A rating stored from a single-precision 70.9: (76 - 70.9) x 113 / 102 = 5.65, which is 5.7.
    TestRound r = Round(1, 5, "2026-06-05");
    r.rating = static_cast<double>(70.9f);
    r.slope = 102;
    r.columns = {{"ADJSCR_US_18", 76}};
    AddRound(r);
    HandUtilUS18(TestDb(), 1, 5, 0, 0, true);
    EXPECT_DOUBLE_EQ(Number(1, 5, "HCP_INDEX_US_18"), 5.4) << "5.7 x 0.96 = 5.472; not 5.6 x 0.96";

    // Game 2 recomputed from its holes: game 1's empty tournament index means none, so the
    // course handicap comes from its index 20.0 (allowed 8 a hole), not from a tournament index 0.
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET HCP_INDEX_US_18=20.0, THCP_INDEX_US_18=NULL WHERE GAME_NUMBER=1");
    TestDb().Execute("UPDATE INDIV_SCORES SET GS01=9, GS02=9 WHERE GAME_NUMBER=2");
    HandUtilUS18(TestDb(), 1, 2, 1, 0, true);
    EXPECT_EQ(Value(1, 2, "ADJSCR_US_18").toInt(), 16 * 5 + 8 + 8);
}

TEST_F(HandUtilDb, ModeZeroWritesOnlyTheTwoIndexes) {
    TestRound r;
    r.gross.fill(10);
    r.columns = {{"ADJSCR_US_18", 99}};
    AddRound(r);
    HandUtilUS18(TestDb(), 1, 1, 0, 1, true);
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_US_18"), 40.4);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_18").toInt(), 99);
}

TEST_F(HandUtilDb, ParsFromTheCourseOrEighteenOnesAreWrittenBack) {
    TestRound r;
    r.gross.fill(8);
    r.par = "";
    r.course = 5;
    r.tee = 1;
    AddRound(r);
    // No course row: pars of 1, Canada handicap 36 -> par + 4 = 5 a hole.
    HandUtilCA18(TestDb(), 1, 1, 1, 0, true);
    EXPECT_EQ(Value(1, 1, "ADJSCR_CA_18").toInt(), 90);
    EXPECT_EQ(Value(1, 1, "PAR").toString(), "111111111111111111");

    TestDb().Execute("UPDATE INDIV_SCORES SET PAR=NULL");
    TestDb().Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME, MPARS, WPARS) VALUES (5, 'Links', ?, ?)",
                     {QString(18, '4') + QString(18, '5'), QString(36, '3')});
    HandUtilCA18(TestDb(), 1, 1, 1, 0, true);  // men, tee box 1: pars of 5 -> at most 9
    EXPECT_EQ(Value(1, 1, "ADJSCR_CA_18").toInt(), 144);
    EXPECT_EQ(Value(1, 1, "PAR").toString(), QString(18, '5'));
}

TEST_F(HandUtilDb, RoundThatIsNotForHandicapCarriesTheIndexOfTheRoundsBeforeIt) {
    for (int g = 1; g <= 5; ++g) {
        TestRound r;
        r.game = g;
        r.rating = 71.6;
        r.columns = {{"ADJSCR_US_18", 83 + g}};  // 12.4, 13.4, ...
        AddRound(r);
    }
    TestRound off;
    off.game = 6;
    off.hcp = false;
    off.columns = {{"ADJSCR_US_18", 70}};
    AddRound(off);
    HandUtilUS18(TestDb(), 1, 6, 1, 0, true);
    EXPECT_DOUBLE_EQ(Number(1, 6, "HCP_INDEX_US_18"), 11.9);
    EXPECT_EQ(Value(1, 6, "ADJSCR_US_18").toInt(), 70);
}

// Twenty rounds: eighteen of 20.0 and two tournament rounds of 10.0. Index 17.2; the look-up gets
// t = 2 and D = 7.2000008.
TEST_F(HandUtilDb, TournamentIndexFromTheReductionTable) {
    for (int g = 1; g <= 20; ++g) {
        TestRound r;
        r.game = g;
        r.tourn = g > 18;
        r.columns = {{"ADJSCR_US_18", g > 18 ? 82 : 92}};
        AddRound(r);
    }
    auto table = [](std::initializer_list<std::array<double, 3>> rows) {
        TestDb().Execute("DELETE FROM HCP_REDUCTION");
        for (const auto& row : rows)
            TestDb().Execute("INSERT INTO HCP_REDUCTION VALUES (?, ?, ?)", {row[0], row[1], row[2]});
    };
    table({{2, 5.0, 1.0}, {2, 7.3, 2.0}, {2, 10.0, 3.0}, {3, 8.0, 6.0}});
    HandUtilUS18(TestDb(), 1, 20, 0, 0, true);
    EXPECT_DOUBLE_EQ(Number(1, 20, "HCP_INDEX_US_18"), 17.2);
    EXPECT_DOUBLE_EQ(Number(1, 20, "THCP_INDEX_US_18"), 15.2);  // (2, 7.3): smallest AVG not below D

    table({{2, 7.2, 2.0}});  // below D: no row qualifies
    HandUtilUS18(TestDb(), 1, 20, 0, 0, true);
    EXPECT_DOUBLE_EQ(Number(1, 20, "THCP_INDEX_US_18"), -100.0);
    table({});
    HandUtilUS18(TestDb(), 1, 20, 0, 0, true);
    EXPECT_DOUBLE_EQ(Number(1, 20, "THCP_INDEX_US_18"), -100.0);
}

TEST_F(HandUtilDb, NineHoleRunWritesItsOwnNine) {
    TestRound r;
    for (int i = 0; i < 9; ++i) r.gross[i] = 0;  // back nine only
    AddRound(r);
    NewHandUtilUS9(TestDb(), 1, 1, 0, false);
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_US_B9"), 18.2);
    EXPECT_DOUBLE_EQ(Number(1, 1, "THCP_INDEX_US_B9"), -100.0);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_B9").toInt(), 45);
    EXPECT_TRUE(Value(1, 1, "HCP_INDEX_US_F9").isNull());

    // Asked for the front nine it did not play: no adjusted score from holes of 0.
    HandUtilCA9(TestDb(), 1, 1, 1, true);
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_CA_F9"), 20.2);
    EXPECT_TRUE(Value(1, 1, "ADJSCR_CA_F9").isNull());
}

TEST_F(HandUtilDb, FailureIsReportedOnceAndLeavesTheRow) {
    AddRound(TestRound{});
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON INDIV_SCORES BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ScriptedMsgBox boxes;
    EXPECT_FALSE(AsHandler([] { return HandUtilCA18(TestDb(), 1, 1, 1, 0, true); }));
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(
        boxes.Last().startsWith("HandUtil, HandUtilCA18\r\nError Number 3022\r\nrefused\r\nLine #: 40\r\n"
                                "sSQL=UPDATE INDIV_SCORES SET HCP_INDEX_CA_18=?"))
        << boxes.Last().toStdString();
    EXPECT_TRUE(Value(1, 1, "HCP_INDEX_CA_18").isNull());

    AsHandler([] { return HandUtilUS18(TestDb(), 1, 1, 1, 0, true); });
    AsHandler([] { return NewHandUtilUS9(TestDb(), 1, 1, 0, true); });
    ASSERT_EQ(boxes.Count(), 3);
    EXPECT_TRUE(
        boxes.Texts()[1].startsWith("HandUtil, HandUtilUS18\r\nError Number 3022\r\nrefused\r\nsSQL="));
    EXPECT_TRUE(boxes.Texts()[2].startsWith("HandUtil, NewHandUtilUS9\r\n"));
}

// A failed computation is thrown, never taken for a game without an index: that one is an outcome.
TEST_F(HandUtilDb, AFailureIsThrownAndAGameWithoutIndexIsNot) {
    AddRound(TestRound{});
    const HcpOutcome none = HandUtilUS18(TestDb(), 1, 1, 0, 0, true);  // one round: too few for an index
    EXPECT_EQ(none.tIndex, -100.0f);
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON INDIV_SCORES BEGIN SELECT RAISE(ABORT, 'refused'); END");
    ScriptedMsgBox boxes;
    try {
        HandUtilCA9(TestDb(), 1, 1, 0, true);
        ADD_FAILURE() << "the failure was not thrown";
    } catch (const ProcedureFailure& e) {
        EXPECT_EQ(e.number(), 3022);
        EXPECT_TRUE(
            e.text().startsWith("HandUtil, HandUtilCA9\r\nError Number 3022\r\nrefused\r\nsSQL=UPDATE "))
            << e.text().toStdString();
    }
    EXPECT_EQ(boxes.Count(), 0) << "nothing is said by the procedure itself";
}

}  // namespace
}  // namespace dc::test
