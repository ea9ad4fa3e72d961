#include "tools/mZip.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <vector>

#include "platform/DbError.h"
#include "platform/ZipArchive.h"
#include "tools/cZip.h"

namespace dc {
namespace {

struct ZipEntry {
    QString file;  // on disk
    QString name;  // in the archive
};

bool HasWildcard(const QString& text) { return text.contains(QRegularExpression("[*?\\[]")); }

QString Absolute(const cZip& job, const QString& spec) {
    const QString base = job.BasePath().trimmed();
    if (QFileInfo(spec).isRelative() && !base.isEmpty()) return QDir(base).absoluteFilePath(spec);
    return QFileInfo(spec).absoluteFilePath();
}

// The entry name of a file: its name alone, or its path below the base folder (the root when no
// base is set) when folder names are stored.
QString EntryName(const cZip& job, const QString& file) {
    if (!job.StoreFolderNames) return QFileInfo(file).fileName();
    const QString base = job.BasePath().trimmed();
    QString name = base.isEmpty() ? QDir::cleanPath(file) : QDir(base).relativeFilePath(file);
    while (name.startsWith('/') || name.startsWith("../")) name = name.mid(name.indexOf('/') + 1);
    return name;
}

// The files one file pattern names: a file, a folder's files, or a wildcard pattern's matches,
// below the folder too when the job recurses.
std::vector<ZipEntry> Expand(const cZip& job, const QString& spec) {
    const QString path = Absolute(job, spec);
    const QFileInfo info(path);
    if (!info.isDir() && !HasWildcard(info.fileName())) return {{path, EntryName(job, path)}};
    const QString folder = info.isDir() ? path : info.absolutePath();
    const QString pattern = info.isDir() ? QString("*") : info.fileName();
    QDir::Filters filters = QDir::Files;
    if (job.IncludeSystemAndHiddenFiles) filters |= QDir::Hidden | QDir::System;
    QDirIterator it(folder, {pattern}, filters,
                    job.RecurseSubDirs ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    std::vector<ZipEntry> entries;
    while (it.hasNext()) {
        const QString file = it.next();
        entries.push_back({file, EntryName(job, file)});
    }
    if (entries.empty()) throw AppError(kErrFileNotFound53, QString("No file matches '%1'.").arg(spec));
    return entries;
}

// Asks the job for a password once; no answer stops the job.
QString AskPassword(cZip& job) {
    QString password;
    bool cancel = false;
    if (job.PasswordRequest) job.PasswordRequest(password, cancel);
    password = password.trimmed();
    if (password.isEmpty() || cancel)
        throw AppError(kErrFileAccess, "No password was given; the archive was not written.");
    return password;
}

void AddEntries(cZip& job, ZipArchive& archive) {
    const QString password = job.Encrypt ? AskPassword(job) : QString();
    for (const QString& spec : job.FileSpecs()) {
        for (const ZipEntry& entry : Expand(job, spec)) {
            const auto stored = archive.EntryTime(entry.name);
            if (job.FreshenFiles && !stored) continue;
            if (job.UpdateOnlyIfNewer && stored && *stored >= QFileInfo(entry.file).lastModified()) continue;
            bool cancel = false;
            if (job.Cancel) job.Cancel("adding: " + entry.name, cancel);
            if (cancel)
                throw AppError(kErrFileAccess, "The zip job was cancelled; the archive was not written.");
            if (job.StoreDirectories) {
                const QStringList folders = entry.name.split('/');
                for (int i = 1; i < folders.size(); ++i) archive.AddDirectory(folders.mid(0, i).join('/'));
            }
            archive.AddFile(entry.file, entry.name, password);
            if (job.Progress) job.Progress(1, entry.name);
        }
    }
}

void RemoveEntries(cZip& job, ZipArchive& archive) {
    for (const QString& spec : job.FileSpecs()) {
        const QString wanted = EntryName(job, Absolute(job, spec));
        const QRegularExpression match = QRegularExpression::fromWildcard(wanted, Qt::CaseSensitive);
        for (const QString& name : archive.EntryNames()) {
            if (!match.match(name).hasMatch()) continue;
            if (archive.Remove(name) && job.Progress) job.Progress(1, "deleting: " + name);
        }
    }
}

}  // namespace

void VBZip(cZip& job, ZipAction action) {
    const bool append = job.AllowAppend || action == ZipAction::Delete;
    ZipArchive archive(job.ZipFile(), append ? ZipArchive::Mode::Append : ZipArchive::Mode::Replace);
    if (action == ZipAction::Add)
        AddEntries(job, archive);
    else
        RemoveEntries(job, archive);
    archive.Close();
}

}  // namespace dc
