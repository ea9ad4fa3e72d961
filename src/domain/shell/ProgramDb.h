#pragma once
// Opening the program's database: the password, the check that a file really is one of the
// program's databases, the checks that the golfer's live database can be used for the run (it can
// be written, its pages are sound, no other program has it), and the blank database's name that
// must never become the live file.

#include <QString>
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

// Throws 70 ("cannot be read (permission)") or 3055 ("path too long"), naming the file, when the account may
// not read the file or its path is too long.
void ThrowIfUnreadable(const QString& path);

// Writes the committed state of the database at `livePath` to the new file `copyPath` (created
// readable by its owner only) through a connection of its own: an export inside one read
// transaction, so the copy is never a file half-way through a write.
void ExportDatabase(const QString& livePath, const QString& copyPath);

// Throws 3027, naming the file and saying which of the two, when the file or its folder may not be written.
void ThrowIfWriteProtected(const QString& path);

// Title of the message box for an unusable live database (70, 3027, 3049, 3050, 3055, 3260); empty
// for others.
QString UnusableDatabaseTitle(int number);

// True when the path names the shipped blank database (in any mix of cases).
bool IsBlankDatabasePath(const QString& path);

}  // namespace dc
