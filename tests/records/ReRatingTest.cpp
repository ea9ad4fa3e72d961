// Re-rating stored rounds after a course change: only rounds of that course, each from its own tee
// box and its player's gender, on or after the date; the date checks; both genders and the
// recomputation of every round in one transaction.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>

#include "QStringPrint.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "records/CourseData.h"
#include "records/ReRating.h"
#include "records/frmUpCRSR.h"
#include "shell/AppContext.h"

namespace dc {
namespace {

constexpr double kUntouched = 77.7;  // an index no recomputation leaves

class ReRatingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        Ctx().sDateFormat = "MM/DD/YYYY";
        // Course 1 as it stands now: men's slopes 125/128, ratings 71.2/72.5; women's 129/133, 73.4/74.0;
        // men's pars of tee box 1 all 4 and of tee box 2 all 5, women's all 3.
        CourseCells cells;
        cells.tee[0] = {"White", "71.2", "125", "73.4", "129"};
        cells.tee[1] = {"Blue", "72.5", "128", "74.0", "133"};
        for (int j = 0; j < 18; ++j) {
            cells.Holes(HoleGridKind::MenPars)[0][j] = "4";
            cells.Holes(HoleGridKind::MenPars)[1][j] = "5";
            cells.Holes(HoleGridKind::WomenPars)[0][j] = "3";
            cells.Holes(HoleGridKind::WomenPars)[1][j] = "3";
        }
        Store(1, cells);
        Store(2, cells);
        AddPlayer(1, "M");
        AddPlayer(2, "F");
        AddPlayer(3, "");
        // player, course, game, date, tee box
        AddRound(1, 1, 1, "2024-03-14", 1);
        AddRound(1, 1, 2, "2024-03-15", 1);
        AddRound(1, 1, 3, "2024-03-16", 0);
        AddRound(1, 2, 4, "2024-03-17", 1);
        AddRound(2, 1, 1, "2024-03-15", 1);
        AddRound(3, 1, 1, "2024-03-15", 1);
    }
    void Store(int id, const CourseCells& cells) {
        const PackedCourse p = PackCourse(cells);
        TestDb().Execute(
            "INSERT INTO COURSES (COURSE_ID,COURSE_NAME,TB,MCR,MSL,WCR,WSL,MHCP,WHCP,MPARS,WPARS,YARDS) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,?,?)",
            {id, QString("C%1").arg(id), p.TB, p.MCR, p.MSL, p.WCR, p.WSL, p.MHCP, p.WHCP, p.MPARS, p.WPARS,
             p.YARDS});
    }
    void AddPlayer(int id, const QString& gender) {
        TestDb().Execute(
            "INSERT INTO PLAYERS (PLAYER_ID, LAST_NAME, FIRST_NAME, GENDER) VALUES (?, 'P', 'Q', ?)",
            {id, gender});
    }
    // A round stored with the old values: slope 100, rating 60.0, pars all 9.
    void AddRound(int player, int course, int game, const QString& date, int tee) {
        QString cols =
            "PLAYER_ID,COURSE_ID,GAME_NUMBER,ROUND_DATE,RND_GAME_ID,TEE_BOX_ID,COURSE_RATING,SLOPE_RATING,"
            "USE_HCP,USE_TOURN,PAR,HCP_INDEX_US_18,GSTOTAL,GSF9,GSB9";
        QVariantList values{player, course, game, date, player * 100 + game, tee,
                            60.0,   100,    1,    0,    QString(18, '9'),    kUntouched,
                            90,     45,     45};
        for (int h = 1; h <= 18; ++h) {
            cols += QString(",GS%1").arg(h, 2, 10, QChar('0'));
            values << 5;
        }
        TestDb().Execute("INSERT INTO INDIV_SCORES (" + cols + ") VALUES (" +
                             QStringList(values.size(), "?").join(',') + ")",
                         values);
    }
    struct Round {
        int slope;
        double rating;
        QString par;
        double index;
    };
    Round RoundOf(int player, int game) {
        Recordset rs = TestDb().OpenRecordset(
            "SELECT SLOPE_RATING, COURSE_RATING, PAR, HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=? "
            "AND "
            "GAME_NUMBER=?",
            {player, game});
        return {rs["SLOPE_RATING"].toInt(), rs["COURSE_RATING"].toDouble(), rs["PAR"].str(),
                rs["HCP_INDEX_US_18"].toDouble()};
    }

    test::ProgramFolder folder;
};

}  // namespace

TEST_F(ReRatingTest, EachRoundTakesItsTeeBoxAndGenderOfThatCourseOnly) {
    ReRateRounds(TestDb(), 1, std::nullopt);
    const Round man = RoundOf(1, 1);
    EXPECT_EQ(man.slope, 128) << "men's slope of slot 1";
    EXPECT_DOUBLE_EQ(man.rating, 72.5);
    EXPECT_EQ(man.par, QString(18, '5'));
    const Round slot0 = RoundOf(1, 3);
    EXPECT_EQ(slot0.slope, 125);
    EXPECT_DOUBLE_EQ(slot0.rating, 71.2);
    EXPECT_EQ(slot0.par, QString(18, '4'));
    const Round woman = RoundOf(2, 1);
    EXPECT_EQ(woman.slope, 133);
    EXPECT_DOUBLE_EQ(woman.rating, 74.0);
    EXPECT_EQ(woman.par, QString(18, '3'));
    EXPECT_EQ(RoundOf(1, 4).slope, 100) << "another course is never touched";
    EXPECT_EQ(RoundOf(3, 1).slope, 100) << "a player without gender keeps the old values";
}

TEST_F(ReRatingTest, FromADateIncludesThatDay) {
    ReRateRounds(TestDb(), 1, QDate(2024, 3, 15));
    EXPECT_EQ(RoundOf(1, 1).slope, 100) << "the day before";
    EXPECT_EQ(RoundOf(1, 2).slope, 128) << "the day itself";
    EXPECT_EQ(RoundOf(1, 3).slope, 125);
    EXPECT_EQ(RoundOf(2, 1).slope, 133);
}

TEST_F(ReRatingTest, ScreenChecksTheDateFirst) {
    test::ScriptedMsgBox box;
    frmUpCRSR form(Ctx(), 1);
    EXPECT_EQ(form.windowTitle(), "Update for Course/Slope Rating Changes");
    EXPECT_TRUE(form.optDate_1->isChecked());
    EXPECT_EQ(form.Note2Cap->text(),
              "NOTE: Each game of every player will be altered\n\rand Handicap indices updated.");

    form.mskDate->SetText("03/1_/2024");
    form.cmdUpdate_Click();
    EXPECT_EQ(box.Last(),
              "A valid date cannot contain any underscores.\r\nDate must be in the format MM/DD/YYYY.");
    EXPECT_EQ(RoundOf(1, 1).slope, 100) << "with ALL chosen, an incomplete date still stops";

    // A complete but impossible date never reaches the database.
    form.optDate_2->setChecked(true);
    form.mskDate->SetText("02/30/2024");
    form.cmdUpdate_Click();
    EXPECT_EQ(box.Count(), 2);
    EXPECT_TRUE(box.Last().endsWith("Date must be in the format MM/DD/YYYY."));
    EXPECT_EQ(RoundOf(1, 2).slope, 100);
}

TEST_F(ReRatingTest, ScreenUpdatesFromTheDateRecomputesAndCloses) {
    test::ScriptedMsgBox box;
    Ctx().nCurPlayerID = 3;
    frmUpCRSR form(Ctx(), 1);
    form.show();
    form.optDate_2->setChecked(true);
    form.mskDate->SetText("03/15/2024");
    form.cmdUpdate_Click();
    EXPECT_EQ(box.Count(), 0) << box.Last().toStdString();
    EXPECT_EQ(RoundOf(1, 1).slope, 100);
    EXPECT_EQ(RoundOf(1, 2).slope, 128);
    EXPECT_EQ(RoundOf(2, 1).slope, 133);
    // Every round of every player is recomputed, other courses included.
    EXPECT_NE(RoundOf(1, 1).index, kUntouched);
    EXPECT_NE(RoundOf(1, 4).index, kUntouched);
    EXPECT_NE(RoundOf(3, 1).index, kUntouched);
    EXPECT_EQ(Ctx().nCurPlayerID, 3);
    EXPECT_FALSE(form.isVisible()) << "the screen closes itself";
}

TEST_F(ReRatingTest, AFailingWomensUpdateLeavesEveryRoundAsItWas) {
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE ON INDIV_SCORES WHEN OLD.PLAYER_ID=2 BEGIN SELECT RAISE(ABORT, "
        "'refused'); END");
    test::ScriptedMsgBox box;
    frmUpCRSR form(Ctx(), 1);
    form.show();
    form.cmdUpdate_Click();
    ASSERT_EQ(box.Count(), 1);
    EXPECT_TRUE(box.Last().startsWith("Form UpCRSR, cmdUpdate_Click\r\nError Number "))
        << box.Last().toStdString();
    EXPECT_TRUE(box.Last().contains("sSQL=Update INDIV_SCORES"));
    EXPECT_EQ(RoundOf(1, 1).slope, 100) << "the men's update is undone";
    EXPECT_EQ(RoundOf(1, 1).index, kUntouched);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ReRatingTest, AFailingRecomputationTakesTheNewRatingsBackToo) {
    // The ratings update goes through; the recomputation of player 3's index columns is refused.
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF HCP_INDEX_US_18 ON INDIV_SCORES WHEN OLD.PLAYER_ID=3 BEGIN "
        "SELECT RAISE(ABORT, 'refused'); END");
    test::ScriptedMsgBox box;
    frmUpCRSR form(Ctx(), 1);
    form.show();
    form.cmdUpdate_Click();
    ASSERT_EQ(box.Count(), 1) << "reported once";
    EXPECT_TRUE(box.Last().startsWith("SaveScores, ResynchAllScores")) << box.Last().toStdString();
    EXPECT_EQ(RoundOf(1, 2).slope, 100) << "the new ratings are not kept without their recomputation";
    EXPECT_EQ(RoundOf(1, 2).index, kUntouched);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isEnabled());
}

// A full disk as the rounds are re-rated or as they are recomputed: the course's figures were stored
// by its own Save, only its rounds were not re-rated, and Update may be run again.
TEST_F(ReRatingTest, AFullDiskSaysTheCourseWasSavedAndOnlyItsRoundsWereNotReRated) {
    const QString plain =
        "The disk is full: the course's new figures were saved, only its rounds were not re-rated. Free some "
        "space on the disk (the one that holds '" +
        TestDb().Path() + "') and click Update again to re-rate them.";
    TestDb().Execute("CREATE TABLE GROWTH (X BLOB)");
    for (const char* columns : {"SLOPE_RATING", "HCP_INDEX_US_18"}) {
        SCOPED_TRACE(columns);
        // Every page the database has is taken: the update that fires the trigger finds no room.
        TestDb().Execute(QString("CREATE TRIGGER grow BEFORE UPDATE OF %1 ON INDIV_SCORES BEGIN INSERT INTO "
                                 "GROWTH VALUES (randomblob(100000)); END")
                             .arg(columns));
        TestDb().Scalar(
            QString("PRAGMA max_page_count=%1").arg(TestDb().Scalar("PRAGMA page_count").toInt()));
        Ctx().bErrorReport = true;
        test::ScriptedModal mailScreen([](QDialog&) { return 0; });
        test::ScriptedMsgBox box;
        frmUpCRSR form(Ctx(), 1);
        form.show();
        form.cmdUpdate_Click();
        TestDb().Scalar("PRAGMA max_page_count=1073741823");
        TestDb().Execute("DROP TRIGGER grow");
        EXPECT_EQ(mailScreen.Count(), 0) << "for the user to mend, not to report";
        ASSERT_EQ(box.Count(), 1);
        EXPECT_EQ(box.Last(), plain);
        EXPECT_TRUE(box.Details()[0].contains("Error Number 3035")) << box.Details()[0].toStdString();
        EXPECT_EQ(RoundOf(1, 2).slope, 100);
        EXPECT_EQ(RoundOf(1, 2).index, kUntouched);
        EXPECT_TRUE(form.isVisible() && form.isEnabled()) << "Update can be run again";
    }
    test::ScriptedMsgBox box;
    frmUpCRSR form(Ctx(), 1);
    form.show();
    form.cmdUpdate_Click();
    EXPECT_EQ(box.Count(), 0);
    EXPECT_EQ(RoundOf(1, 2).slope, 128) << "run again once space is freed";
}

TEST_F(ReRatingTest, TheCourseIsTheOneWhoseRatingsChangedEvenIfAnotherIsPickedMeanwhile) {
    test::ScriptedMsgBox box;
    Ctx().nCurCourseID = 1;
    frmUpCRSR form(Ctx(), 1);
    form.show();
    Ctx().nCurCourseID = 2;  // the main screen picks another course while the screen waits
    form.cmdUpdate_Click();
    EXPECT_EQ(box.Count(), 0) << box.Last().toStdString();
    EXPECT_EQ(RoundOf(1, 2).slope, 128) << "course 1's rounds are re-rated";
}

}  // namespace dc
