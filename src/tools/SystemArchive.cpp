#include "tools/SystemArchive.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/Database.h"
#include "shell/Globals.h"
#include "shell/ProgramDb.h"
#include "shell/Version.h"
#include "tools/cZip.h"

namespace dc {

QString SystemZipPath() {
    return ProgramFolder() + "/CV" + QString::number(kVersionMajor) + QString::number(kVersionMinor) +
           QString::number(kVersionRevision) + ".ZIP";
}

void CopyDatabaseConsistently(const QString& livePath, const QString& copyPath) {
    // A connection of its own reads the committed state, whatever the program's connection is doing.
    auto source = Database::Open(livePath, DatabasePassword());
    Database::Create(copyPath, DatabasePassword())->Close();
    sSQL = "ATTACH DATABASE '" + copyPath + "' AS zipcopy";
    source->Execute("ATTACH DATABASE ? AS zipcopy KEY ?", {copyPath, DatabasePassword()});
    {
        Database::Transaction read(*source);
        sSQL = "SELECT sqlcipher_export('zipcopy')";
        source->Scalar(sSQL);
        read.Commit();
    }
    sSQL = "DETACH DATABASE zipcopy";
    source->Execute(sSQL);
}

void BuildSystemZip(const QString& zipPath) {
    const QString live = gDB && gDB->IsOpen() ? gDB->Path() : sDBPathFile.trimmed();
    QTemporaryDir work;
    const QString copy = work.filePath(QFileInfo(live).fileName());
    CopyDatabaseConsistently(live, copy);

    cZip job;
    job.SetZipFile(zipPath);
    job.StoreFolderNames = false;
    job.RecurseSubDirs = false;
    job.ClearFileSpecs();
    job.AddFileSpec(IniFilePath());
    job.AddFileSpec(copy);
    job.Zip();
}

}  // namespace dc
