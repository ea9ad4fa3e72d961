#pragma once
// Test data of the score-card tests: a course with three tee boxes, players, and a newest round
// carrying given indexes.

#include <QString>

namespace dc::test {

// "Pine Ridge": tee boxes Blue, White, Red and a blank slot; men's slopes 131, 125, 000, 000 and
// women's 000, 128, 121, 000; men's hole handicap of hole j is 19 - j, women's j; pars 4 (3 on
// holes 3, 8, 12, 16; 5 on holes 5, 14); 400 yards a hole on every tee box.
void AddScoreCardCourse(int courseId = 1, const QString& name = "Pine Ridge");
void AddPlayer(int id, const QString& last, const QString& first, const QString& gender);
// The player's newest round with these 18-hole US indexes (tournIndex -100 = none) and the same
// values in the other index columns.
void AddRoundWithIndex(int playerId, int game, double index, double tournIndex = -100);

}  // namespace dc::test
