#pragma once
// Opening the program's database: the password, the check that a file really is one of the
// program's databases, the checks that the golfer's live database can be used for the run (it can
// be written, its pages are sound, no other program has it), and the blank database's name that
// must never become the live file.

#include <QString>
#include <functional>
#include <memory>

#include "platform/Database.h"

namespace dc {

inline const QString kDBPassword = "8306";
inline const QString kBlankDbName = "CV54Blank.MDB";

// The password every database of the program opens with.
QString DatabasePassword();

// Opens an existing database with the program's password and checks that it holds the program's
// tables. Throws DbError (3024, 3044, 3031, 3343).
std::unique_ptr<Database> OpenProgramDatabase(const QString& path);

// The longest absolute path, in bytes, of a database the engine can write: its journal's name, eight
// bytes longer, must fit in the engine's 512.
inline constexpr int kMaxDatabasePathBytes = 504;

// Opens the golfer's database for the run. Besides OpenProgramDatabase's errors it throws, with a
// description that names the file and says why: 70 when the account may not read the file ("cannot be
// read (permission)"), 3055 when the path is longer than the engine takes ("path too long"), 3027 when
// the file or its folder is write-protected, 3260 when another program holds it (a lock of its own, or
// another copy of this program holding the file's lock), 3049 when the file is malformed, cut short
// or SQLite's quick check finds a damaged page, 3050 when the file cannot be locked. Nothing is
// written to the file. The lock, an flock on the database file itself (so another copy is refused
// whatever its home or data folder, and by any link), is held until another file is opened this way
// or ReleaseLiveDatabaseLock is called.
std::unique_ptr<Database> OpenLiveDatabase(const QString& path);
void ReleaseLiveDatabaseLock();
// True while this run holds the lock of the database file at `path`.
bool HoldsLiveDatabaseLock(const QString& path);
// Runs `replace`, which puts the file `replacement` in place of the live database `live`, moving the
// live database's lock (when this run holds it) onto the replacement first, so that the file in place
// is never left unlocked.
void ReplaceLiveDatabaseFile(const QString& replacement, const QString& live,
                             const std::function<void()>& replace);

// Throws the 70 or 3055 error above when the account may not read the file or its path is too long.
void ThrowIfUnreadable(const QString& path);

// Writes the committed state of the database at `livePath` to the new file `copyPath` (created
// readable by its owner only) through a connection of its own: an export inside one read
// transaction, so the copy is never a file half-way through a write.
void ExportDatabase(const QString& livePath, const QString& copyPath);

// Throws the 3027 error above when the file or its folder may not be written.
void ThrowIfWriteProtected(const QString& path);

// Title of the message box for an unusable live database (70, 3027, 3049, 3050, 3055, 3260); empty
// for others.
QString UnusableDatabaseTitle(int number);

// True when the path names the shipped blank database (in any mix of cases).
bool IsBlankDatabasePath(const QString& path);

}  // namespace dc
