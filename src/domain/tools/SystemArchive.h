#pragma once
// The archive of the program's system files that the e-mail screen attaches: Connect.ini and a
// consistent copy of the database, stored under their file names without folders.

#include <QString>

#include "shell/ErrorText.h"

namespace dc {

// programFolder + "/CV" + major + minor + revision + ".ZIP" (CV550.ZIP for version 5.5.0).
QString SystemZipPath(const QString& programFolder);

// The name of the private folder that an archive's copy of the database is made in, in the temporary
// folder, as a regular expression: a run cut short leaves it for start-up to remove (RemoveLeftoverFolder).
QString SystemZipWorkFolderPattern();

// Writes the archive of the settings file `iniPath` and a copy of the database file at `databasePath`
// at `zipPath`, replacing an older one. Throws AppError with the reason; the archive is not there then.
void BuildSystemZip(const QString& zipPath, const QString& databasePath, const QString& iniPath);

// What the golfer is told when the archive at `zipPath` could not be made, in plain words: what failed
// and where (a full disk and which, a write-protected folder or file, a folder in the archive's place,
// too little memory), the technical lines to go under the box's details.
ErrorTextParts SystemZipFailure(const ErrorInfo& error, const QString& zipPath, const QString& tag);

}  // namespace dc
