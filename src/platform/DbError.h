#pragma once
// An error of the database layer (or of the program) with the number that screens test,
// in the numbering the program has always reported (3024 file not found, and so on).

#include <QString>
#include <stdexcept>

namespace dc {

enum ErrNumber : int {
    kErrFileNotFound53 = 53,     // a file operation found no file
    kErrPathNotFound = 76,       // a folder that does not exist
    kErrFileNotFound = 3024,     // database file not found
    kErrNotValidPath = 3044,     // database path not valid
    kErrBadPassword = 3031,      // not a valid password
    kErrBadFormat = 3343,        // unrecognised database format
    kErrNoTable = 3078,          // table or query not found
    kErrNoColumn = 3061,         // unknown column or too few parameters
    kErrSyntax = 3075,           // syntax error in a statement
    kErrDuplicate = 3022,        // a constraint refused the change
    kErrLocked = 3260,           // locked by another user
    kErrReadOnly = 3027,         // database is read-only
    kErrDiskIO = 3043,           // disk or network error
    kErrDiskFull = 3035,         // out of space
    kErrNotOpen = 3420,          // object invalid or no longer set
    kErrNoCurrentRecord = 3021,  // no current record
    kErrGeneric = 3001,          // any other engine error
    kErrDamaged = 3049,          // the file is a database, but damaged
    kErrLockFile = 3050,         // the database's lock file cannot be opened
    kErrFileAccess = 75,         // path/file access error
    kErrFileExists = 58,         // file already exists
    kErrDiskFullFile = 61,       // a file operation found the disk full
    kErrNoPermission = 70,       // permission denied
    kErrPathTooLong = 3055,      // not a valid file name: longer than the engine takes
    kErrOutOfMemory = 7,         // out of memory
};

// Errors of the database itself rather than of one row: every later statement would fail the same way.
inline bool IsDatabaseFault(int number) {
    return number == kErrReadOnly || number == kErrBadFormat || number == kErrDamaged ||
           number == kErrDiskFull || number == kErrDiskIO || number == kErrLocked || number == kErrNotOpen;
}

class AppError : public std::runtime_error {
  public:
    AppError(int number, const QString& description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description) {}
    int number() const { return number_; }
    const QString& description() const { return description_; }

  private:
    int number_;
    QString description_;
};

// An error raised by the database engine, with the statement that failed (empty when none ran) and
// the file of the database it ran on.
class DbError : public AppError {
  public:
    DbError(int number, const QString& description, const QString& statement = QString(),
            const QString& database = QString())
        : AppError(number, description), statement_(statement), database_(database) {}
    const QString& statement() const { return statement_; }
    const QString& database() const { return database_; }

  private:
    QString statement_;
    QString database_;
};

}  // namespace dc
