#include "platform/ZipArchive.h"

#include <zip.h>

#include <QFile>
#include <QFileInfo>

#include "platform/DbError.h"
#include "platform/FileOps.h"

namespace dc {
namespace {

// libzip takes names as C strings: a NUL would end one early and name another file or entry.
void CheckName(const QString& name) {
    if (name.contains(QChar(0)))
        throw AppError(kErrFileAccess,
                       QString("Not a valid file name: '%1'.").arg(QString(name).replace(QChar(0), "\\0")));
}

}  // namespace

ZipArchive::ZipArchive(const QString& path) : path_(path) {
    CheckName(path);
    // libzip keeps the rights of the file it replaces: an empty private file first.
    if (!QFileInfo::exists(path)) {
        CreateEmptyFile(path);
        created_ = true;
    }
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
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

void ZipArchive::AddFile(const QString& filePath, const QString& entryName) {
    CheckName(filePath);
    CheckName(entryName);
    if (!QFileInfo(filePath).isFile())
        throw AppError(kErrFileNotFound53, QString("File not found: '%1'.").arg(filePath));
    zip_source_t* source = zip_source_file(archive_, QFile::encodeName(filePath).constData(), 0, -1);
    if (!source) Fail("cannot read " + filePath);
    if (zip_file_add(archive_, entryName.toUtf8().constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) <
        0) {
        zip_source_free(source);
        Fail("cannot add " + entryName);
    }
}

void ZipArchive::Close() {
    if (zip_close(archive_) < 0) Fail("cannot write the archive");
    archive_ = nullptr;
}

}  // namespace dc
