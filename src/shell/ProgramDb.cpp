#include "shell/ProgramDb.h"

#include "shell/Globals.h"

namespace dc {

QString DatabasePassword() { return sDBPassword.isEmpty() ? kDBPassword : sDBPassword; }

std::unique_ptr<Database> OpenProgramDatabase(const QString& path) {
    auto db = Database::Open(path, DatabasePassword());
    for (const char* table : {"PLAYERS", "COURSES", "INDIV_SCORES", "SETUP"}) {
        if (!db->HasTable(table))
            throw DbError(kErrBadFormat, QString("Unrecognized database format '%1'.").arg(path.trimmed()));
    }
    return db;
}

bool IsBlankDatabasePath(const QString& path) { return path.toUpper().contains(kBlankDbName.toUpper()); }

}  // namespace dc
