#pragma once
// Numeric value of a text the way the program has always read numbers out of texts:
// the leading decimal number (point as separator); blanks before it are skipped; no number gives 0.

#include <QString>
#include <QStringView>

namespace dc {

double Val(QStringView text);

// Rounds halves away from zero (2.5 -> 3, -2.5 -> -3).
long long RoundHalfAway(double value);

}  // namespace dc
