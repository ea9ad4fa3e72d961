// Storing a round and the recomputation after it, against a real database: the stored columns,
// the recomputed range of each case, and that a failure leaves the database as it was.
#include <gtest/gtest.h>

#include "EntryFixture.h"
#include "entry/RoundRecalc.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundRec.h"
#include "handicap/RoundStore.h"
#include "handicap/SaveScores.h"
#include "platform/Database.h"
#include "shell/DateFormat.h"

using namespace dc;

namespace {

RoundEntry Entry(int player, const QString& date, int gross) {
    RoundEntry e;
    e.playerId = player;
    e.courseId = 1;
    e.teeBox = 0;
    e.date = ParseLocalDate(date, Ctx().sDateFormat);
    for (int h = 0; h < 18; ++h) {
        e.par[h] = 4;
        e.gross[h] = gross ? HoleFigure(gross) : kEmptyHole;
    }
    for (int c = 0; c < 6; ++c) {
        e.prevIndex[c] = c % 3 == 0 ? 36.4 : 18.2;
        e.prevTIndex[c] = -100;
        e.adjScore[c] = c % 3 == 0 ? 18 * gross : 9 * gross;
    }
    return e;
}

// Stores the round as a new row (newFlag 1) or over its stored row, on a tee box of that rating
// and slope; returns its round key.
int StoreRound(Database& db, RoundEntry e, int newFlag, float rating, int slope) {
    e.isNew = newFlag == 1;
    e.teeRating = rating;
    e.teeSlope = slope;
    RoundStore store(db);
    if (e.isNew) return store.Insert(e);
    store.UpdateScores(e);
    return e.rndGameId;
}

// Saves the round as the main screen does, with these flags and figures.
SaveOutcome Save(RoundEntry e, int newFlag, float rating, int slope, int oldGame, int gender,
                 ProgressReporter* progress = nullptr) {
    e.isNew = newFlag == 1;
    e.teeRating = rating;
    e.teeSlope = slope;
    e.oldGame = oldGame;
    e.genderIndex = gender;
    return SaveAndRecalculate(TestDb(), e, progress);
}

// Every index, tournament index and adjusted score of the player, game by game.
QStringList Indexes(int player) {
    return test::RoundRows(
        player,
        "GAME_NUMBER,HCP_INDEX_US_18,HCP_INDEX_US_F9,HCP_INDEX_US_B9,HCP_INDEX_CA_18,HCP_INDEX_CA_F9,"
        "HCP_INDEX_CA_B9,THCP_INDEX_US_18,THCP_INDEX_CA_18,ADJSCR_US_18,ADJSCR_CA_B9");
}

class SaveRound : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.OpenDatabase();
        test::AddCourse(1, "Pines", 125, "71.5");
        test::AddPlayer(7, "SMITH", "Ann", "F");
    }
    test::ProgramFolder folder;
    test::FixedClock clock{QDateTime(QDate(2024, 6, 1), QTime(12, 0))};
};

}  // namespace

TEST_F(SaveRound, NewRowTakesTheScreenValues) {
    RoundEntry e = Entry(7, "05/10/2024", 0);
    for (int h = 0; h < 9; ++h) e.gross[h] = 4;
    e.par[4] = kEmptyHole;  // an empty par cell must not shift the later holes
    e.putts[0] = 3;
    e.putts[1] = 10;
    e.gir[0] = true;
    e.useHcp = true;
    e.notes = "O'Neil's clubs";
    e.gameCost = 25.75;
    test::AddRound(7, 7, QDate(2024, 1, 1), 5);
    const int key = StoreRound(TestDb(), e, 1, 71.5f, 125);
    EXPECT_GE(key, 1);
    EXPECT_LE(key, 999999);
    Recordset rs =
        TestDb().OpenRecordset("SELECT * FROM INDIV_SCORES WHERE PLAYER_ID=7 AND RND_GAME_ID=?", {key});
    ASSERT_FALSE(rs.IsEmpty());
    EXPECT_EQ(rs["GAME_NUMBER"].toInt(), 8) << "after the largest game number";
    EXPECT_EQ(rs["ROUND_DATE"].str(), "2024-05-10");
    EXPECT_EQ(rs["GSF9"].toInt(), 36);
    EXPECT_EQ(rs["GSB9"].toInt(), 0);
    EXPECT_EQ(rs["GSTOTAL"].toInt(), 36);
    EXPECT_EQ(rs["GS10"].toInt(), 0);
    EXPECT_EQ(rs["PAR"].str(), "444404444444444444");
    EXPECT_EQ(rs["PUTTS"].str().left(6), " 310 0");
    EXPECT_EQ(rs["GREENS_IN_REG"].str(), "1" + QString(17, '0'));
    EXPECT_EQ(rs["NOTES"].str(), " O'Neil's clubs");
    EXPECT_DOUBLE_EQ(rs["GAME_COST"].toDouble(), 25.75);
    EXPECT_DOUBLE_EQ(rs["THCP_INDEX_US_18"].toDouble(), -100);
    EXPECT_EQ(rs["USE_HCP"].toInt(), 1);
    EXPECT_EQ(rs["SLOPE_RATING"].toInt(), 125);

    // An empty gross row is stored as not for handicap, whatever the box says; a rewrite keeps the box.
    const int empty = StoreRound(TestDb(), Entry(7, "05/11/2024", 0), 1, 71.5f, 125);
    EXPECT_EQ(TestDb().Scalar("SELECT USE_HCP FROM INDIV_SCORES WHERE RND_GAME_ID=?", {empty}).toInt(), 0);
    RoundEntry again = Entry(7, "05/11/2024", 0);
    again.gameNumber = 9;
    again.rndGameId = empty;
    again.notes = "wet";
    StoreRound(TestDb(), again, 0, 71.5f, 125);
    EXPECT_EQ(TestDb().Scalar("SELECT USE_HCP FROM INDIV_SCORES WHERE RND_GAME_ID=?", {empty}).toInt(), 1);
    EXPECT_EQ(TestDb().Scalar("SELECT NOTES FROM INDIV_SCORES WHERE RND_GAME_ID=?", {empty}).toString(),
              "wet ");
}

// Distinct nines (hole 10 unlike the others) and a rating that single precision cannot hold: the
// stored totals and rating are those entered. A rewrite of a row that is not stored writes nothing
// and says so; a stored round is found by its key, whatever game number the screen showed.
TEST_F(SaveRound, NineTotalsAndTheRatingAreStoredAsEnteredAndAMissingRowIsNoSave) {
    RoundEntry e = Entry(7, "05/31/2024", 0);
    for (int h = 0; h < 18; ++h) e.gross[h] = h < 9 ? 4 : h == 9 ? 7 : 5;
    const int key = StoreRound(TestDb(), e, 1, 74.3f, 131);
    const QStringList stored = test::RoundRows(7, "ROUND_DATE,GSF9,GSB9,GSTOTAL,SLOPE_RATING");
    EXPECT_EQ(stored, QStringList{"2024-05-31 36 47 83 131"});
    const auto rating = [] { return TestDb().Scalar("SELECT COURSE_RATING FROM INDIV_SCORES").toDouble(); };
    EXPECT_DOUBLE_EQ(rating(), 74.3);

    RoundEntry rewrite = e;
    rewrite.gameNumber = 1;
    rewrite.rndGameId = key;
    rewrite.gross[0] = 3;
    StoreRound(TestDb(), rewrite, 0, 69.9f, 120);
    EXPECT_EQ(test::RoundRows(7, "GSF9,GSB9,SLOPE_RATING"), QStringList{"35 47 120"});
    EXPECT_DOUBLE_EQ(rating(), 69.9);

    for (auto [game, roundKey] : {std::pair{1, key + 1}, std::pair{0, 0}}) {
        RoundEntry gone = rewrite;
        gone.gameNumber = game;
        gone.rndGameId = roundKey;
        gone.gross[0] = 9;
        EXPECT_THROW(StoreRound(TestDb(), gone, 0, 69.9f, 120), AppError) << game << " " << roundKey;
    }
    EXPECT_EQ(test::RoundRows(7, "GS01,GSF9"), QStringList{"3 35"});
    // A game number another screen changed since the round was shown: the round of its key is saved.
    rewrite.gameNumber = 2;
    rewrite.gross[0] = 9;
    StoreRound(TestDb(), rewrite, 0, 69.9f, 120);
    EXPECT_EQ(test::RoundRows(7, "GS01,GSF9"), QStringList{"9 41"});
}

TEST_F(SaveRound, CommaDecimalIndexCellsAndUnreadableDates) {
    RoundEntry e = Entry(7, "05/10/2024", 5);
    e.prevIndex[0] = 12.3;
    const int key = StoreRound(TestDb(), e, 1, 71.5f, 125);
    EXPECT_DOUBLE_EQ(
        TestDb().Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE RND_GAME_ID=?", {key}).toDouble(),
        12.3);
    EXPECT_THROW(StoreRound(TestDb(), Entry(7, "02/30/2024", 5), 1, 71.5f, 125), AppError);
    EXPECT_EQ(test::RoundCount(7), 1);
}

TEST(RecalcRange, EachCase) {
    // A: a new round that became the newest runs alone, mode 0.
    EXPECT_EQ(ChooseRecalcRange(true, 0, 6, 6).first, 6);
    EXPECT_EQ(ChooseRecalcRange(true, 0, 6, 6).mode, 0);
    // B: a new round dated before others: from it to the last, mode 1.
    RecalcRange r = ChooseRecalcRange(true, 0, 1, 500);
    EXPECT_EQ(r.first, 1);
    EXPECT_EQ(r.last, 500);
    EXPECT_EQ(r.mode, 1);
    // C: the newest edited with a handicap change, from its old position.
    EXPECT_EQ(ChooseRecalcRange(false, 3, 10, 10).first, 3);
    // C0: only the notes of the newest: still that game, so its indexes are rewritten, and its
    // capped scores recomputed from its holes (mode 1).
    r = ChooseRecalcRange(false, 10, 10, 10);
    EXPECT_EQ(r.first, 10);
    EXPECT_EQ(r.last, 10);
    EXPECT_EQ(r.mode, 1);
    // D: a date moved later: from the earlier of old and new positions.
    EXPECT_EQ(ChooseRecalcRange(false, 2, 5, 8).first, 2);
    EXPECT_EQ(ChooseRecalcRange(false, 1, 5, 8).first, 1);
    EXPECT_EQ(ChooseRecalcRange(false, 6, 3, 8).first, 3);
    EXPECT_EQ(ChooseRecalcRange(false, 6, 3, 8).mode, 1);
    // A corrected gender: every game, mode 1, a new newest round too.
    for (const bool newRound : {true, false}) {
        r = ChooseRecalcRange(newRound, 8, 8, 8, true);
        EXPECT_EQ(r.first, 1);
        EXPECT_EQ(r.last, 8);
        EXPECT_EQ(r.mode, 1);
    }
}

TEST_F(SaveRound, EarliestNewRoundRecomputesLikeAFullResync) {
    // Rounds with both nines, front only and back only, so each game's own nines matter.
    for (int g = 1; g <= 9; ++g) test::AddRound(7, g, QDate(2024, 1, g), 4 + g % 3);
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET GS10=0,GS11=0,GS12=0,GS13=0,GS14=0,GS15=0,GS16=0,GS17=0,GS18=0,"
        "GSB9=0,GSTOTAL=GSF9 WHERE GAME_NUMBER IN (3,7)");
    TestDb().Execute(
        "UPDATE INDIV_SCORES SET GS01=0,GS02=0,GS03=0,GS04=0,GS05=0,GS06=0,GS07=0,GS08=0,GS09=0,"
        "GSF9=0,GSTOTAL=GSB9 WHERE GAME_NUMBER=5");
    struct Percent : ProgressReporter {
        int shown = 0;
        void Step(int k, int n) override { shown = k * 100 / n; }
    } progress;
    const SaveOutcome out = Save(Entry(7, "12/31/2023", 5), 1, 71.5f, 125, 0, 1, &progress);
    const int shown = progress.shown;
    EXPECT_EQ(out.gameNumber, 1);
    EXPECT_EQ(out.count, 10);
    EXPECT_EQ(shown, 100) << "more than 5 games: progress to 100%";
    // Each game runs its own nines: a nine not played keeps its stored index.
    for (int g : {4, 8})
        EXPECT_DOUBLE_EQ(
            TestDb().Scalar("SELECT HCP_INDEX_US_B9 FROM INDIV_SCORES WHERE GAME_NUMBER=?", {g}).toDouble(),
            36.4);
    EXPECT_DOUBLE_EQ(
        TestDb().Scalar("SELECT HCP_INDEX_CA_F9 FROM INDIV_SCORES WHERE GAME_NUMBER=6").toDouble(), 36.4);
    const QStringList afterSave = Indexes(7);
    ResynchAllScores(TestDb());
    EXPECT_EQ(afterSave, Indexes(7));
}

TEST_F(SaveRound, NotesOfTheNewestAndADateMovedLaterLeaveNoStaleIndexes) {
    for (int g = 1; g <= 10; ++g) test::AddRound(7, g, QDate(2024, 1, g), 4 + g % 3);
    ResynchAllScores(TestDb());
    const QStringList settled = Indexes(7);

    // Notes of the newest round: the screen's previous indexes and capped scores are stored first,
    // then recomputed.
    RoundEntry e = Entry(7, "01/10/2024", 4 + 10 % 3);
    e.gameNumber = 10;
    e.rndGameId = 1010;
    e.prevIndex.fill(99.9);
    e.adjScore[US_18] = e.adjScore[CA_18] = 80;
    e.notes = "new notes";
    Save(e, 0, 72.0f, 113, 10, 1);
    EXPECT_EQ(Indexes(7), settled);

    // Game 6 moves to the day of game 9: games 6 and 7 have other rounds before them now.
    RoundEntry m = Entry(7, "01/09/2024", 4 + 6 % 3);
    m.gameNumber = 6;
    m.rndGameId = 1006;
    const SaveOutcome out = Save(m, 0, 72.0f, 113, 6, 1);
    EXPECT_EQ(out.gameNumber, 8) << "the day of game 9: the old order puts it first";
    const QStringList moved = Indexes(7);
    ResynchAllScores(TestDb());
    EXPECT_EQ(moved, Indexes(7));
}

TEST_F(SaveRound, AFailureAfterStoringLeavesNothingBehind) {
    for (int g = 1; g <= 3; ++g) test::AddRound(7, g, QDate(2024, 1, g + 1), 5);
    const QStringList before = Indexes(7);
    TestDb().Execute("DROP TABLE HCP_REDUCTION");
    EXPECT_ANY_THROW(Save(Entry(7, "01/01/2024", 5), 1, 71.5f, 125, 0, 1));
    EXPECT_EQ(test::RoundCount(7), 3) << "the stored round is rolled back";
    EXPECT_EQ(Indexes(7), before) << "renumbering is rolled back";
}

// A new round that became the newest runs in mode 0: the adjusted scores the screen shows are
// stored as they are, and the 18-hole ones are never written again (the nines are recomputed).
TEST_F(SaveRound, NewNewestRoundKeepsTheScreensAdjustedScores) {
    for (int g = 1; g <= 6; ++g) test::AddRound(7, g, QDate(2024, 1, g), 5);
    ResynchAllScores(TestDb());
    TestDb().Execute("CREATE TABLE ADJ_WRITES (RND_GAME_ID INTEGER)");
    TestDb().Execute(
        "CREATE TRIGGER adj_written AFTER UPDATE OF ADJSCR_US_18, ADJSCR_CA_18 ON INDIV_SCORES "
        "BEGIN INSERT INTO ADJ_WRITES VALUES (NEW.RND_GAME_ID); END");
    RoundEntry e = Entry(7, "02/01/2024", 5);
    e.adjScore[US_18] = 84;
    e.adjScore[CA_18] = 85;
    const SaveOutcome out = Save(e, 1, 71.5f, 125, 0, 1);
    ASSERT_EQ(out.gameNumber, 7);
    EXPECT_EQ(out.range.mode, 0);
    EXPECT_EQ(TestDb().Scalar("SELECT ADJSCR_US_18 FROM INDIV_SCORES WHERE GAME_NUMBER=7").toInt(), 84);
    EXPECT_EQ(TestDb().Scalar("SELECT ADJSCR_CA_18 FROM INDIV_SCORES WHERE GAME_NUMBER=7").toInt(), 85);
    EXPECT_EQ(TestDb().Scalar("SELECT COUNT(*) FROM ADJ_WRITES").toInt(), 0);
    // The index counts the stored 84 (11.3 at 71.5/125) with one 18.0: 14.65 x 0.96.
    EXPECT_DOUBLE_EQ(
        TestDb().Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE GAME_NUMBER=7").toDouble(), 14.0);
}

// A round dated before the others recomputes every later game; a game that is not a handicap round
// gets no adjusted score, so the empty ones it has (an imported round) stay empty, not 0.
TEST_F(SaveRound, EmptyAdjustedScoresOfAGameThatIsNotRecomputedStayEmpty) {
    for (int g = 1; g <= 4; ++g) test::AddRound(7, g, QDate(2024, 1, g + 1), 5);
    QStringList empty;
    for (const char* suffix : kVariantSuffix) empty << QString("ADJSCR_") + suffix + "=NULL";
    TestDb().Execute("UPDATE INDIV_SCORES SET USE_HCP=0," + empty.join(",") + " WHERE GAME_NUMBER=3");
    Save(Entry(7, "01/01/2024", 5), 1, 71.5f, 125, 0, 1);
    for (const char* suffix : kVariantSuffix)
        EXPECT_TRUE(TestDb()
                        .Scalar(QString("SELECT ADJSCR_") + suffix + " FROM INDIV_SCORES WHERE GAME_NUMBER=4")
                        .isNull())
            << suffix;
    EXPECT_FALSE(TestDb().Scalar("SELECT HCP_INDEX_US_18 FROM INDIV_SCORES WHERE GAME_NUMBER=4").isNull());
    EXPECT_EQ(TestDb().Scalar("SELECT ADJSCR_CA_18 FROM INDIV_SCORES WHERE GAME_NUMBER=5").toInt(), 90);
}
