#include "tools/mZip.h"

#include <QDir>
#include <QFileInfo>
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

// The files one entry of the list names: the file itself, or a folder's files. Names are taken as they
// stand, never as patterns, so "Golf [2023].mdb" is that file.
std::vector<ZipEntry> Expand(const QString& entry) {
    const QFileInfo info(QFileInfo(entry).absoluteFilePath());
    if (!info.isDir()) return {{info.filePath(), info.fileName()}};
    std::vector<ZipEntry> entries;
    for (const QFileInfo& file : QDir(info.filePath()).entryInfoList(QDir::Files, QDir::Name))
        entries.push_back({file.filePath(), file.fileName()});
    if (entries.empty())
        throw AppError(kErrFileNotFound53, QString("The folder '%1' holds no file.").arg(entry));
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
