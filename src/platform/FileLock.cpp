#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"

namespace dc {
namespace {

QString Reason(int error) { return QString::fromLocal8Bit(strerror(error)); }

}  // namespace

FileLock::FileLock(int fd, const QString& path) : fd_(fd), path_(path) {
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        device_ = st.st_dev;
        inode_ = st.st_ino;
    }
}

std::unique_ptr<FileLock> FileLock::LockDescriptor(int fd, const QString& path) {
    int rc;
    while ((rc = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) return nullptr;
        throw AppError(kErrLockFile,
                       QString("The lock file '%1' cannot be locked (%2).").arg(path, Reason(error)));
    }
    return std::unique_ptr<FileLock>(new FileLock(fd, path));
}

std::unique_ptr<FileLock> FileLock::TryAcquire(const QString& lockPath) {
    const QByteArray native = QFile::encodeName(lockPath);
    // Readable by all, so that another account sharing the file can still lock through it. Never
    // blocks on a pipe.
    int fd = ::open(native.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS))
        fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // flock needs no write access
    if (fd < 0)
        throw AppError(kErrLockFile, QString("The lock file '%1' cannot be opened (%2). Delete it, or give "
                                             "your account the right to read it, and try again.")
                                         .arg(lockPath, Reason(errno)));
    return LockDescriptor(fd, lockPath);
}

std::unique_ptr<FileLock> FileLock::TryAcquireExisting(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw AppError(kErrLockFile,
                       QString("The file '%1' cannot be opened to lock it (%2).").arg(path, Reason(errno)));
    return LockDescriptor(fd, path);
}

FileLock::~FileLock() { ::close(fd_); }

bool FileLock::Covers(const QString& path) const {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && st.st_dev == device_ &&
           st.st_ino == inode_;
}

bool IsOnNetworkFileSystem(const QString& path) {
    struct statfs fs {};
    if (::statfs(QFile::encodeName(path).constData(), &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case 0x6969UL:      // NFS
        case 0x517BUL:      // SMB
        case 0xFF534D42UL:  // CIFS
        case 0xFE534D42UL:  // SMB2
            return true;
        default:
            return false;
    }
}

QString UserLockFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/DadoCorvy";
    QDir().mkpath(folder);
    return folder;
}

}  // namespace dc
