#pragma once
// An exclusive lock tied to a file, held while the object lives: an flock on a lock file (created
// when missing). A second holder, in this process or another, is refused; the lock ends with the
// process, so a crash never leaves it taken.

#include <QString>
#include <memory>

namespace dc {

class FileLock {
  public:
    // The lock, or nullptr when another holder has it. A lock file this account may not write (made
    // by another account) is locked through a read-only handle. Throws AppError (kErrLockFile),
    // naming the lock file and what to do, when it cannot be created or opened at all.
    static std::unique_ptr<FileLock> TryAcquire(const QString& lockPath);
    ~FileLock();
    const QString& Path() const { return path_; }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    FileLock(int fd, const QString& path) : fd_(fd), path_(path) {}
    int fd_;
    QString path_;
};

// The user's folder for the program's lock files (created when missing): one place whatever the
// session's temporary folder.
QString UserLockFolder();

// The lock file of an existing file, the same whatever name reaches the file (a symbolic or hard
// link, a path through ".."): named after its device and inode, in UserLockFolder(). Empty when
// the file does not exist.
QString LockPathForFile(const QString& path);

}  // namespace dc
