#pragma once
// Keeping the stored rounds consistent: renumbering a player's games in date order, and
// recomputing the indexes, tournament indexes and adjusted scores of every round of every player.

#include <QStringList>

#include "handicap/Progress.h"

namespace dc {

class Database;

// Numbers the player's games 1 to n by date; rounds of one day keep their order. One transaction.
// Throws a ProcedureFailure under its tag.
void ResynchIndivScores(Database& db, int PlayerID);

// Renumbers one player's games and recomputes all of them by both rules, as ResynchAllScores does
// for each player, with `genderIndex` (GenderIndexOf). All of it or nothing; throws DbError. With
// more than six rounds `progress` starts and steps after each game; it is not finished here.
void RecomputePlayerRounds(Database& db, int playerId, int genderIndex, ProgressReporter* progress = nullptr);

// Renumbers and recomputes every player's rounds by both rules, 18 holes and each played nine.
// Each player is one unit inside one transaction for the whole run: a player that fails is
// named once in the errors and keeps every stored value; a failure of the run itself leaves the
// database as it was. `progress` (the screens give ResyncProgress) starts when there are players,
// steps after each player and finishes however the run ends.
struct ResyncResult {
    bool ok = false;     // every player was recomputed and the run was stored
    QStringList errors;  // the standard error texts for the caller to report, in order
};
ResyncResult ResynchAllScores(Database& db, ProgressReporter* progress = nullptr);

}  // namespace dc
