#include "platform/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"
#include "platform/FileLock.h"

namespace dc {
namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

QString FolderProblem(const QString& folder, int error) {
    return QString(
               "Dado Corvy keeps its lock file in the folder '%1', which your account cannot write (%2). "
               "Give your account the right to read, write and open that folder (as its owner: chmod u+rwx "
               "on it), or make your account its owner. Dado Corvy starts anyway, but cannot tell whether "
               "another copy is running.")
        .arg(folder, QString::fromLocal8Bit(strerror(error)));
}

// Makes a lock file that no running copy can be holding usable again: a link, pipe or other
// non-file under the lock's name is removed, and the owner's own unreadable file is made readable.
void Repair(const QString& path) {
    struct stat st {};
    if (::lstat(Native(path).constData(), &st) != 0) return;
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        ::unlink(Native(path).constData());
    } else if (S_ISREG(st.st_mode) && st.st_uid == geteuid() && (st.st_mode & 0600) != 0600) {
        ::chmod(Native(path).constData(), 0644);
    }
}

// True when the file belongs to another account: a copy of the program locks only the file named
// after its own account, so no copy can be holding this one.
bool OwnedByAnother(const QString& path) {
    struct stat st {};
    return ::lstat(Native(path).constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid != geteuid();
}

}  // namespace

SingleInstance::SingleInstance(const QString& lockPath) : path_(lockPath) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire() {
    if (lock_) return true;
    problem_.clear();
    const QString folder = QFileInfo(path_).absolutePath();
    QDir().mkpath(folder);
    if (::access(Native(folder).constData(), W_OK | X_OK) != 0) {
        const int error = errno;
        // A lock file already there may still be locked through a read-only handle.
        if (!QFileInfo(path_).isFile()) {
            problem_ = FolderProblem(folder, error);
            return true;
        }
    }
    Repair(path_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            lock_ = FileLock::TryAcquire(path_);
            return lock_ != nullptr;  // nullptr: another running copy holds it
        } catch (const AppError& e) {
            if (attempt == 0 && OwnedByAnother(path_) && ::unlink(Native(path_).constData()) == 0) continue;
            problem_ = e.description();
        }
    }
    return true;
}

QString SingleInstance::DefaultLockPath() {
    return UserLockFolder() + QString("/DadoCorvy-%1.lock").arg(getuid());
}

}  // namespace dc
