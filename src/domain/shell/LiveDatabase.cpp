#include "shell/LiveDatabase.h"

#include "platform/Database.h"
#include "platform/FileLock.h"
#include "platform/FileOps.h"
#include "shell/ProgramDb.h"

namespace dc {
namespace {

DbError InUse(const QString& path) {
    return DbError(kErrLocked,
                   QString("The Dado Corvy database '%1' is in use by another program.").arg(path));
}

DbError Damaged(const QString& path, QString problem) {
    return DbError(kErrDamaged,
                   QString("The Dado Corvy database '%1' is damaged (%2).")
                       .arg(path, problem.remove("*** in database main ***").simplified().left(200)));
}

}  // namespace

LiveDatabase::LiveDatabase() = default;
LiveDatabase::~LiveDatabase() = default;
// Each keeps its own notice (the screens listening stay connected); the database moved reports to
// its new owner's.
LiveDatabase::LiveDatabase(LiveDatabase&& other) noexcept
    : gDB(std::move(other.gDB)), lock_(std::move(other.lock_)) {
    Listen();
}

LiveDatabase& LiveDatabase::operator=(LiveDatabase&& other) noexcept {
    gDB = std::move(other.gDB);
    lock_ = std::move(other.lock_);
    Listen();
    changes_->Note();
    return *this;
}

void LiveDatabase::Listen() {
    if (gDB) gDB->SetWriteListener([changes = changes_.get()] { changes->Note(); });
}

void LiveDatabase::Open(const QString& path) {
    const QString file = path.trimmed();
    ThrowIfUnreadable(file);
    std::unique_ptr<Database> db;
    try {
        db = OpenProgramDatabase(file);
    } catch (const DbError& e) {
        if (e.number() == kErrLocked) throw InUse(file);
        if (e.number() == kErrDamaged) throw Damaged(file, e.description());
        throw;
    }
    ThrowIfWriteProtected(file);
    if (db->IsReadOnly())
        throw DbError(kErrReadOnly, QString("The Dado Corvy database '%1' cannot be written: it is open for "
                                            "reading only.")
                                        .arg(file));
    // Another copy of the program on the same file, by whatever name or link it was reached and whatever
    // its environment, holds an flock on the file itself. (On a network file system an flock would mix
    // with the engine's own record locks, so there the engine's locks alone guard the file.)
    std::unique_ptr<FileLock> lock;
    const QString real = ResolvedFilePath(file);
    const bool ours = lock_ && lock_->Covers(real);
    if (!ours && !IsOnNetworkFileSystem(real)) {
        try {
            lock = FileLock::TryAcquireExisting(real);
        } catch (const AppError& e) {
            throw DbError(kErrLockFile,
                          e.description() + QString(" The database '%1' itself was not touched.").arg(file));
        }
        if (!lock) throw InUse(file);
    }
    QString problem;
    try {
        problem = db->QuickCheck();
    } catch (const DbError& e) {
        if (e.number() == kErrLocked) throw InUse(file);
        problem = e.description();
    }
    if (!problem.isEmpty()) throw Damaged(file, problem);
    if (ours) lock = std::move(lock_);
    Take(std::move(db), std::move(lock));
}

void LiveDatabase::Adopt(std::unique_ptr<Database> db) {
    std::unique_ptr<FileLock> lock;
    if (db && lock_ && lock_->Covers(db->Path())) lock = std::move(lock_);
    Take(std::move(db), std::move(lock));
}

void LiveDatabase::Close() { Take(nullptr, nullptr); }

// The old connection closes before its lock is released.
void LiveDatabase::Take(std::unique_ptr<Database> db, std::unique_ptr<FileLock> lock) {
    gDB = std::move(db);
    lock_ = std::move(lock);
    Listen();
    changes_->Note();
}

bool LiveDatabase::IsOpen() const { return gDB && gDB->IsOpen(); }

Database& LiveDatabase::Connection() const {
    if (!IsOpen()) throw DbError(kErrNotOpen, "Object invalid or no longer set.");
    return *gDB;
}

bool LiveDatabase::HoldsLock(const QString& path) const { return lock_ && lock_->Covers(path.trimmed()); }

void LiveDatabase::CloseConnection() {
    if (gDB) gDB->Close();
    gDB.reset();
    changes_->Note();
}

void LiveDatabase::ReplaceFile(const QString& replacement, const QString& live,
                               const std::function<void()>& replace) {
    const bool held = HoldsLock(live);
    std::unique_ptr<FileLock> moving;
    if (held) {
        try {
            moving = FileLock::TryAcquireExisting(replacement);
        } catch (const AppError&) {
        }
    }
    replace();
    if (!held) return;
    if (moving && moving->Covers(live)) {
        lock_ = std::move(moving);
        return;
    }
    // Copied across file systems: the file in place is a new one, locked now.
    try {
        if (auto lock = FileLock::TryAcquireExisting(live)) lock_ = std::move(lock);
    } catch (const AppError&) {
    }
}

void LiveDatabase::Reopen(const QString& path) {
    try {
        Adopt(OpenProgramDatabase(path));
    } catch (...) {
        Close();
        throw;
    }
}

}  // namespace dc
