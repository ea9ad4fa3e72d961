// The rounds store's writers against a real database: each changes the rows it names and no
// other player's or game's row.
#include <gtest/gtest.h>

#include <functional>

#include "EngineDb.h"
#include "handicap/HcpRound.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/DbError.h"

namespace dc::test {
namespace {

using RoundStoreDb = EngineDb;

// Every stored row as one text, in a fixed order.
QStringList AllRows() {
    QStringList rows;
    Recordset rs = TestDb().OpenRecordset("SELECT * FROM INDIV_SCORES ORDER BY PLAYER_ID, RND_GAME_ID");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rs.FieldCount(); ++i) values << rs.Fields(i).str();
        rows << values.join('|');
    }
    return rows;
}

TEST_F(RoundStoreDb, EachWriterChangesOnlyTheRowsItNames) {
    AddPlayer(1, "M");
    AddPlayer(2, "F");
    // Player 1: games 1 to 3, game 3 dated first; player 2 the same, as the control.
    for (int p : {1, 2}) {
        AddRound(Round(p, 1, "2026-03-01"));
        AddRound(Round(p, 2, "2026-04-01"));
        AddRound(Round(p, 3, "2026-02-01"));
    }
    HcpOutcome out;
    out.index = 12.5f;
    out.tIndex = -100;
    out.writeAdjScore = true;
    out.adjScore = 80;
    const struct {
        const char* what;
        std::function<void(RoundStore&)> write;
        int rowsOfPlayer1Changed;  // of 3
    } cases[] = {
        {"renumber", [](RoundStore& s) { EXPECT_EQ(s.Renumber(1), 3); }, 3},
        {"delete a round by its key",
         [](RoundStore& s) {
             s.DeleteRound({1, 21});
         },
         1},
        {"delete a player's rounds", [](RoundStore& s) { s.DeletePlayerRounds(1); }, 3},
        {"one run's figures", [&out](RoundStore& s) { s.UpdateResults(1, 2, US_F9, out); }, 1},
        {"re-rate the men's rounds",
         [](RoundStore& s) {
             s.ReRate(1, "M", "120121122123", "70.171.172.173.1", QString(72, '3'), QDate(2026, 3, 1));
         },
         2},
    };
    for (const auto& c : cases) {
        Database::Transaction undo(TestDb());  // each case starts from the same rows
        const QStringList before = AllRows();
        RoundStore store(TestDb());
        c.write(store);
        const QStringList after = AllRows();
        int changed = 0;
        for (int i = 0; i < before.size(); ++i) {
            const bool player1 = before[i].startsWith("1|");
            const bool gone = !after.contains(before[i]);
            if (player1 && gone) ++changed;
            if (!player1) {
                EXPECT_TRUE(after.contains(before[i])) << c.what << ": player 2 row " << i;
            }
        }
        EXPECT_EQ(changed, c.rowsOfPlayer1Changed) << c.what;
    }
}

qint64 RowOf(int player, int game) {
    return TestDb()
        .Scalar("SELECT rowid FROM INDIV_SCORES WHERE PLAYER_ID=? AND GAME_NUMBER=? ORDER BY rowid",
                {player, game})
        .toLongLong();
}

// Two rounds of player 1 share the key 77 (games 2 and 3). A round is found again by its key alone
// when the key is the player's only one; else by the row and game number it was read at, and never
// by a guess between two rounds that match one each.
TEST_F(RoundStoreDb, RoundsOfOneKeyAreToldApartByTheirRowOrGame) {
    AddPlayer(1, "M");
    AddRound(Round(1, 1, "2026-03-01", 11));
    AddRound(Round(1, 2, "2026-03-02", 77));
    AddRound(Round(1, 3, "2026-03-03", 77));
    AddPlayer(3, "M");
    AddRound(Round(3, 1, "2026-03-01", 33));
    AddRound(Round(3, 2, "2026-03-02", 33));
    const qint64 row2 = RowOf(1, 2), row3 = RowOf(1, 3);
    const struct {
        const char* what;
        RoundRef ref;
        std::optional<int> game;
    } cases[] = {
        {"the only round of its key, read at another game", {1, 11, 5, 999}, 1},
        {"row and game", {1, 77, 2, row2}, 2},
        {"renumbered since: its row", {1, 77, 4, row3}, 3},
        {"compacted since: its game", {1, 77, 2, 999}, 2},
        {"compacted since: game 1", {3, 33, 1, 999}, 1},
        {"row of one, game of the other", {1, 77, 3, row2}, std::nullopt},
        {"neither known", {1, 77, 0, 0}, std::nullopt},
        {"no round of the key", {1, 12, 1, 0}, std::nullopt},
        {"another player's", {2, 11, 1, 0}, std::nullopt},
    };
    RoundStore store(TestDb());
    for (const auto& c : cases) {
        const std::optional<RoundRef> found = store.Locate(c.ref);
        EXPECT_EQ(found ? std::optional<int>(found->game) : std::nullopt, c.game) << c.what;
    }

    // Deleting game 2 leaves game 3's row.
    store.DeleteRound({1, 77, 2, row2});
    EXPECT_EQ(
        TestDb().Scalar("SELECT group_concat(rowid) FROM INDIV_SCORES WHERE RND_GAME_ID=77").toLongLong(),
        row3);
}

// A damaged database holds two rows of one player, key and game number: a rewrite or a deletion
// meant for one round would touch both, so it is undone and reported, and nothing changes.
TEST_F(RoundStoreDb, AWriteThatWouldTouchTwoRowsIsUndoneAndReported) {
    AddPlayer(1, "M");
    AddRound(Round(1, 2, "2026-03-02", 77));
    AddRound(Round(1, 2, "2026-03-02", 77));
    const QStringList before = AllRows();
    RoundStore store(TestDb());
    RoundEntry e;
    e.playerId = 1, e.courseId = 1, e.date = QDate(2026, 3, 2);
    e.isNew = false, e.rndGameId = 77, e.gameNumber = 2, e.rowId = RowOf(1, 2);
    for (int h = 0; h < 18; ++h) e.gross[h] = 3, e.par[h] = 4;
    for (const auto& write :
         {std::function<void()>([&] { store.UpdateScores(e); }), std::function<void()>([&] {
              store.DeleteRound({1, 77, 2, e.rowId});
          })}) {
        Database::Transaction outer(TestDb());  // a caller's unit: the write's own undo is kept inside it
        try {
            write();
            ADD_FAILURE() << "no error";
        } catch (const DbError& err) {
            EXPECT_EQ(err.number(), kErrNoCurrentRecord);
            EXPECT_TRUE(err.description().startsWith("2 stored rounds match the round to be "))
                << err.description().toStdString();
        }
        EXPECT_EQ(AllRows(), before);
        outer.Commit();
        EXPECT_EQ(AllRows(), before);
    }
}

}  // namespace
}  // namespace dc::test
