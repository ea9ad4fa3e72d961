#pragma once
// Helpers that screens share for their boxes: date boxes in the user's order, emptying a grid,
// selecting a box's text.

#include <QString>

class QLineEdit;

namespace dc {

class AppContext;

class MaskEdBox;
class Spread;

// Sets the date box's mask for the date order `dateFormat` and shows a date already in it in that order.
void SetDateFormat(MaskEdBox& box, const QString& dateFormat);

// Empties a grid to `rows` empty rows, drawn once.
void ResetSpreadRows(Spread& grid, int rows);

// Selects the whole text of a box that is not empty.
void SelectAllText(QLineEdit& box);

// Before a failed-check message: the next warning sound of the cycle (SoundCounter) when sounds are on.
void WarningSound(AppContext& ctx);
// The warning sounds' place in their cycle, one for the whole run.
int& WarningSoundCount();

}  // namespace dc
