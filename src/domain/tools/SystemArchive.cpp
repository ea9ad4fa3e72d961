#include "tools/SystemArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/Database.h"
#include "shell/ProgramDb.h"
#include "shell/Version.h"
#include "tools/cZip.h"

namespace dc {

QString SystemZipPath(const QString& programFolder) {
    return programFolder + "/CV" + QString::number(kVersionMajor) + QString::number(kVersionMinor) +
           QString::number(kVersionRevision) + ".ZIP";
}

void BuildSystemZip(const QString& zipPath, const QString& databasePath, const QString& iniPath) {
    QTemporaryDir work;
    const QString copy = work.filePath(QFileInfo(databasePath).fileName());
    ExportDatabase(databasePath, copy);

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
