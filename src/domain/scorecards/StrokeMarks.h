#pragma once
// The stroke marks of one player on a score card, from the course-handicap text and the hole
// handicaps of the player's tee box: asterisks where the player receives strokes, "+1" where a plus
// handicap gives a stroke back.

#include <QString>
#include <array>

namespace dc {

// Marks for holes 1 to 18. `holeHcps` holds two digits per hole (36 characters); a hole whose
// handicap reads 0 gets no mark. A handicap n gives n / 18 strokes on every hole and one more on the
// holes with hole handicap 1 to n % 18 ("20": "**" on 1 and 2, "*" elsewhere); a trailing " T" is
// ignored. A plus handicap p ("-+p") marks "+1" on the p holes with the highest hole handicaps.
std::array<QString, 18> StrokeMarks(const QString& hcpText, const QString& holeHcps);

}  // namespace dc
