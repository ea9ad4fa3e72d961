#include "platform/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "platform/DbError.h"

namespace dc {

void CopyFileOrThrow(const QString& from, const QString& to) {
    QFile::remove(to);
    if (QFileInfo::exists(to))
        throw AppError(kErrFileAccess, QString("Path/File access error: '%1' cannot be replaced.").arg(to));
    QFile source(from);
    if (!source.copy(to))
        throw AppError(kErrFileAccess, QString("Path/File access error: cannot copy '%1' to '%2' (%3).")
                                           .arg(from, to, source.errorString()));
}

void CopyFileAtomically(const QString& from, const QString& to) {
    const QString part = to + ".tmp";
    CopyFileOrThrow(from, part);
    try {
        RenameOrThrow(part, to);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

void RenameOrThrow(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdString()),
                            std::filesystem::path(to.toStdString()), ec);
    if (ec)
        throw AppError(kErrFileAccess, QString("Path/File access error: cannot rename '%1' to '%2' (%3).")
                                           .arg(from, to, QString::fromStdString(ec.message())));
}

void MoveFileReplacing(const QString& from, const QString& to) {
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(from.toStdString()),
                            std::filesystem::path(to.toStdString()), ec);
    if (!ec) return;
    if (ec != std::errc::cross_device_link)
        throw AppError(kErrFileAccess, QString("Path/File access error: cannot rename '%1' to '%2' (%3).")
                                           .arg(from, to, QString::fromStdString(ec.message())));
    CopyFileAtomically(from, to);
    QFile::remove(from);
}

QString ResolvedFilePath(const QString& path) {
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? path : real;
}

void RemoveDatabaseFileOrThrow(const QString& path) {
    if (path.isEmpty()) return;
    for (const QString& p : {path, path + "-journal"}) {
        QFile::remove(p);
        if (QFileInfo::exists(p))
            throw AppError(kErrFileAccess, QString("Path/File access error: '%1' cannot be removed.").arg(p));
    }
}

}  // namespace dc
