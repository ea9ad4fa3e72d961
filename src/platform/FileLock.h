#pragma once
// An exclusive lock tied to a file, held while the object lives: an flock on a lock file (created
// when missing). A second holder, in this process or another, is refused; the lock ends with the
// process, so a crash never leaves it taken.

#include <QString>
#include <memory>

namespace dc {

class FileLock {
  public:
    // The lock, or nullptr when another holder has it. Throws AppError when the lock file cannot
    // be created or opened.
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

}  // namespace dc
