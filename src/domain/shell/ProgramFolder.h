#pragma once
// The program's folder: where Connect.ini, DBFiles, the sounds and the help document lie.

#include <QString>

namespace dc {

// The executable's folder unless a test set another.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
QString IniFilePath();  // ProgramFolder() + "/Connect.ini"
// Says that Connect.ini (by its real path) could not be written, for `problem`, and, when its folder
// or the file is write-protected, which one and the rights the account needs.
QString IniNotWrittenText(const QString& problem);

}  // namespace dc
