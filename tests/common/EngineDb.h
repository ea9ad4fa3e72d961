#pragma once
// A golfer's database for the index procedure tests: players and rounds added in a few words, and
// stored values read back. The clock stands at 6 December 2026.

#include <gtest/gtest.h>

#include <QVariant>
#include <array>
#include <map>

#include "TestSupport.h"

namespace dc::test {

struct TestRound {
    int player = 1;
    int game = 1;
    QString date = "2026-06-01";
    int course = 1;
    int tee = 0;
    double rating = 72.0;
    int slope = 113;
    bool hcp = true;
    bool tourn = false;
    std::array<int, 18> gross = Fives();
    QVariant par = QString("444444444444444444");
    int rndId = 0;                        // 0: game number x 10 + player
    std::map<QString, QVariant> columns;  // further columns (indexes, adjusted scores)

    static std::array<int, 18> Fives() {
        std::array<int, 18> g;
        g.fill(5);
        return g;
    }
};

// A round of fives on par-4 holes, rated 72.0 with slope 113.
inline TestRound Round(int player, int game, const QString& date = "2026-06-01", int rndId = 0) {
    TestRound r;
    r.player = player;
    r.game = game;
    r.date = date;
    r.rndId = rndId;
    return r;
}

class EngineDb : public ::testing::Test {
  protected:
    void SetUp() override;
    void AddPlayer(int id, const QString& gender = "M");
    void AddRound(const TestRound& round);
    // One column of a player's game; a null QVariant when the row or the value is missing.
    QVariant Value(int player, int game, const QString& column);
    double Number(int player, int game, const QString& column) {
        return Value(player, game, column).toDouble();
    }
    // Game numbers of a player's rounds by RND_GAME_ID.
    std::map<int, int> GamesByRoundId(int player);

    ProgramFolder folder_;
    FixedClock clock_{QDateTime(QDate(2026, 12, 6), QTime(12, 0))};
};

}  // namespace dc::test
