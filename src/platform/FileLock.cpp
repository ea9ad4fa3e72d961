#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"

namespace dc {

std::unique_ptr<FileLock> FileLock::TryAcquire(const QString& lockPath) {
    const QByteArray native = QFile::encodeName(lockPath);
    // Readable by all, so that another account sharing the file can still lock through it.
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);  // flock needs no write access
    if (fd < 0)
        throw AppError(kErrLockFile, QString("The lock file '%1' cannot be opened (%2). Delete it, or give "
                                             "your account the right to read it, and try again.")
                                         .arg(lockPath, QString::fromLocal8Bit(strerror(errno))));
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return nullptr;
        throw AppError(kErrLockFile, QString("The lock file '%1' cannot be locked (%2).")
                                         .arg(lockPath, QString::fromLocal8Bit(strerror(error))));
    }
    return std::unique_ptr<FileLock>(new FileLock(fd, lockPath));
}

FileLock::~FileLock() { ::close(fd_); }

QString UserLockFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/DadoCorvy";
    QDir().mkpath(folder);
    return folder;
}

QString LockPathForFile(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
    return UserLockFolder() + QString("/file-%1-%2.lock")
                                  .arg(static_cast<qulonglong>(st.st_dev))
                                  .arg(static_cast<qulonglong>(st.st_ino));
}

}  // namespace dc
