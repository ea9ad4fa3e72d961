#include "tools/SystemArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <memory>

#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "shell/ProgramDb.h"
#include "shell/Version.h"
#include "tools/cZip.h"

namespace dc {
namespace {
const QString kWorkFolderPrefix = "DadoCorvy-system-files-";
}  // namespace

QString SystemZipPath(const QString& programFolder) {
    return programFolder + "/CV" + QString::number(kVersionMajor) + QString::number(kVersionMinor) +
           QString::number(kVersionRevision) + ".ZIP";
}

QString SystemZipWorkFolderPattern() {
    return QRegularExpression::escape(kWorkFolderPrefix) + "[A-Za-z0-9]{6}";
}

void BuildSystemZip(const QString& zipPath, const QString& databasePath, const QString& iniPath) {
    QTemporaryDir work(QDir::tempPath() + "/" + kWorkFolderPrefix + "XXXXXX");
    if (!work.isValid())
        throw AppError(kErrFileAccess,
                       QString("No folder for the copy of the database can be made in '%1' (%2).")
                           .arg(QDir::tempPath(), work.errorString()));
    // Held while the folder is in use, so that start-up's clean-up leaves it alone.
    const std::unique_ptr<FileLock> inUse = FileLock::TryAcquireExisting(work.path());
    const QString copy = work.filePath(QFileInfo(databasePath).fileName());
    try {
        ExportDatabase(databasePath, copy);
    } catch (const DbError& e) {
        // The copy is written in the temporary folder: a full disk is that folder's, not the database's.
        if (e.number() != kErrDiskFull) throw;
        throw DbError(e.number(), e.description(), e.statement(), QDir::tempPath());
    }

    // A new file, so that an older archive's wider rights do not carry over.
    QFile::remove(zipPath);
    cZip job;
    job.SetZipFile(zipPath);
    job.ClearFileSpecs();
    job.AddFileSpec(iniPath);
    job.AddFileSpec(copy);
    try {
        job.Zip();
    } catch (const AppError& e) {
        // A full disk is the one of the archive's folder.
        if (!IsDiskFull({e.number(), e.description(), {}, {}, {}})) throw;
        throw DbError(e.number(), e.description(), QString(), QFileInfo(zipPath).absolutePath());
    }
}

ErrorTextParts SystemZipFailure(const ErrorInfo& error, const QString& zipPath, const QString& tag) {
    const QString text = ErrorText(tag, error, -1, "Line # ", true);
    if (const std::optional<ErrorTextParts> full = DiskFullParts(text)) return *full;
    ErrorInfo technical = error;
    technical.database.clear();  // no plain sentence of its own above the technical lines
    const QFileInfo zip(zipPath);
    QString cause;
    if (error.number == kErrOutOfMemory)
        cause = "there was not enough memory";
    else if (zip.isDir())
        cause = QString("'%1' is a folder").arg(zipPath);
    else if (WriteProtectionOf(zipPath) == WriteProtection::Folder)
        cause = QString("the folder '%1' is write-protected").arg(zip.absolutePath());
    else if (WriteProtectionOf(zipPath) == WriteProtection::File)
        cause = QString("the file '%1' is write-protected").arg(zipPath);
    else
        cause = error.description;
    return {QString("The archive of the system files could not be made as '%1': %2.")
                .arg(zipPath, cause.endsWith('.') ? cause.chopped(1) : cause),
            ErrorText(tag, technical, -1, "Line # ", true)};
}

}  // namespace dc
