#include "platform/ZipArchive.h"

#include <zip.h>

#include <QFile>
#include <QFileInfo>

#include "platform/DbError.h"
#include "platform/FileOps.h"

namespace dc {

ZipArchive::ZipArchive(const QString& path, Mode mode) : path_(path) {
    // libzip keeps the rights of the file it replaces: an empty private file first.
    if (!QFileInfo::exists(path)) {
        CreateEmptyFile(path);
        created_ = true;
    }
    int error = 0;
    const int flags = ZIP_CREATE | (mode == Mode::Replace ? ZIP_TRUNCATE : 0);
    archive_ = zip_open(QFile::encodeName(path).constData(), flags, &error);
    if (!archive_) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        const QString text = QString::fromUtf8(zip_error_strerror(&reason));
        zip_error_fini(&reason);
        if (created_) QFile::remove(path);
        throw AppError(kErrFileAccess, QString("Cannot open the zip archive '%1': %2.").arg(path, text));
    }
}

ZipArchive::~ZipArchive() {
    if (!archive_) return;
    zip_discard(archive_);
    if (created_) QFile::remove(path_);
}

void ZipArchive::Fail(const QString& what) const {
    throw AppError(
        kErrFileAccess,
        QString("Zip archive '%1': %2: %3.").arg(path_, what, QString::fromUtf8(zip_strerror(archive_))));
}

void ZipArchive::AddFile(const QString& filePath, const QString& entryName, const QString& password) {
    if (!QFileInfo(filePath).isFile())
        throw AppError(kErrFileNotFound53, QString("File not found: '%1'.").arg(filePath));
    zip_source_t* source = zip_source_file(archive_, QFile::encodeName(filePath).constData(), 0, -1);
    if (!source) Fail("cannot read " + filePath);
    const zip_int64_t index =
        zip_file_add(archive_, entryName.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        Fail("cannot add " + entryName);
    }
    if (!password.isEmpty() && zip_file_set_encryption(archive_, static_cast<zip_uint64_t>(index),
                                                       ZIP_EM_AES_256, password.toUtf8().constData()) < 0)
        Fail("cannot encrypt " + entryName);
}

void ZipArchive::AddDirectory(const QString& entryName) {
    if (zip_name_locate(archive_, (entryName + "/").toUtf8().constData(), 0) >= 0) return;
    if (zip_dir_add(archive_, entryName.toUtf8().constData(), ZIP_FL_ENC_UTF_8) < 0)
        Fail("cannot add the folder " + entryName);
}

bool ZipArchive::Remove(const QString& entryName) {
    const zip_int64_t index = zip_name_locate(archive_, entryName.toUtf8().constData(), 0);
    if (index < 0) return false;
    if (zip_delete(archive_, static_cast<zip_uint64_t>(index)) < 0) Fail("cannot remove " + entryName);
    return true;
}

std::optional<QDateTime> ZipArchive::EntryTime(const QString& entryName) const {
    zip_stat_t stat;
    if (zip_stat(archive_, entryName.toUtf8().constData(), 0, &stat) < 0 || !(stat.valid & ZIP_STAT_MTIME))
        return std::nullopt;
    return QDateTime::fromSecsSinceEpoch(stat.mtime);
}

QStringList ZipArchive::EntryNames() const {
    QStringList names;
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(i), 0))
            names << QString::fromUtf8(name);
    return names;
}

void ZipArchive::Close() {
    if (zip_close(archive_) < 0) Fail("cannot write the archive");
    archive_ = nullptr;
}

}  // namespace dc
