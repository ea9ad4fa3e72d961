#pragma once
// Removing what a run cut short (a kill, a power cut) left behind: the temporary files of Connect.ini,
// of a backup, of the system files' archive (with its folder for the database copy), of a printout and
// of the version update, and the lock files of databases that earlier builds kept in the data folder.
// Only files whose names the program makes and that nothing is using are removed.

#include <QString>
#include <QStringList>

namespace dc {

// Leftovers beside Connect.ini and the system files' archive, in DBFiles, in the temporary folder and
// in the lock folder. Returns the files removed.
QStringList RemoveProgramLeftovers();

// Leftovers of the version update beside the database at `dbPath`; call while this run holds the
// database's lock. Returns the files removed.
QStringList RemoveDatabaseLeftovers(const QString& dbPath);

}  // namespace dc
