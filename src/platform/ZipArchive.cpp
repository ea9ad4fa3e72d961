#include "platform/ZipArchive.h"

#include <zip.h>

#include <QByteArray>
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

// The whole contents of a closed in-memory archive.
QByteArray ReadAll(zip_source_t* source) {
    zip_stat_t facts;
    zip_stat_init(&facts);
    if (zip_source_stat(source, &facts) != 0 || !(facts.valid & ZIP_STAT_SIZE) ||
        zip_source_open(source) != 0)
        return QByteArray();
    QByteArray bytes(static_cast<qsizetype>(facts.size), '\0');
    const zip_int64_t read = zip_source_read(source, bytes.data(), facts.size);
    zip_source_close(source);
    return read == static_cast<zip_int64_t>(facts.size) ? bytes : QByteArray();
}

}  // namespace

ZipArchive::ZipArchive(const QString& path) : path_(path) {
    CheckName(path);
    zip_error_t error;
    zip_error_init(&error);
    buffer_ = zip_source_buffer_create(nullptr, 0, 0, &error);
    archive_ = buffer_ ? zip_open_from_source(buffer_, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
    if (!archive_) {
        const QString reason = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        zip_source_free(buffer_);
        buffer_ = nullptr;
        throw AppError(kErrFileAccess,
                       QString("Zip archive '%1': cannot make the archive: %2.").arg(path, reason));
    }
    zip_error_fini(&error);
    zip_source_keep(buffer_);  // it outlives the archive, to be read once the archive is closed
}

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
    zip_source_free(buffer_);
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
    const QByteArray bytes = ReadAll(buffer_);
    if (bytes.isEmpty())
        throw AppError(kErrFileAccess,
                       QString("Zip archive '%1': the archive could not be read back.").arg(path_));
    if (const int error = WriteFileAtomically(path_, bytes, kPrivateFileMode))
        ThrowFileError(QString("cannot write '%1'").arg(path_), error);
}

}  // namespace dc
