#pragma once
// The index procedures of one game of a player: the handicap index and tournament index in effect
// after that game, by US or Canadian rules, for 18 holes or one nine, written into the game's row
// and returned. Callers that bring a range of games up to date run them in ascending game order;
// each run reads what older games hold. A failure ends the procedure and is thrown as a
// ProcedureFailure carrying the standard error text under the procedure's tag (and, for HandUtilCA18,
// its step), for the calling screen to report. A game with too few rounds for an index is no failure:
// its outcome holds the default index and no tournament index.

#include "handicap/HcpRound.h"

namespace dc {

class Database;

// 18 holes. Mode 1 lets the game's adjusted score be recomputed from its hole scores (then it and
// the pars used are written too); Mode 0 writes only the two indexes. GenderIndex 0 = men.
// Is18 picks the allowable-score table used for the recomputed score.
HcpOutcome HandUtilUS18(Database& db, int PlayerID, int GameNumber, int Mode, int GenderIndex, bool Is18);
HcpOutcome HandUtilCA18(Database& db, int PlayerID, int GameNumber, int Mode, int GenderIndex, bool Is18);

// One nine: FrontNine true for the front nine (the _F9 columns), false for the back nine.
HcpOutcome NewHandUtilUS9(Database& db, int PlayerID, int GameNumber, int GenderIndex, bool FrontNine);
HcpOutcome HandUtilCA9(Database& db, int PlayerID, int GameNumber, int GenderIndex, bool FrontNine);

}  // namespace dc
