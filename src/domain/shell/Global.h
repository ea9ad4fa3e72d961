#pragma once
// Small procedures that every part shares: finding a file below a folder, reading an INI value,
// the help document's place (the screens' ShellDoc opens it), the warning sounds. (The helpers of
// date boxes, grids and text boxes are in shell/ScreenBoxes.h.)

#include <QString>

namespace dc {

// Full path of the first file of that name in the folder or below it (names match without regard
// to case); an empty text when there is none.
QString FindFileInTree(const QString& rootFolder, const QString& fileName);

// One value of an INI file, whole; an empty text when missing.
QString ReadIniString(const QString& section, const QString& key, const QString& iniPath);

// The help document beside the program.
QString HelpDocumentPath();

// Before a failed-check message when sounds are on: silent, "AllWrong.wav", "PayAttention.wav", again,
// `count` keeping the place in that cycle; the sounds lie in `multimediaPath`.
void SoundCounter(int& count, const QString& multimediaPath);

}  // namespace dc
