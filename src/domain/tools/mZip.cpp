#include "tools/mZip.h"

#include <QDir>
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

// The files one file pattern names: a file, a folder's files, or a wildcard pattern's matches.
std::vector<ZipEntry> Expand(const QString& spec) {
    const QFileInfo info(QFileInfo(spec).absoluteFilePath());
    const QString path = info.filePath();
    if (!info.isDir() && !HasWildcard(info.fileName())) return {{path, info.fileName()}};
    const QString folder = info.isDir() ? path : info.absolutePath();
    const QString pattern = info.isDir() ? QString("*") : info.fileName();
    std::vector<ZipEntry> entries;
    for (const QFileInfo& file : QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Name))
        entries.push_back({file.filePath(), file.fileName()});
    if (entries.empty()) throw AppError(kErrFileNotFound53, QString("No file matches '%1'.").arg(spec));
    return entries;
}

}  // namespace

void VBZip(const cZip& job) {
    ZipArchive archive(job.ZipFile());
    for (const QString& spec : job.FileSpecs())
        for (const ZipEntry& entry : Expand(spec)) archive.AddFile(entry.file, entry.name);
    archive.Close();
}

}  // namespace dc
