#pragma once
// Course handicaps on the score cards: how a player's index is shown, the course-handicap text made
// from an index or a tournament index and a slope, the slope lists of a course's tee boxes, and the
// warning when tee boxes or slopes are missing.

#include <QString>
#include <QStringList>
#include <optional>

#include "handicap/RoundRec.h"
#include "records/TeeBoxPacking.h"

namespace dc {

// A player's latest index and tournament index (kNoTournIndex when there is none).
struct PlayerIndexes {
    double index = 0;
    double tournIndex = kNoTournIndex;
};

// The index as the grid shows it: "12.3", a plus index with its "+" ("+2.3" for -2.3, "+0.0" for 0).
QString IndexCellText(double index);

// "" when there is no slope; else index x slope / 113 rounded, from the tournament index with " T"
// when there is one. A plus handicap is written with its "+" ("+2", "+2 T").
QString CalculateHcp(double index, double tournIndex, double slope);

// The course handicap of such a text as a signed number (for sorting); nothing for "".
std::optional<int> HcpTextValue(const QString& hcpText);

// The slope of one gender's tee-box slot (0 to 3): 0 for a slot whose number is 0 or less (missing
// or empty included) and for no slot. `column` is Packed::MSL or Packed::WSL.
double TeeSlope(const QString& packedSlopes, Packed column, int slot);

// The slope of a tee box for a player: the men's for "M", the women's for "F" (blanks around it
// removed), 0 for any other gender, which therefore gets no course handicap.
int SlopeForGender(const QString& gender, int menSlope, int womenSlope);

// The lines about a missing course or tee-box choice, each after a line break; "" when all are chosen.
QString TeeBoxChoiceWarning(bool courseChosen, bool menTeeChosen, bool womenTeeChosen);

// The warning of the slope look-up, "" when nothing is missing. Every line but the no-course one
// starts with a line break; a non-empty warning ends with the line that sends the user to the
// course editor.
QString SlopeWarning(bool courseChosen, bool menTeeChosen, bool womenTeeChosen, int slopeM, int slopeW);

}  // namespace dc
