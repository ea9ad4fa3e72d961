#include "shell/ProgramDb.h"

#include <QFileInfo>

#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "shell/ProgramFolder.h"

namespace dc {
namespace {

// The lock beside the live database, held for the run.
std::unique_ptr<FileLock>& LiveLock() {
    static std::unique_ptr<FileLock> lock;
    return lock;
}

DbError InUse(const QString& path) {
    return DbError(kErrLocked,
                   QString("The Dado Corvy database '%1' is in use by another program.").arg(path));
}

DbError Damaged(const QString& path, QString problem) {
    return DbError(kErrDamaged,
                   QString("The Dado Corvy database '%1' is damaged (%2).")
                       .arg(path, problem.remove("*** in database main ***").simplified().left(200)));
}

}  // namespace

QString DatabasePassword() { return kDBPassword; }

std::unique_ptr<Database> OpenProgramDatabase(const QString& path) {
    auto db = Database::Open(path, DatabasePassword());
    for (const char* table : {"PLAYERS", "COURSES", "INDIV_SCORES", "SETUP"}) {
        if (!db->HasTable(table))
            throw DbError(kErrBadFormat, QString("Unrecognized database format '%1'.").arg(path.trimmed()));
    }
    return db;
}

void ThrowIfWriteProtected(const QString& path) {
    const QString file = path.trimmed();
    switch (WriteProtectionOf(ResolvedFilePath(file))) {
        case WriteProtection::File:
            throw DbError(
                kErrReadOnly,
                QString("The Dado Corvy database '%1' cannot be written: the file is write-protected.")
                    .arg(file));
        case WriteProtection::Folder:
            throw DbError(kErrReadOnly,
                          QString("The Dado Corvy database '%1' cannot be written: its folder '%2' is "
                                  "write-protected.")
                              .arg(file, QFileInfo(ResolvedFilePath(file)).absolutePath()));
        case WriteProtection::None:
            break;
    }
}

std::unique_ptr<Database> OpenLiveDatabase(const QString& path) {
    const QString file = path.trimmed();
    std::unique_ptr<Database> db;
    try {
        db = OpenProgramDatabase(file);
    } catch (const DbError& e) {
        if (e.number() == kErrLocked) throw InUse(file);
        if (e.number() == kErrDamaged) throw Damaged(file, e.description());
        throw;
    }
    ThrowIfWriteProtected(file);
    if (db->IsReadOnly())
        throw DbError(kErrReadOnly, QString("The Dado Corvy database '%1' cannot be written: it is open for "
                                            "reading only.")
                                        .arg(file));
    // Another copy of the program on the same file, by whatever name or link it was reached, holds
    // this lock.
    std::unique_ptr<FileLock> lock;
    const QString lockPath = LiveDatabaseLockPath(file);
    if (!LiveLock() || LiveLock()->Path() != lockPath) {
        try {
            lock = FileLock::TryAcquire(lockPath);
        } catch (const AppError& e) {
            throw DbError(kErrLockFile,
                          e.description() + QString(" The database '%1' itself was not touched.").arg(file));
        }
        if (!lock) throw InUse(file);
    }
    QString problem;
    try {
        problem = db->QuickCheck();
    } catch (const DbError& e) {
        if (e.number() == kErrLocked) throw InUse(file);
        problem = e.description();
    }
    if (!problem.isEmpty()) throw Damaged(file, problem);
    if (lock) LiveLock() = std::move(lock);
    return db;
}

void ReleaseLiveDatabaseLock() { LiveLock().reset(); }

QString LiveDatabaseLockPath(const QString& path) { return LockPathForFile(path.trimmed()); }

QString UnusableDatabaseTitle(int number) {
    switch (number) {
        case kErrReadOnly:
            return "Dado Corvy: Database cannot be written.";
        case kErrDamaged:
            return "Dado Corvy: Damaged database.";
        case kErrLocked:
            return "Dado Corvy: Database in use.";
        case kErrLockFile:
            return "Dado Corvy: Lock file cannot be opened.";
        default:
            return QString();
    }
}

bool IsBlankDatabasePath(const QString& path) { return path.toUpper().contains(kBlankDbName.toUpper()); }

void ExportDatabase(const QString& livePath, const QString& copyPath) {
    auto source = Database::Open(livePath, DatabasePassword());
    // An empty file to attach (a connection may only open existing files); its journal takes its rights.
    CreateEmptyFile(copyPath);
    source->Execute("ATTACH DATABASE ? AS exported KEY ?", {copyPath, DatabasePassword()});
    {
        Database::Transaction read(*source);
        source->Scalar("SELECT sqlcipher_export('exported')");
        read.Commit();
    }
    source->Execute("DETACH DATABASE exported");
}

}  // namespace dc
