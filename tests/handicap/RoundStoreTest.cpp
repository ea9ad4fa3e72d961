// The rounds store's writers against a real database: each changes the rows it names and no
// other player's or game's row.
#include <gtest/gtest.h>

#include <functional>

#include "EngineDb.h"
#include "handicap/HcpRound.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"

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
        {"delete a round by its key", [](RoundStore& s) { s.DeleteRound(1, 21); }, 1},
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

}  // namespace
}  // namespace dc::test
