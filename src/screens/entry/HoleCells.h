#pragma once
// The scoring grid's hole cells as figures and back: a cell's text is read into a number once, here
// at the screen, and the round model holds numbers only.

#include <QString>

#include "handicap/RoundEntry.h"

namespace dc {

// An empty (or blank) cell is no figure; any other text its whole number, as the program reads
// numbers ("4", " 5 ", "4.7" -> 4, "abc" -> 0).
HoleFigure HoleFigureOf(const QString& cellText);
// A figure as a cell shows it: its number, or nothing.
QString HoleFigureText(HoleFigure figure);

}  // namespace dc
