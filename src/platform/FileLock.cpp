#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"

namespace dc {

std::unique_ptr<FileLock> FileLock::TryAcquire(const QString& lockPath) {
    const int fd = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        throw AppError(kErrFileAccess, QString("Path/File access error: cannot open '%1' (%2).")
                                           .arg(lockPath, QString::fromLocal8Bit(strerror(errno))));
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return nullptr;
        throw AppError(kErrFileAccess, QString("Path/File access error: cannot lock '%1' (%2).")
                                           .arg(lockPath, QString::fromLocal8Bit(strerror(error))));
    }
    return std::unique_ptr<FileLock>(new FileLock(fd, lockPath));
}

FileLock::~FileLock() { ::close(fd_); }

}  // namespace dc
