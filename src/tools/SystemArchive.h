#pragma once
// The archive of the program's system files that the e-mail screen attaches: Connect.ini and a
// consistent copy of the open database, stored under their file names without folders.

#include <QString>

namespace dc {

// ProgramFolder() + "/CV" + major + minor + revision + ".ZIP" (CV550.ZIP for version 5.5.0).
QString SystemZipPath();

// Writes a copy of the database at `livePath` to `copyPath` through the database layer (an export
// inside one read transaction), so that the copy is never a file half-way through a write.
void CopyDatabaseConsistently(const QString& livePath, const QString& copyPath);

// Writes the archive at `zipPath`, replacing an older one. Throws AppError with the reason; the
// archive is not there then.
void BuildSystemZip(const QString& zipPath);

}  // namespace dc
