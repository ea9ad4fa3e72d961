#pragma once
// Small procedures that every screen shares: finding a file below a folder, reading an INI value,
// opening the help document, the warning sounds, date boxes in the user's order, selecting a box's text.

#include <QString>

class QLineEdit;

namespace dc {

class MaskEdBox;
class Spread;

// Full path of the first file of that name in the folder or below it (names match without regard
// to case); an empty text when there is none.
QString FindFileInTree(const QString& rootFolder, const QString& fileName);

// One value of an INI file, whole; an empty text when missing.
QString ReadIniString(const QString& section, const QString& key, const QString& iniPath);

// Opens a document with the user's program; "Help File: CV5.PDF not found" when it does not exist.
void ShellDoc(const QString& documentPath);
// The help document beside the program.
QString HelpDocumentPath();

// Before a failed-check message when sounds are on: silent, "AllWrong.wav", "PayAttention.wav", again.
void SoundCounter();

// Sets the date box's mask for the user's date order, shows a date already in it in that order,
// and sets sDecimalSep.
void SetDateFormat(MaskEdBox& box);
// sDecimalSep from the locale (start-up calls it so that it never depends on a screen having loaded).
void SetDecimalSeparator();

// Empties a grid to `rows` empty rows, drawn once.
void ResetSpreadRows(Spread& grid, int rows);

// Selects the whole text of a box that is not empty.
void SelectAllText(QLineEdit& box);

}  // namespace dc
