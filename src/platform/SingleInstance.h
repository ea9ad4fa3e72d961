#pragma once
// Refuses a second running copy of the program for the same user: a lock file held while the
// program runs, in the user's data folder (a copy that crashed leaves a stale lock that the next
// start takes over).

#include <QLockFile>
#include <QString>
#include <memory>

namespace dc {

class SingleInstance {
  public:
    // The lock file's path; tests may name another.
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    bool TryAcquire();  // false when another copy holds the lock
    static QString DefaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace dc
