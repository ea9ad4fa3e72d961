#include "platform/SingleInstance.h"

#include <unistd.h>

#include "platform/FileLock.h"

namespace dc {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
}

bool SingleInstance::TryAcquire() {
    if (lock_->tryLock(0)) return true;
    // Only another running copy refuses the start; a lock that cannot be written at all does not.
    return lock_->error() != QLockFile::LockFailedError;
}

QString SingleInstance::DefaultLockPath() {
    return UserLockFolder() + QString("/DadoCorvy-%1.lock").arg(getuid());
}

}  // namespace dc
