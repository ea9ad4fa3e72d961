#pragma once
// Opening the program's database: the password, the check that a file really is one of the
// program's databases, and the blank database's name that must never become the live file.

#include <QString>
#include <memory>

#include "platform/Database.h"

namespace dc {

inline const QString kDBPassword = "8306";
inline const QString kBlankDbName = "CV54Blank.MDB";

// The password every database of the program opens with (sDBPassword once start-up set it).
QString DatabasePassword();

// Opens an existing database with sDBPassword (the password above when it is not set yet) and
// checks that it holds the program's tables. Throws DbError (3024, 3044, 3031, 3343).
std::unique_ptr<Database> OpenProgramDatabase(const QString& path);

// True when the path names the shipped blank database (in any mix of cases).
bool IsBlankDatabasePath(const QString& path);

}  // namespace dc
