#pragma once
// The archive of the program's system files that the e-mail screen attaches: Connect.ini and a
// consistent copy of the database, stored under their file names without folders.

#include <QString>

namespace dc {

// programFolder + "/CV" + major + minor + revision + ".ZIP" (CV550.ZIP for version 5.5.0).
QString SystemZipPath(const QString& programFolder);

// The name of the private folder that an archive's copy of the database is made in, in the temporary
// folder, as a regular expression: a run cut short leaves it for start-up to remove (RemoveLeftoverFolder).
QString SystemZipWorkFolderPattern();

// Writes the archive of the settings file `iniPath` and a copy of the database file at `databasePath`
// at `zipPath`, replacing an older one. Throws AppError with the reason; the archive is not there then.
void BuildSystemZip(const QString& zipPath, const QString& databasePath, const QString& iniPath);

}  // namespace dc
