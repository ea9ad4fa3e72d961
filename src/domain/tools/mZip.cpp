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
    QDirIterator it(folder, {pattern}, QDir::Files,
                    job.RecurseSubDirs ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    std::vector<ZipEntry> entries;
    while (it.hasNext()) {
        const QString file = it.next();
        entries.push_back({file, EntryName(job, file)});
    }
    if (entries.empty()) throw AppError(kErrFileNotFound53, QString("No file matches '%1'.").arg(spec));
    return entries;
}

}  // namespace

void VBZip(const cZip& job) {
    ZipArchive archive(job.ZipFile());
    for (const QString& spec : job.FileSpecs())
        for (const ZipEntry& entry : Expand(job, spec)) archive.AddFile(entry.file, entry.name);
    archive.Close();
}

}  // namespace dc
