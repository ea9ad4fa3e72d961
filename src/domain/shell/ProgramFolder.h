#pragma once
// The program's folder: where Connect.ini, DBFiles, the sounds and the help document lie.

#include <QString>

namespace dc {

// The executable's folder unless a test set another.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);
QString IniFilePath();  // ProgramFolder() + "/Connect.ini"

}  // namespace dc
