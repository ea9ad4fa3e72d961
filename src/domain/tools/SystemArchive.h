#pragma once
// The archive of the program's system files that the e-mail screen attaches: Connect.ini and a
// consistent copy of the open database, stored under their file names without folders.

#include <QString>

namespace dc {

// ProgramFolder() + "/CV" + major + minor + revision + ".ZIP" (CV550.ZIP for version 5.5.0).
QString SystemZipPath();

// Writes the archive at `zipPath`, replacing an older one. Throws AppError with the reason; the
// archive is not there then.
void BuildSystemZip(const QString& zipPath);

}  // namespace dc
