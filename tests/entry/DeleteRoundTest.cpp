// Deleting rounds and players and printing the shown round: the store's delete with its
// renumbering and full recomputation as one unit, and the main screen's questions, refusals and
// printout driven offscreen with scripted answers.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStandardPaths>

#include "EntryFixture.h"
#include "QStringPrint.h"
#include "entry/RoundDelete.h"
#include "entry/frmMainGolf.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"

using namespace dc;

namespace {

// Game number, date and every engine column of each of the player's rounds.
QStringList Rows(int player) {
    QStringList cols{"GAME_NUMBER", "ROUND_DATE", "PAR"};
    for (const char* p : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
        for (const char* v : {"US_18", "US_F9", "US_B9", "CA_18", "CA_F9", "CA_B9"}) cols << QString(p) + v;
    return test::RoundRows(player, cols.join(","));
}

class DeleteRound : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        Ctx().bFlag18_9 = Ctx().bUSCAFlag = true;
        test::AddCourse(1, "Pines", 113, "72.0");
        test::AddPlayer(7, "SMITH", "Ann", "F");
        test::AddPlayer(8, "JONES", "Bea", "M");
    }
    // Rounds 1 to n of player 7, with indexes computed; every third plays only the front nine.
    static void StoredRounds(int n) {
        for (int g = 1; g <= n; ++g) {
            test::AddRound(7, g, QDate(2024, 1, g), 4 + g % 3);
            if (g % 3 == 0)
                TestDb().Execute(
                    "UPDATE INDIV_SCORES SET GS10=0,GS11=0,GS12=0,GS13=0,GS14=0,GS15=0,GS16=0,GS17=0,GS18=0,"
                    "GSB9=0,GSTotal=GSF9 WHERE PLAYER_ID=7 AND GAME_NUMBER=?",
                    {g});
        }
        ResynchAllScores(TestDb());
    }
    static int KeyOf(int player, int game) {
        return TestDb()
            .Scalar("SELECT RND_GAME_ID FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=?",
                    {player, game})
            .toInt();
    }
    std::unique_ptr<frmMainGolf> Open(int player) {
        auto form = std::make_unique<frmMainGolf>(Ctx());
        form->show();
        if (player) form->cboPlayer->setCurrentIndex(form->cboPlayer->findData(player));
        return form;
    }

    test::ProgramFolder folder;
    test::FixedClock clock{QDateTime(QDate(2024, 6, 1), QTime(12, 0))};
};

}  // namespace

// Every variant of every later game is recomputed, as a full recomputation of the rounds left
// gives it, whatever those columns held before.
TEST_F(DeleteRound, Round3Of10RenumbersAndRecomputesEveryVariantOfTheLaterRounds) {
    StoredRounds(10);
    // Stale values in every column the engine writes for the later games (a nine not played is
    // never written).
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET HCP_INDEX_US_18=99,HCP_INDEX_US_F9=99,HCP_INDEX_CA_18=99,HCP_INDEX_CA_F9=99,"
        "ADJSCR_CA_18=1 WHERE PLAYER_ID=7 AND GAME_NUMBER>3");
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET HCP_INDEX_US_B9=99,HCP_INDEX_CA_B9=99 WHERE PLAYER_ID=7 AND GAME_NUMBER>3 "
        "AND GSB9>0");
    const QString game4Date =
        TestDb().Scalar("SELECT ROUND_DATE FROM INDIV_SCORES WHERE PLAYER_ID=7 AND GAME_NUMBER=4").toString();
    EXPECT_EQ(DeleteRoundAndRecalculate(TestDb(), {7, KeyOf(7, 3)}), 9);
    const QStringList after = Rows(7);
    ASSERT_EQ(after.size(), 9);
    for (int g = 1; g <= 9; ++g) EXPECT_TRUE(after[g - 1].startsWith(QString::number(g) + " ")) << g;
    EXPECT_TRUE(after[2].contains(game4Date)) << "game 4 became game 3";
    EXPECT_FALSE(after.join("\n").contains(" 99")) << after.join("\n").toStdString();
    ResynchAllScores(TestDb());
    EXPECT_EQ(after, Rows(7));
}

// The progress steps show only when more than 5 later games are recomputed; the game after the one
// deleted is recomputed even when it is the last one left.
TEST_F(DeleteRound, LaterGamesAreRecomputedWithProgressPastFive) {
    struct Steps : ProgressReporter {
        int steps = 0;
        void Step(int, int) override { ++steps; }
    };
    const struct {
        int deleted;
        bool steps;
    } cases[] = {{3, true}, {4, false}, {9, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deleted);
        TestDb().Execute("DELETE FROM INDIV_SCORES");
        StoredRounds(10);
        TestDb().Execute("UPDATE INDIV_SCORES SET HCP_INDEX_US_18=99 WHERE PLAYER_ID=7 AND GAME_NUMBER=10");
        Steps progress;
        EXPECT_EQ(DeleteRoundAndRecalculate(TestDb(), {7, KeyOf(7, c.deleted)}, &progress), 9);
        EXPECT_EQ(progress.steps > 0, c.steps);
        EXPECT_NE(TestDb()
                      .Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE PLAYER_ID=7 AND GAME_NUMBER=9")
                      .toDouble(),
                  99.0);
    }
}

TEST_F(DeleteRound, AFailureMidWayLeavesTheDatabaseAsItWas) {
    StoredRounds(10);
    const QStringList before = Rows(7);
    TestDb().Execute("DROP TABLE HCP_REDUCTION");  // the recomputation fails after the delete
    EXPECT_ANY_THROW(DeleteRoundAndRecalculate(TestDb(), {7, KeyOf(7, 3)}));
    EXPECT_EQ(Rows(7), before);
}

// The refusals: each shows its message once and deletes or prints nothing.
TEST_F(DeleteRound, RefusalsWithoutARoundOrAPlayer) {
    StoredRounds(2);
    const QString noPlayer = "No Player is selected to delete.  Please select a Player";
    using F = frmMainGolf;
    const auto del = [](F& f) { f.cmdDeleteGame_Click(); };
    const auto print = [](F& f) { f.cmdPrintScoreCard_Click(); };
    const struct {
        int player;       // chosen first (0 none)
        bool dropChoice;  // then no player chosen, the old round still shown
        std::function<void(F&)> click;
        QString message;
    } cases[] = {
        {8, false, del, "This is a 'New' game and cannot be deleted."},
        {7, true, del, noPlayer},
        {0, false, [](F& f) { f.cmdDeletePlayer_Click(); }, noPlayer},
        {0, false, print, "Please select a Player before printing an existing score card."},
        {8, false, print,
         "Please select an existing round of golf for a player before printing an existing score card."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        auto f = Open(c.player);
        if (c.dropChoice) {
            const QSignalBlocker block(f->cboPlayer);
            f->cboPlayer->setCurrentIndex(-1);
        }
        test::ScriptedMsgBox boxes;
        c.click(*f);
        EXPECT_EQ(boxes.Texts(), QStringList{c.message});
        EXPECT_EQ(test::RoundCount(7), 2);
        EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM PLAYERS").toInt(), 2);
    }
}

TEST_F(DeleteRound, TheLastGameAsksToDeleteThePlayerFirst) {
    test::AddRound(7, 1, QDate(2024, 1, 1), 5);
    {  // Yes: the player and the round go, one question, a blank new round for no one
        auto f = Open(7);
        test::ScriptedMsgBox boxes({vbYes});
        f->cmdDeleteGame_Click();
        EXPECT_EQ(boxes.Texts(), QStringList{"Player's last game.  Delete Player?"});
        EXPECT_EQ(test::RoundCount(7), 0);
        EXPECT_EQ(f->cboPlayer->findData(7), -1) << "the list is reloaded";
        EXPECT_EQ(f->txtRecNum->text(), "New");
        EXPECT_EQ(Ctx().nCurPlayerID, 0);
        EXPECT_EQ(f->round.IsNew(), 1);
        EXPECT_EQ(f->lblHI[1]->text(), "") << "no player chosen: nobody's previous index";
    }
    test::AddPlayer(7, "SMITH", "Ann", "F");
    test::AddRound(7, 1, QDate(2024, 1, 1), 5);
    auto f = Open(7);
    test::ScriptedMsgBox boxes({vbNo, vbYes});  // No, then Yes: only the round goes
    f->cmdDeleteGame_Click();
    EXPECT_EQ(boxes.Texts(), (QStringList{"Player's last game.  Delete Player?",
                                          "Are you sure you want to delete this game?"}));
    EXPECT_EQ(test::RoundCount(7), 0);
    EXPECT_NE(f->cboPlayer->findData(7), -1);
    EXPECT_EQ(f->txtRecNum->text(), "New");
}

TEST_F(DeleteRound, OnTheScreenGame3Of10GoesAndTheNewestIsShown) {
    StoredRounds(10);
    auto f = Open(7);
    f->txtRecNum->setText("3");
    test::ScriptedMsgBox boxes({vbNo, vbYes, vbNo});
    f->cmdDeleteGame_Click();
    EXPECT_EQ(test::RoundCount(7), 10);
    f->cmdDeleteGame_Click();
    EXPECT_EQ(test::RoundCount(7), 9);
    EXPECT_EQ(f->RecBar->maximum(), 9);
    EXPECT_EQ(f->txtRecNum->text(), " 9");
    EXPECT_EQ(f->round.StoredGame(), 9);
    EXPECT_TRUE(f->isEnabled());
    EXPECT_FALSE(f->cmdDeletePlayer_Click());
    EXPECT_EQ(boxes.Texts(), (QStringList{"Are you sure you want to delete this game?",
                                          "Are you sure you want to delete this game?",
                                          "Are you sure you want to delete this player?"}));
    EXPECT_EQ(test::RoundCount(7), 9);
}

// A long name, course and tee box: the header takes a shorter form of the name, then a smaller
// size, and prints whole.
TEST_F(DeleteRound, PrintCardFitsALongHeaderWithoutCuttingIt) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext is not available";
    const QString course = "Royal Saint Andrews Old Course Golf & Country Club Fi";  // 52
    TestDb().Execute("UPDATE PLAYERS SET LAST_NAME=?, FIRST_NAME=? WHERE PLAYER_ID=7",
                     {"Fitzwilliam-Worthington-Smythe-Montgomery", "Bartholomew Maximilian"});
    TestDb().Execute("UPDATE COURSES SET COURSE_NAME=?, TB=? WHERE COURSE_ID=1",
                     {course, "Championship Blackxx" + QString(60, ' ')});
    test::AddRound(7, 1, QDate(2024, 5, 14), 5);
    auto f = Open(7);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("card.pdf");
    test::EnvGuard out("DC_PRINT_PDF", pdf.toUtf8());
    test::ScriptedMsgBox boxes;
    f->cmdPrintScoreCard_Click();
    const QString text = test::PdfText(pdf).simplified();
    for (const QString& s :
         {"Course: " + course, QString("Tee Box: Championship Blackxx"), QString("Date: 05/14/2024"),
          QString("Fitzwilliam-Worthington-Smythe-Montgomery")})
        EXPECT_TRUE(text.contains(s)) << s.toStdString() << "\n" << text.toStdString();
}

TEST_F(DeleteRound, PrintsTheShownRoundWithItsHeaderAndReportsAFailingPrinterOnce) {
    test::AddRound(7, 1, QDate(2024, 5, 14), 5);
    auto f = Open(7);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("card.pdf");
    qputenv("DC_PRINT_PDF", pdf.toUtf8());
    {
        test::ScriptedMsgBox boxes;
        f->cmdPrintScoreCard_Click();
        EXPECT_EQ(boxes.Count(), 0) << boxes.Last().toStdString();
    }
    EXPECT_EQ(f->spISC->PrintJobName(), "Printing Individual Score Card");
    EXPECT_EQ(f->spISC->PrintHeader(), "SMITH, Ann    Date: 05/14/2024   Course: Pines   Tee Box: Blue");
    if (!QStandardPaths::findExecutable("pdftotext").isEmpty()) {
        const QString text = test::PdfText(pdf);
        for (const char* s : {"SMITH, Ann", "Date: 05/14/2024", "Course: Pines", "Tee Box: Blue", "Gross",
                              "Tot", "F Hit", "90"})
            EXPECT_TRUE(text.contains(s)) << s << "\n" << text.toStdString();
        // The hole handicaps are printed without sums beside them.
        QStringList ranks{"HCP"};
        for (int h = 1; h <= 18; ++h) ranks << QString::number(h);
        const QStringList lines = text.split('\n').filter(QRegularExpression("^\\s*HCP\\b"));
        ASSERT_EQ(lines.size(), 1) << text.toStdString();
        EXPECT_EQ(lines[0].simplified(), ranks.join(' '));
    }
    qputenv("DC_PRINT_PDF", "/nonexistent-folder/card.pdf");
    test::ScriptedMsgBox boxes;
    f->cmdPrintScoreCard_Click();
    qunsetenv("DC_PRINT_PDF");
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("Form Main Dado, cmdPrintScoreCard_Click\r\nError Number "))
        << boxes.Last().toStdString();
}
