#pragma once
// Deleting one stored round with everything that follows from it, as one unit: the row goes, the
// player's games are numbered 1 to n by date again, and every later game is recomputed by both rule
// sets (18 holes and each nine it played), as after a save. Either all of it is written or none.

#include "handicap/Progress.h"
#include "handicap/RoundStore.h"

namespace dc {

class Database;

// Deletes the round (RoundStore::Locate finds it, whatever its game number is now) and recomputes
// the games from its place to n for the player's stored gender; DbError 3021 when it is not stored or cannot
// be told apart from another round of its key. `progress` (when given) starts at once and steps after each
// game of a range of more than 6 games. Returns n, the player's rounds left. Throws on error, having changed
// nothing.
int DeleteRoundAndRecalculate(Database& db, const RoundRef& round, ProgressReporter* progress = nullptr);

}  // namespace dc
