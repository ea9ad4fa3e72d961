#pragma once
// Refuses a second running copy of the program for the same user: an flock on a lock file in the
// user's data folder, held while the program runs. The lock dies with its process, so whatever a
// crash or a power cut left in the file (nothing, stray bytes, another host's name) never refuses a
// start; a lock file that no copy can be holding (unreadable, another account's, not a plain file) is
// taken over, and one that cannot be is named with what to do.

#include <QString>
#include <memory>

namespace dc {

class FileLock;

class SingleInstance {
  public:
    // The lock file's path; tests may name another.
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    ~SingleInstance();
    // False only when another running copy holds the lock. When the lock file cannot be used at all
    // the start goes on, and Problem() says which file or folder and what to do.
    bool TryAcquire();
    const QString& Problem() const { return problem_; }
    static QString DefaultLockPath();

  private:
    QString path_;
    std::unique_ptr<FileLock> lock_;
    QString problem_;
};

}  // namespace dc
