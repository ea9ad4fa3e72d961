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
    job.Zip();
}

}  // namespace dc
