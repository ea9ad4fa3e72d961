#pragma once
// Test data of the main screen's tests: a database with courses and players, and rounds stored
// straight into it.

#include <QDate>
#include <QString>
#include <QStringList>

#include "TestSupport.h"
#include "shell/AppContext.h"

namespace dc::test {

// A course with one tee box in slot 0 (and "Blank" slots 1 to 3): slope, rating, par 4 on every
// hole unless `pars` is given (18 digits), 400 yards a hole. Women play off `womenSlope` when given,
// else the men's slope.
void AddCourse(int id, const QString& name, int slope = 113, const QString& rating = "72.0",
               const QString& pars = QString(18, '4'), int womenSlope = 0);
void AddPlayer(int id, const QString& last, const QString& first, const QString& gender);
// A stored round (no indexes computed) with the same gross on every hole.
void AddRound(int playerId, int game, const QDate& date, int grossPerHole, int courseId = 1,
              double rating = 72.0, int slope = 113);
int RoundCount(int playerId);
// The player's rounds in game order, each the listed columns' values joined by blanks.
QStringList RoundRows(int playerId, const QString& columns);

}  // namespace dc::test
