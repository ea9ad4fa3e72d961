#pragma once
// The index procedures of one game of the current player (nCurPlayerID): the handicap index and
// tournament index in effect after that game, by US or Canadian rules, for 18 holes or one nine,
// written into the game's row and left in sngHcpIndex and sngTHcpIndex. Callers that bring a range
// of games up to date run them in ascending game order; each run reads what older games hold.
// Errors are reported (standard error text) and end the procedure.

namespace dc {

// 18 holes. Mode 1 lets the game's adjusted score be recomputed from its hole scores (then it and
// the pars used are written too); Mode 0 writes only the two indexes. GenderIndex 0 = men.
// Is18 picks the allowable-score table used for the recomputed score.
void HandUtilUS18(int GameNumber, int Mode, int GenderIndex, bool Is18);
void HandUtilCA18(int GameNumber, int Mode, int GenderIndex, bool Is18);

// One nine: FrontNine true for the front nine (the _F9 columns), false for the back nine.
void NewHandUtilUS9(int GameNumber, int GenderIndex, bool FrontNine);
void HandUtilCA9(int GameNumber, int GenderIndex, bool FrontNine);

}  // namespace dc
