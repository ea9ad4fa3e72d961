#pragma once
// An exclusive lock tied to a file, held while the object lives: an flock on an open descriptor of
// the file. A second holder, in this process or another, is refused; the lock ends with the process,
// so a crash never leaves it taken, and whatever the file holds (nothing, stray bytes) does not matter.
// flock is kept apart from the database engine's own record locks (fcntl), so a database file itself
// can carry it.

#include <sys/types.h>

#include <QString>
#include <memory>

namespace dc {

class FileLock {
  public:
    // The lock of a lock file (created when missing), or nullptr when another holder has it. A lock file
    // this account may not write (made by another account) is locked through a read-only handle.
    // Throws AppError (kErrLockFile), naming the lock file and what to do, when it cannot be created or
    // opened at all.
    static std::unique_ptr<FileLock> TryAcquire(const QString& lockPath);
    // The lock of an existing file itself (through symbolic links), never creating it; nullptr when
    // another holder has it. Throws AppError (kErrLockFile) when the file cannot be opened or locked.
    static std::unique_ptr<FileLock> TryAcquireExisting(const QString& path);
    ~FileLock();
    const QString& Path() const { return path_; }
    // The locked file's device and inode: the lock goes with the file under any name.
    dev_t Device() const { return device_; }
    ino_t Inode() const { return inode_; }
    // True when `path` names the locked file (by any link).
    bool Covers(const QString& path) const;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    FileLock(int fd, const QString& path);
    // Locks the open descriptor: its lock, or nullptr (the descriptor closed) when another holds it.
    static std::unique_ptr<FileLock> LockDescriptor(int fd, const QString& path);
    int fd_;
    QString path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

// True when the file lies on a network file system (NFS, SMB), where an flock is turned into a record
// lock that would mix with the database engine's own.
bool IsOnNetworkFileSystem(const QString& path);

// The user's folder for the program's lock files (created when missing): one place whatever the
// session's temporary folder.
QString UserLockFolder();

}  // namespace dc
