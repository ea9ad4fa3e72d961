// Renumbering and recomputing every round: results, the progress window and calling screen, and
// what a failure leaves behind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <random>
#include <utility>
#include <vector>

#include "EngineDb.h"
#include "handicap/HandUtil.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundRec.h"
#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "platform/Pointer.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/ResyncProgress.h"
#include "shell/frmMainWait.h"

namespace dc::test {
namespace {

// The recomputation as the screens run it, with the progress window and the calling screen.
bool Resync(QWidget* caller = nullptr, bool fromUpCRSR = false) {
    ResyncProgress progress(caller, fromUpCRSR);
    const ResyncResult result = ResynchAllScores(TestDb(), &progress);
    ReportErrorTexts(result.errors);
    return result.ok;
}

using SaveScoresDb = EngineDb;

// Counts the enabled/disabled changes of a widget.
class EnabledChanges : public QObject {
  public:
    explicit EnabledChanges(QWidget* w) { w->installEventFilter(this); }
    int disabled = 0;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::EnabledChange && !static_cast<QWidget*>(o)->isEnabled()) ++disabled;
        return false;
    }
};

frmMainWait* VisibleWaitWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* wait = qobject_cast<frmMainWait*>(w); wait && wait->isVisible()) return wait;
    return nullptr;
}

TEST_F(SaveScoresDb, RenumberingFollowsTheDatesAndKeepsSameDayOrder) {
    AddPlayer(1);
    const char* dates[] = {"2026-03-01", "2026-04-01", "2026-05-01"};
    for (int g = 1; g <= 3; ++g) AddRound(Round(1, g, dates[g - 1], 100 + g));
    // Two rounds of one day, stored in the opposite order of their game numbers.
    AddRound(Round(1, 6, "2026-02-01", 66));
    AddRound(Round(1, 5, "2026-02-01", 55));
    AddRound(Round(1, 4, "2026-01-01", 44));  // earlier than all others
    ResynchIndivScores(TestDb(), 1);
    const std::map<int, int> expected{{44, 1}, {55, 2}, {66, 3}, {101, 4}, {102, 5}, {103, 6}};
    EXPECT_EQ(GamesByRoundId(1), expected);
}

// Six rounds stored with game numbers against their dates, and marks in their index and adjusted
// score columns: after the renumbering only games 3 and 4 are recomputed and written.
TEST_F(SaveScoresDb, RecomputingARangeWritesOnlyItsGames) {
    AddPlayer(1);
    for (int g = 1; g <= 6; ++g) {
        TestRound r = Round(1, 7 - g, QString("2026-0%1-01").arg(g + 1), g);
        r.columns = {{"HCP_INDEX_US_18", 1.5}, {"ADJSCR_US_18", 70}};
        AddRound(r);
    }
    EXPECT_EQ(RoundStore(TestDb()).Renumber(1), 6);
    EXPECT_EQ(GamesByRoundId(1), (std::map<int, int>{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}}));

    CachedHcpLookups lookups(TestDb());
    const int window = OneYearWindow().toInt();
    std::vector<std::pair<int, int>> steps;
    const std::optional<HcpOutcome> last = RecomputeGames(TestDb(), 1, 0, 3, 4, 1, lookups, window,
                                                          [&](int k, int n) { steps.emplace_back(k, n); });
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    for (int g : {1, 2, 5, 6}) {
        EXPECT_DOUBLE_EQ(Number(1, g, "HCP_INDEX_US_18"), 1.5) << g;
        EXPECT_EQ(Value(1, g, "ADJSCR_US_18").toInt(), 70) << g;
        EXPECT_TRUE(Value(1, g, "HCP_INDEX_CA_F9").isNull()) << g;
    }
    for (int g : {3, 4}) {
        EXPECT_EQ(Value(1, g, "ADJSCR_US_18").toInt(), 90) << g;  // every game a handicap round: recomputed
        EXPECT_DOUBLE_EQ(Number(1, g, "HCP_INDEX_US_18"), 36.4) << g;
    }
    // Games 1 and 2 have no nine scores, so the walk takes one nine of each: game 3 has three nines
    // (the default), game 4 five, both of game 3 among them as just computed (9.0 x 0.96).
    EXPECT_DOUBLE_EQ(Number(1, 3, "HCP_INDEX_CA_F9"), 18.2);
    EXPECT_DOUBLE_EQ(Number(1, 4, "HCP_INDEX_CA_F9"), 8.6);
    // The last run was game 4's Canadian back nine.
    ASSERT_TRUE(last);
    EXPECT_FLOAT_EQ(last->index, static_cast<float>(Number(1, 4, "HCP_INDEX_CA_B9")));
    EXPECT_FLOAT_EQ(last->tIndex, -100.0f);

    // A range past the last game computes nothing.
    EXPECT_FALSE(RecomputeGames(TestDb(), 1, 0, 7, 9, 1, lookups, window,
                                [&](int k, int n) { steps.emplace_back(k, n); }));
    EXPECT_EQ(steps.size(), 2u);
}

// Five rounds of 90 (18.0 each; nines of 45 against 36.0 are 9.0), then a round dated before
// all of them is added: 81 with a front nine of fours (9.0; nines 0.0 and 9.0).
TEST_F(SaveScoresDb, RecomputesAPlayerWhoseEarliestRoundChanged) {
    AddPlayer(1);
    for (int g = 1; g <= 5; ++g) AddRound(Round(1, g, QString("2026-0%1-01").arg(g + 1)));
    Resync();
    for (int g = 1; g <= 4; ++g) EXPECT_DOUBLE_EQ(Number(1, g, "HCP_INDEX_US_18"), 36.4) << g;
    EXPECT_DOUBLE_EQ(Number(1, 5, "HCP_INDEX_US_18"), 17.2);  // 18.0 x 0.96
    EXPECT_DOUBLE_EQ(Number(1, 5, "HCP_INDEX_US_F9"), 8.6);   // nine nines of 9.0, lowest 3
    EXPECT_EQ(Value(1, 5, "ADJSCR_US_18").toInt(), 90);

    TestRound early = Round(1, 6, "2026-01-15", 7);
    for (int i = 0; i < 9; ++i) early.gross[i] = 4;
    AddRound(early);
    Resync();
    EXPECT_EQ(GamesByRoundId(1).at(7), 1);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_18").toInt(), 81);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_F9").toInt(), 36);
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_B9").toInt(), 45);
    EXPECT_DOUBLE_EQ(Number(1, 4, "HCP_INDEX_US_18"), 36.4);
    for (const char* col : {"HCP_INDEX_US_18", "HCP_INDEX_CA_18"}) {
        EXPECT_DOUBLE_EQ(Number(1, 5, col), 8.6) << col;  // 9.0 x 0.96
        EXPECT_DOUBLE_EQ(Number(1, 6, col), 8.6) << col;
    }
    // Eleven nines (0.0 and ten of 9.0), the lowest four: 6.75 x 0.96 = 6.48.
    EXPECT_DOUBLE_EQ(Number(1, 6, "HCP_INDEX_US_F9"), 6.4);
    EXPECT_DOUBLE_EQ(Number(1, 6, "HCP_INDEX_CA_B9"), 6.4);  // twelve nines, also the lowest four
    EXPECT_DOUBLE_EQ(Number(1, 6, "THCP_INDEX_US_18"), -100.0);
}

// Imported rounds (no adjusted scores stored) after a game that is not a handicap round: each
// handicap round still gets its adjusted score (90, 18.0), and game 7 its index from six of them.
TEST_F(SaveScoresDb, ImportedRoundsAfterANonHandicapGameGetTheirScores) {
    AddPlayer(1);
    for (int g = 1; g <= 7; ++g) {
        TestRound r = Round(1, g, QString("2026-0%1-01").arg(g + 1));
        r.hcp = g != 2;
        AddRound(r);
    }
    Resync();
    for (int g : {1, 3, 7}) EXPECT_EQ(Value(1, g, "ADJSCR_CA_18").toInt(), 90) << g;
    EXPECT_DOUBLE_EQ(Number(1, 7, "HCP_INDEX_US_18"), 17.2);
    EXPECT_DOUBLE_EQ(Number(1, 7, "HCP_INDEX_CA_18"), 17.2);
    EXPECT_TRUE(Value(1, 2, "ADJSCR_US_18").isNull());  // not a handicap round: not computed
}

TEST_F(SaveScoresDb, UnplayedNineKeepsItsStoredValuesAndGenderDecidesTheDefault) {
    AddPlayer(1, "M");
    AddPlayer(2, "m");
    AddPlayer(3, "");
    for (int p = 1; p <= 3; ++p) {
        TestRound r = Round(p, 1);
        for (int i = 9; i < 18; ++i) r.gross[i] = 0;  // front nine only
        r.columns = {{"HCP_INDEX_US_B9", 7.7}};
        AddRound(r);
    }
    Resync();
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_US_18"), 36.4);
    EXPECT_DOUBLE_EQ(Number(2, 1, "HCP_INDEX_US_18"), 40.4);
    EXPECT_DOUBLE_EQ(Number(3, 1, "HCP_INDEX_CA_F9"), 20.2);
    EXPECT_DOUBLE_EQ(Number(1, 1, "HCP_INDEX_US_B9"), 7.7);
    EXPECT_TRUE(Value(1, 1, "THCP_INDEX_US_B9").isNull());
    EXPECT_TRUE(Value(1, 1, "ADJSCR_CA_B9").isNull());
    EXPECT_EQ(Value(1, 1, "ADJSCR_US_F9").toInt(), 45);
}

TEST_F(SaveScoresDb, ThreePlayersShowNoProgressWindow) {
    for (int p = 1; p <= 3; ++p) AddPlayer(p);
    QWidget setup;
    setup.setObjectName("frmSystemSetup");
    setup.show();
    EnabledChanges changes(&setup);
    bool windowSeen = false;
    QTimer::singleShot(0, [&] { windowSeen = VisibleWaitWindow() != nullptr; });
    Resync();  // finds the settings screen by its name
    QApplication::processEvents();
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(changes.disabled, 0);
    EXPECT_TRUE(setup.isEnabled());
    EXPECT_EQ(CurrentMousePointer(), Pointer::Default);
}

TEST_F(SaveScoresDb, FourPlayersShowTheWindowAfterTheFirstAndDisableTheCaller) {
    for (int p = 1; p <= 4; ++p) AddPlayer(p);
    AddRound(Round(2, 1));
    QWidget rerating;
    rerating.setObjectName("frmUpCRSR");
    rerating.show();
    QWidget setup;
    setup.setObjectName("frmSystemSetup");
    setup.show();
    EnabledChanges changes(&rerating);
    QString firstPercent;
    bool callerDisabled = false;
    QTimer::singleShot(0, [&] {
        if (frmMainWait* wait = VisibleWaitWindow()) {
            firstPercent = wait->WaitPerc->text();
            EXPECT_EQ(wait->WaitCap->text(), "Adjusting Scores and Calculating Handicaps.");
        }
        callerDisabled = !rerating.isEnabled();
    });
    Resync(nullptr, true);
    EXPECT_EQ(firstPercent, "25.0%");
    EXPECT_TRUE(callerDisabled);
    EXPECT_EQ(changes.disabled, 1);
    EXPECT_TRUE(rerating.isEnabled());
    EXPECT_TRUE(setup.isEnabled());
    EXPECT_EQ(VisibleWaitWindow(), nullptr);
    EXPECT_EQ(CurrentMousePointer(), Pointer::Default);
}

TEST_F(SaveScoresDb, EmptyPlayerTableGivesControlBack) {
    QWidget caller;
    caller.setEnabled(false);
    Resync(&caller);
    EXPECT_TRUE(caller.isEnabled());
}

// Player 2's index writes are refused after his games were renumbered: one report, his rows as
// before (numbers included), the other players recomputed.
TEST_F(SaveScoresDb, FailingPlayerIsReportedOnceAndKeepsEveryValue) {
    for (int p = 1; p <= 5; ++p) {
        AddPlayer(p);
        for (int g = 1; g <= 3; ++g) AddRound(Round(p, g, QString("2026-0%1-01").arg(5 - g)));
    }
    TestDb().Execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF HCP_INDEX_US_18 ON INDIV_SCORES WHEN NEW.PLAYER_ID=2 "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    QWidget caller;
    caller.show();
    ScriptedMsgBox boxes;
    Resync(&caller);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(
        boxes.Last().startsWith("SaveScores, ResynchAllScores\r\nError Number 3022\r\nrefused\r\nsSQL=UPDATE "
                                "INDIV_SCORES SET "))
        << boxes.Last().toStdString();
    EXPECT_EQ(GamesByRoundId(2), (std::map<int, int>{{12, 1}, {22, 2}, {32, 3}}));  // not renumbered
    EXPECT_TRUE(Value(2, 1, "HCP_INDEX_US_18").isNull());
    EXPECT_TRUE(Value(2, 1, "ADJSCR_CA_F9").isNull());
    for (int p : {1, 3, 4, 5}) {
        EXPECT_EQ(GamesByRoundId(p).at(30 + p), 1) << p;
        EXPECT_DOUBLE_EQ(Number(p, 1, "HCP_INDEX_US_18"), 36.4) << p;
    }
    EXPECT_TRUE(caller.isEnabled());
    EXPECT_EQ(VisibleWaitWindow(), nullptr);
}

// The engine abandons the whole transaction while player 3 is written (as on a full disk): the run
// ends, one report, players 1 and 2 as before, window closed, pointer and screen given back.
TEST_F(SaveScoresDb, RunThatFailsLeavesEveryIndexAsBefore) {
    for (int p = 1; p <= 5; ++p) {
        AddPlayer(p);
        TestRound r = Round(p, 1);
        r.columns = {{"HCP_INDEX_US_18", 1.5}};
        AddRound(r);
    }
    TestDb().Execute(
        "CREATE TRIGGER lost BEFORE UPDATE ON INDIV_SCORES WHEN NEW.PLAYER_ID=3 "
        "BEGIN SELECT RAISE(ROLLBACK, 'disk gone'); END");
    QWidget caller;
    caller.show();
    ScriptedMsgBox boxes;
    Resync(&caller);
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("SaveScores, ResynchAllScores\r\nError Number 3022\r\ndisk gone"));
    for (int p = 1; p <= 5; ++p) EXPECT_DOUBLE_EQ(Number(p, 1, "HCP_INDEX_US_18"), 1.5) << p;
    EXPECT_TRUE(caller.isEnabled());
    EXPECT_EQ(VisibleWaitWindow(), nullptr);
    EXPECT_EQ(CurrentMousePointer(), Pointer::Default);
    // The database is usable afterwards.
    TestDb().Execute("DROP TRIGGER lost");
    Resync(&caller);
    EXPECT_DOUBLE_EQ(Number(3, 1, "HCP_INDEX_US_18"), 36.4);
}

// A database that cannot be written fails every player alike: one report, the run stopped and
// rolled back, not one box per player.
TEST_F(SaveScoresDb, ReadOnlyDatabaseEndsTheRunWithOneReport) {
    for (int p = 1; p <= 5; ++p) AddPlayer(p), AddRound(Round(p, 1));
    TestDb().Execute("PRAGMA query_only=1");  // what a write-protected file gives, whoever runs the test
    ScriptedMsgBox boxes;
    EXPECT_FALSE(Resync());
    ASSERT_EQ(boxes.Count(), 1);
    EXPECT_TRUE(boxes.Last().startsWith("SaveScores, ResynchAllScores\r\nError Number 3027\r\n"));
    EXPECT_TRUE(boxes.Last().endsWith("\r\nThe recomputation was stopped; no round has been changed."));
}

// The recomputation of all rounds in memory agrees, column for column, with the single
// procedures run game by game in the documented order, on a long mixed history.
TEST_F(SaveScoresDb, AgreesWithTheSingleProceduresRunGameByGame) {
    TestDb().Execute("INSERT INTO COURSES (COURSE_ID, COURSE_NAME, MPARS, WPARS) VALUES (1, 'A', ?, ?)",
                     {QString("435445344") + "454344534" + QString(18, '4'), QString("545445344454344535")});
    std::mt19937 rng(7);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    AddPlayer(1, "F");
    AddPlayer(2, "F");
    QDate date(2023, 10, 1);
    for (int g = 1; g <= 90; ++g) {
        TestRound r = Round(1, g, date.toString("yyyy-MM-dd"));
        date = date.addDays(pick(0, 14));
        r.rating = pick(0, 30) == 0 ? 0.0 : 66.0 + pick(0, 80) / 10.0;
        r.slope = pick(105, 145);
        r.hcp = pick(0, 9) != 0;
        r.tourn = pick(0, 3) == 0;
        r.tee = pick(0, 1);
        if (pick(0, 4) == 0) r.par = "";
        // A course since deleted; a US adjusted score kept from an earlier program, no Canadian one.
        if (pick(0, 5) == 0) r.course = 2;
        if (pick(0, 5) == 0) r.columns = {{"ADJSCR_US_18", pick(60, 110)}};
        for (int& s : r.gross) s = r.tourn ? pick(3, 5) : pick(4, 9);  // tournament rounds well played
        const int kind = pick(0, 9);
        if (kind == 0) std::fill(r.gross.begin(), r.gross.begin() + 9, 0);
        if (kind == 1) std::fill(r.gross.begin() + 9, r.gross.end(), 0);
        r.rndId = g;
        AddRound(r);
        r.player = 2;
        AddRound(r);
    }
    // Player 2 game by game.
    ResynchIndivScores(TestDb(), 2);
    for (int g = 1; g <= 90; ++g) {
        const bool front = Number(2, g, "GSF9") > 0, back = Number(2, g, "GSB9") > 0;
        HandUtilUS18(TestDb(), 2, g, 1, 1, true);
        if (front) NewHandUtilUS9(TestDb(), 2, g, 1, true);
        if (back) NewHandUtilUS9(TestDb(), 2, g, 1, false);
        HandUtilCA18(TestDb(), 2, g, 1, 1, true);
        if (front) HandUtilCA9(TestDb(), 2, g, 1, true);
        if (back) HandUtilCA9(TestDb(), 2, g, 1, false);
    }
    // Player 1 with everyone at once (player 2 out of the players table).
    TestDb().Execute("DELETE FROM PLAYERS WHERE PLAYER_ID=2");
    Resync();
    QStringList columns{"PAR", "GAME_NUMBER"};
    for (const char* prefix : {"HCP_INDEX_", "THCP_INDEX_", "ADJSCR_"})
        for (const char* suffix : kVariantSuffix) columns << QString(prefix) + suffix;
    int tournIndexes = 0;
    for (int g = 1; g <= 90; ++g) {
        for (const QString& c : columns) {
            const QVariant a = TestDb().Scalar(
                "SELECT " + c + " FROM INDIV_SCORES WHERE PLAYER_ID=1 AND RND_GAME_ID=?", {g});
            const QVariant b = TestDb().Scalar(
                "SELECT " + c + " FROM INDIV_SCORES WHERE PLAYER_ID=2 AND RND_GAME_ID=?", {g});
            EXPECT_EQ(a, b) << "round " << g << " " << c.toStdString();
        }
        if (Number(1, g, "THCP_INDEX_US_18") != -100.0) ++tournIndexes;
    }
    EXPECT_GT(tournIndexes, 0) << "the history should reach a tournament index";
}

}  // namespace
}  // namespace dc::test
