#include "shell/ProgramFolder.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/FileOps.h"

namespace dc {

namespace {
QString& FolderOverride() {
    static QString folder;
    return folder;
}
}  // namespace

QString ProgramFolder() {
    if (!FolderOverride().isEmpty()) return FolderOverride();
    return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder) { FolderOverride() = folder; }

QString IniFilePath() { return ProgramFolder() + "/Connect.ini"; }

QString IniNotWrittenText(const QString& problem) {
    const QString ini = ResolvedFilePath(IniFilePath());
    const QString folder = QFileInfo(ini).absolutePath();
    QString text = QString("'%1' cannot be written (%2).").arg(ini, problem);
    // The file is replaced through a new file beside it: the folder's rights come first.
    if (!CanWriteFolder(folder))
        text += QString(" Your account needs the right to read, write and open the folder '%1' (as its "
                        "owner: chmod u+rwx on it, or make your account its owner); then save again.")
                    .arg(folder);
    else if (WriteProtectionOf(ini) == WriteProtection::File)
        text += " Your account needs the right to write that file; then save again.";
    return text;
}

}  // namespace dc
