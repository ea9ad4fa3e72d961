#include "shell/ProgramDb.h"

#include <QFile>
#include <QFileInfo>

#include "platform/FileOps.h"
#include "shell/ProgramFolder.h"

namespace dc {
namespace {

// A long path shown whole would fill the box: its start and its end.
QString Shortened(const QString& path) {
    return path.size() <= 160 ? path : path.left(90) + "..." + path.right(60);
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

void ThrowIfUnreadable(const QString& path) {
    const QString file = path.trimmed();
    if (file.isEmpty()) return;  // the engine names an empty path
    const QFileInfo info(file);
    const QByteArray absolute = QFile::encodeName(info.absoluteFilePath());
    bool tooLong = absolute.size() > kMaxDatabasePathBytes;
    for (const QByteArray& part : absolute.split('/')) tooLong = tooLong || part.size() > 255;
    if (tooLong)
        throw DbError(kErrPathTooLong,
                      QString("The Dado Corvy database '%1' cannot be opened: path too long (%2 bytes; the "
                              "database engine takes at most %3, and 255 for each name). Move the file to a "
                              "folder with a shorter path and choose it there.")
                          .arg(Shortened(file))
                          .arg(absolute.size())
                          .arg(kMaxDatabasePathBytes));
    if (!IsReadable(file))
        throw DbError(kErrNoPermission,
                      QString("The Dado Corvy database '%1' cannot be read (permission): your account may "
                              "not read the file or open its folder. Give your account the right to read and "
                              "write the file and to open its folder, or choose another file.")
                          .arg(file));
}

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
        case kErrNoPermission:
            return "Dado Corvy: Database cannot be read.";
        case kErrPathTooLong:
            return "Dado Corvy: Database path too long.";
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
