#pragma once
// The golfer's open database and the lock on its file, owned together: opened together, closed
// together, and the lock moved with the file when a compaction or the version update puts a new file
// in its place. The application context holds the one of the run.

#include <QString>
#include <functional>
#include <memory>

#include "shell/StoredChanges.h"

namespace dc {

class Database;
class FileLock;

class LiveDatabase {
  public:
    LiveDatabase();
    ~LiveDatabase();
    LiveDatabase(LiveDatabase&&) noexcept;
    LiveDatabase& operator=(LiveDatabase&&) noexcept;

    // Opens the golfer's database for the run. Besides OpenProgramDatabase's errors it throws, with a
    // description that names the file and says why: 70 when the account may not read the file ("cannot
    // be read (permission)"), 3055 when the path is longer than the engine takes ("path too long"), 3027
    // when the file or its folder is write-protected, 3260 when another program holds it (a lock of its
    // own, or another copy of this program holding the file's lock), 3049 when the file is malformed,
    // cut short or SQLite's quick check finds a damaged page, 3050 when the file cannot be locked.
    // Nothing is written to the file. The lock is an flock on the database file itself, so another copy
    // is refused whatever its home or data folder, and by any link. On success the database open before
    // is closed and its lock released; on failure both stay as they were.
    void Open(const QString& path);
    // Takes a database opened elsewhere without the checks above (tools, tests); the lock held stays
    // only when it is that file's.
    void Adopt(std::unique_ptr<Database> db);
    // Closes the database and releases its lock.
    void Close();

    bool IsOpen() const;
    // The open database; DbError 3420 "Object invalid or no longer set." when none is open.
    Database& Connection() const;
    // True while the lock of the database file at `path` is held.
    bool HoldsLock(const QString& path) const;

    // For putting another file in place of the live one (compaction, version update): the connection
    // is closed and the lock kept.
    void CloseConnection();
    // Runs `replace`, which puts the file `replacement` in place of the live database `live`, moving
    // the lock (when held) onto the replacement first, so that the file in place is never left
    // unlocked.
    void ReplaceFile(const QString& replacement, const QString& live, const std::function<void()>& replace);
    // Opens the program database at `path` again after CloseConnection (OpenProgramDatabase); the lock
    // stays when it is that file's. When the file cannot be opened, the lock is released with it.
    void Reopen(const QString& path);

    // Noted on every committed write to the open database and whenever another connection (or
    // none) takes its place.
    StoredChanges& Changes() const { return *changes_; }

  private:
    void Take(std::unique_ptr<Database> db, std::unique_ptr<FileLock> lock);
    void Listen();  // the open database's writes noted on changes_

    // First, so that it outlives the database that notes on it.
    std::unique_ptr<StoredChanges> changes_ = std::make_unique<StoredChanges>();
    std::unique_ptr<Database> gDB;  // the one database of the run
    std::unique_ptr<FileLock> lock_;
};

}  // namespace dc
