#include "platform/FileOps.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/DbError.h"

namespace dc {
namespace {

AccessProbe& Probe() {
    static AccessProbe probe = nullptr;
    return probe;
}

[[noreturn]] void FailAccess(const QString& what, int error) {
    throw AppError(
        error == ENOSPC || error == EDQUOT ? kErrDiskFullFile : kErrFileAccess,
        QString("Path/File access error: %1 (%2).").arg(what, QString::fromLocal8Bit(strerror(error))));
}

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// What sets the program's temporary files apart from anything a golfer names.
const QString kTemporaryInfix = ".dc-tmp-";

// An open descriptor that is always closed.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports a failed close (the last chance to hear of a write error).
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }
    // Hands the descriptor over, no longer closed here.
    int Release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

  private:
    int fd_;
};

// Syncs a file or folder to the disk.
void SyncPath(const QString& path, bool folder) {
    Fd fd(::open(Native(path).constData(), (folder ? O_DIRECTORY : 0) | O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) FailAccess(QString("cannot open '%1'").arg(path), errno);
    if (::fsync(fd.get()) != 0 && errno != EINVAL) FailAccess(QString("cannot sync '%1'").arg(path), errno);
}

QString FolderOf(const QString& path) { return QFileInfo(path).absolutePath(); }

void Rename(const QString& from, const QString& to) {
    if (::rename(Native(from).constData(), Native(to).constData()) != 0)
        FailAccess(QString("cannot rename '%1' to '%2'").arg(from, to), errno);
}

}  // namespace

void CopyFileOrThrow(const QString& from, const QString& to, mode_t mode) {
    QFile::remove(to);
    if (QFileInfo::exists(to))
        throw AppError(kErrFileAccess, QString("Path/File access error: '%1' cannot be replaced.").arg(to));
    Fd in(::open(Native(from).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) FailAccess(QString("cannot read '%1'").arg(from), errno);
    // Created with its final rights: a copy of the data is never readable by others, not even briefly.
    Fd out(::open(Native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (out.get() < 0) FailAccess(QString("cannot create '%1'").arg(to), errno);
    ::flock(out.get(), LOCK_EX | LOCK_NB);  // marks the copy as being written (RemoveLeftoverFile)
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) FailAccess(QString("cannot read '%1'").arg(from), errno);
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.get(), buffer + done, n - done);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                const int error = errno;
                QFile::remove(to);
                FailAccess(QString("cannot write '%1'").arg(to), error);
            }
            done += w;
        }
    }
    if (::fchmod(out.get(), mode) != 0 || ::fsync(out.get()) != 0 || out.Close() != 0) {
        const int error = errno;
        QFile::remove(to);
        FailAccess(QString("cannot write '%1'").arg(to), error);
    }
}

void CopyFileAtomically(const QString& from, const QString& to, mode_t mode) {
    const QString part = to + ".tmp";
    CopyFileOrThrow(from, part, mode);
    try {
        Rename(part, to);
        SyncPath(FolderOf(to), true);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
}

void ThrowFileError(const QString& what, int error) { FailAccess(what, error); }

int WriteFileAtomically(const QString& path, const QByteArray& bytes, mode_t newFileMode) {
    const QFileInfo target(path);
    QByteArray temp = Native(target.absolutePath() + "/." + target.fileName() + kTemporaryInfix + "XXXXXX");
    Fd out(::mkostemp(temp.data(), O_CLOEXEC));
    if (out.get() < 0) return errno;
    ::flock(out.get(), LOCK_EX | LOCK_NB);  // marks the file as being written (RemoveLeftoverFile)
    mode_t mode = FileMode(path);
    if (mode == 0 && !QFileInfo::exists(path)) {
        mode = ::umask(0);
        ::umask(mode);
        mode = newFileMode & ~mode;
    }
    int error = 0;
    for (qsizetype done = 0; done < bytes.size() && error == 0;) {
        const ssize_t w = ::write(out.get(), bytes.constData() + done, bytes.size() - done);
        if (w >= 0)
            done += w;
        else if (errno != EINTR)
            error = errno;
    }
    if (error == 0 && (::fchmod(out.get(), mode) != 0 || ::fsync(out.get()) != 0 || out.Close() != 0 ||
                       ::rename(temp.constData(), Native(path).constData()) != 0))
        error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        return error;
    }
    Fd folder(::open(Native(target.absolutePath()).constData(), O_DIRECTORY | O_RDONLY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
    return 0;
}

QString TemporaryNamePattern(const QString& fileName) {
    return "\\." + QRegularExpression::escape(fileName + kTemporaryInfix) + "[A-Za-z0-9]{6}";
}

void RenameOrThrow(const QString& from, const QString& to) {
    SyncPath(from, false);
    Rename(from, to);
    SyncPath(FolderOf(to), true);
    if (FolderOf(from) != FolderOf(to)) SyncPath(FolderOf(from), true);
}

void MoveFileReplacing(const QString& from, const QString& to) {
    SyncPath(from, false);
    if (::rename(Native(from).constData(), Native(to).constData()) == 0) {
        SyncPath(FolderOf(to), true);
        if (FolderOf(from) != FolderOf(to)) SyncPath(FolderOf(from), true);
        return;
    }
    if (errno != EXDEV) FailAccess(QString("cannot rename '%1' to '%2'").arg(from, to), errno);
    CopyFileAtomically(from, to, FileMode(from));
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

void CreateEmptyFile(const QString& path, mode_t mode) {
    Fd fd(::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (fd.get() < 0) FailAccess(QString("cannot create '%1'").arg(path), errno);
    if (::fchmod(fd.get(), mode) != 0) FailAccess(QString("cannot set the rights of '%1'").arg(path), errno);
}

mode_t FileMode(const QString& path) {
    struct stat st {};
    if (::stat(Native(path).constData(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

void SetFileMode(const QString& path, mode_t mode) {
    if (::chmod(Native(path).constData(), mode) != 0)
        FailAccess(QString("cannot set the rights of '%1'").arg(path), errno);
}

WriteProtection WriteProtectionOf(const QString& path) {
    const AccessProbe probe = Probe() ? Probe() : &::access;
    if (probe(Native(path).constData(), W_OK) != 0 && errno != ENOENT) return WriteProtection::File;
    if (probe(Native(FolderOf(path)).constData(), W_OK | X_OK) != 0) return WriteProtection::Folder;
    return WriteProtection::None;
}

void SetAccessProbe(AccessProbe probe) { Probe() = probe; }

bool CanWriteFolder(const QString& folder) {
    const AccessProbe probe = Probe() ? Probe() : &::access;
    return probe(Native(folder).constData(), W_OK | X_OK) == 0;
}

bool IsReadable(const QString& path) {
    const AccessProbe probe = Probe() ? Probe() : &::access;
    return probe(Native(path).constData(), R_OK) == 0 || (errno != EACCES && errno != EPERM);
}

namespace {

// An open descriptor of `path`, locked with flock, when it is a file (or a folder) of this account,
// unchanged for `quietSeconds`, that no one holds an flock on; -1 otherwise.
int LockUnusedLeftover(const QString& path, bool folder, int quietSeconds) {
    struct stat before {};
    if (::lstat(Native(path).constData(), &before) != 0 ||
        !(folder ? S_ISDIR(before.st_mode) : S_ISREG(before.st_mode)) || before.st_uid != geteuid() ||
        before.st_mtime > ::time(nullptr) - quietSeconds)
        return -1;
    Fd fd(::open(Native(path).constData(),
                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (folder ? O_DIRECTORY : 0)));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || opened.st_ino != before.st_ino ||
        opened.st_dev != before.st_dev)
        return -1;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return -1;  // someone is writing or holding it
    return fd.Release();
}

}  // namespace

bool RemoveLeftoverFile(const QString& path, int quietSeconds) {
    const Fd fd(LockUnusedLeftover(path, false, quietSeconds));
    return fd.get() >= 0 && ::unlink(Native(path).constData()) == 0;
}

std::shared_ptr<const void> HoldFileInUse(const QString& path) {
    Fd fd(::open(Native(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0 || ::flock(fd.get(), LOCK_SH | LOCK_NB) != 0) return {};
    return std::make_shared<Fd>(fd.Release());
}

bool RemoveLeftoverFolder(const QString& path, int quietSeconds) {
    const Fd fd(LockUnusedLeftover(path, true, quietSeconds));
    if (fd.get() < 0) return false;
    const QStringList entries =
        QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QByteArray name = Native(entry);
        struct stat facts {};
        if (::fstatat(fd.get(), name.constData(), &facts, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(facts.st_mode) || ::unlinkat(fd.get(), name.constData(), 0) != 0)
            return false;
    }
    return ::rmdir(Native(path).constData()) == 0;
}

RegularFile ReadRegularFile(const QString& path, qint64 limit) {
    return ReadRegularFile(Native(path), limit);
}

RegularFile ReadRegularFile(const QByteArray& path, qint64 limit) {
    RegularFile file;
    const auto fail = [&file](RegularFile::Outcome outcome, int error) {
        file.outcome = outcome;
        file.error = error;
        return file;
    };
    struct stat facts {};
    if (::stat(path.constData(), &facts) != 0) return fail(RegularFile::Outcome::CannotOpen, errno);
    if (!S_ISREG(facts.st_mode)) {
        file.mode = facts.st_mode;
        return fail(RegularFile::Outcome::NotRegular, 0);
    }
    const Fd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return fail(RegularFile::Outcome::CannotOpen, errno);
    if (::fstat(fd.get(), &facts) != 0) return fail(RegularFile::Outcome::ReadFailed, errno);
    if (!S_ISREG(facts.st_mode)) {  // swapped for something else since the look
        file.mode = facts.st_mode;
        return fail(RegularFile::Outcome::NotRegular, 0);
    }
    const qint64 cap = limit >= 0 ? limit : std::numeric_limits<qint64>::max();
    const auto tooLarge = [&](qint64 size) {
        file.size = size;
        file.bytes.clear();
        return fail(RegularFile::Outcome::TooLarge, 0);
    };
    if (facts.st_size > cap) return tooLarge(facts.st_size);
    file.bytes.reserve(static_cast<qsizetype>(facts.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(RegularFile::Outcome::ReadFailed, errno);
        }
        if (n == 0) break;
        file.bytes.append(buffer, n);
        if (file.bytes.size() > cap) return tooLarge(file.bytes.size());  // it grew while being read
    }
    return file;
}

QString FileKindText(mode_t mode) {
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISDIR(mode)) return "a folder";
    return "a special file";
}

}  // namespace dc
