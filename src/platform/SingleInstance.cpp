#include "platform/SingleInstance.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace dc {

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
}

bool SingleInstance::TryAcquire() { return lock_->tryLock(0); }

QString SingleInstance::DefaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QString("/DadoCorvy-%1.lock").arg(getuid());
}

}  // namespace dc
