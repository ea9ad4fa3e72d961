#pragma once
// Numeric value of a text the way the program has always read numbers out of texts:
// the leading decimal number (point as separator); blanks before it are skipped; no number gives 0.

#include <QString>
#include <QStringView>

namespace dc {

double Val(QStringView text);

// Rounds halves away from zero (2.5 -> 3, -2.5 -> -3).
long long RoundHalfAway(double value);

// A number through a fixed-decimal picture ("#0.0", "##0.0", "#0.00"): written with `significant`
// digits first (15 for a double, 7 for a single), so that 87 / 20 is the 4.35 it means and not the
// binary value just below, then rounded to `decimals` places, halves away from zero, with at least
// one digit before the point: 4.35 -> "4.4", -1.25 -> "-1.3", 0.04 -> "0.0". Never "-0.0".
QString FixedText(double value, int decimals, int significant = 15);

}  // namespace dc
