#include "shell/ProgramFolder.h"

#include <QCoreApplication>

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

}  // namespace dc
