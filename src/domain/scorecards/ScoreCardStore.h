#pragma once
// What the score-card screen reads from the database: a player's latest indexes for a hole count
// and rules. Throws DbError on failure.

#include <QString>

#include "scorecards/CourseHcpText.h"

namespace dc {

class Database;

class ScoreCardStore {
  public:
    explicit ScoreCardStore(Database& db) : db_(db) {}

    // Index and tournament index of the player's newest round (whether or not it counts) for 18 holes
    // or the front nine, US or Canadian rules (an empty column reads 0); the default index and no
    // tournament index for a player without rounds.
    PlayerIndexes FindIndex(int playerId, const QString& gender, bool nineHoles, bool usRules);

  private:
    Database& db_;
};

}  // namespace dc
