#include "shell/Leftovers.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "platform/PrintJob.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "tools/SystemArchive.h"

namespace dc {
namespace {

// Removes every file (or, with `folders`, every folder) of `folder` whose whole name matches
// `pattern` and that is not in use.
void RemoveMatching(const QString& folder, const QString& pattern, QStringList& removed,
                    bool folders = false) {
    if (folder.isEmpty()) return;
    const QRegularExpression name(QRegularExpression::anchoredPattern(pattern));
    const QDir::Filters kind =
        (folders ? QDir::Dirs | QDir::NoDotAndDotDot : QDir::Files) | QDir::Hidden | QDir::System;
    for (const QString& entry : QDir(folder).entryList(kind)) {
        if (!name.match(entry).hasMatch()) continue;
        const QString path = folder + "/" + entry;
        if (folders ? RemoveLeftoverFolder(path) : RemoveLeftoverFile(path)) removed << path;
    }
}

}  // namespace

QStringList RemoveProgramLeftovers() {
    QStringList removed;
    try {
        // The INI file is rewritten under a temporary name of the program's own beside the file it
        // replaces (through its link).
        const QFileInfo ini(ResolvedFilePath(IniFilePath()));
        RemoveMatching(ini.absolutePath(), TemporaryNamePattern(ini.fileName()), removed);
        // A dated backup is copied to "<backup>.tmp" first.
        RemoveMatching(ProgramFolder() + "/DBFiles", "CV\\d{8}\\.mdb\\.tmp", removed);
        // The archive of the system files is written under a temporary name beside it, from a copy of
        // the database made in a private folder of the temporary folder.
        const QFileInfo zip(SystemZipPath(ProgramFolder()));
        RemoveMatching(zip.absolutePath(), TemporaryNamePattern(zip.fileName()), removed);
        RemoveMatching(QDir::tempPath(), SystemZipWorkFolderPattern(), removed, true);
        // A printer's document is written in the temporary folder and removed once the job is taken.
        RemoveMatching(QDir::tempPath(), PrintoutFilePattern(), removed);
        // Earlier builds kept a database's lock in the data folder, named after its device and inode;
        // the lock is now the database file's own.
        RemoveMatching(UserLockFolder(), "file-\\d+-\\d+\\.lock", removed);
    } catch (...) {
    }
    return removed;
}

QStringList RemoveDatabaseLeftovers(const QString& dbPath) {
    QStringList removed;
    try {
        if (dbPath.trimmed().isEmpty()) return removed;
        const QFileInfo live(ResolvedFilePath(dbPath.trimmed()));
        const QString folder = live.absolutePath();
        // The upgraded copy being built, with its journal, and the kept old file's temporary copy.
        RemoveMatching(folder, QRegularExpression::escape(live.fileName()) + "\\.update\\.tmp(-journal)?",
                       removed);
        RemoveMatching(folder, "CVPre54-\\d{4}[A-Za-z]{3}\\d{8}\\.MDB\\.tmp", removed);
    } catch (...) {
    }
    return removed;
}

}  // namespace dc
