#pragma once
// Whole-file operations that either succeed or throw an AppError with the file-access number (the
// atomic write returns its error instead): copying, putting a file in place by one atomic rename, removing a
// database file, and the facts about a file that decide whether the program may write it. Copies and renames
// reach the disk (the file is synced before its rename, the folder after it), so a power cut leaves either
// the old file or the whole new one.

#include <sys/types.h>

#include <QByteArray>
#include <QString>
#include <memory>

namespace dc {

// The mode a copy of the golfer's data is created with: readable by its owner only.
inline constexpr mode_t kPrivateFileMode = 0600;

// Copies a file, replacing the target; the copy is created with `mode` and synced.
void CopyFileOrThrow(const QString& from, const QString& to, mode_t mode = kPrivateFileMode);
// Copies under a temporary name beside the target, then renames it into place: the target is
// always either the old file or the whole new one. The copy has `mode` from its creation on.
void CopyFileAtomically(const QString& from, const QString& to, mode_t mode = kPrivateFileMode);
// Replaces the file at `path` by `bytes` in one rename. They are first written to a temporary file
// beside it, named by TemporaryNamePattern, that holds an flock while it is written and is synced
// before the rename. The file keeps its mode; a new one gets `newFileMode` less the umask. Returns 0,
// or the errno of the step that failed, which leaves the file as it was.
int WriteFileAtomically(const QString& path, const QByteArray& bytes, mode_t newFileMode = 0666);
// Throws the AppError of a file operation `what` that failed with errno `error`: 61 for a full disk
// (or quota), else 75, the system's reason in the description.
[[noreturn]] void ThrowFileError(const QString& what, int error);
// The names WriteFileAtomically gives its temporary files beside the file `fileName`, as a regular
// expression: ".<fileName>.dc-tmp-" and six letters or digits, a name no one types, so that only the
// program's own leftovers match it.
QString TemporaryNamePattern(const QString& fileName);
// Renames, replacing the target in one step.
void RenameOrThrow(const QString& from, const QString& to);
// Moves a file onto another path, replacing it in one step. Across file systems, where a rename
// cannot reach, the file is first copied beside the target and then renamed into place.
void MoveFileReplacing(const QString& from, const QString& to);
// The file a path names, through any symbolic links (the path itself when it does not exist), so
// that replacing "the file" replaces the real one rather than the link.
QString ResolvedFilePath(const QString& path);
// Removes a database file and its journal; a file that stays is an error.
void RemoveDatabaseFileOrThrow(const QString& path);
// Removes a temporary file that a run cut short left behind, when nothing shows it is in use: a
// regular file of this account, unchanged for `quietSeconds`, on which no one holds an flock (the
// copies above hold one while they write). True when it was removed.
bool RemoveLeftoverFile(const QString& path, int quietSeconds = 10);
// Removes a private folder of temporary files that a run cut short left behind, with the files in it,
// on the same terms: a folder of this account, unchanged for `quietSeconds`, that no one holds an flock
// on (its maker holds one while it works in it). One that holds anything but plain files stays. True
// when it was removed.
bool RemoveLeftoverFolder(const QString& path, int quietSeconds = 10);
// Marks a file as in use for RemoveLeftoverFile while the handle lives (an flock of its own); empty
// when the file cannot be opened.
std::shared_ptr<const void> HoldFileInUse(const QString& path);
// Creates an empty file with `mode` (refusing an existing one).
void CreateEmptyFile(const QString& path, mode_t mode = kPrivateFileMode);

// The permission bits of a file (0 when it cannot be read), and setting them.
mode_t FileMode(const QString& path);
void SetFileMode(const QString& path, mode_t mode);

// Why a database file cannot be written in place: its own mode, or its folder's (a database needs
// its journal beside it).
enum class WriteProtection { None, File, Folder };
WriteProtection WriteProtectionOf(const QString& path);
// The access() check WriteProtectionOf asks; tests running with every right may replace it
// (nullptr restores the system's).
using AccessProbe = int (*)(const char* path, int mode);
void SetAccessProbe(AccessProbe probe);
// Whether the account may make and replace files in the folder, by the same check.
bool CanWriteFolder(const QString& folder);
// False when the account may not read the file, by the same check (also when a folder on the way
// cannot be entered); a missing file is not called unreadable.
bool IsReadable(const QString& path);

// What reading a file that must be a regular one found.
struct RegularFile {
    enum class Outcome { Read, CannotOpen, NotRegular, TooLarge, ReadFailed };
    Outcome outcome = Outcome::Read;
    int error = 0;     // errno, for CannotOpen and ReadFailed
    mode_t mode = 0;   // the file's kind, for NotRegular
    qint64 size = 0;   // its size, for TooLarge
    QByteArray bytes;  // the contents, for Read
};
// Reads `path` only when it is a regular file, at most `limit` bytes (no limit when negative). Its
// kind is known before it is opened and checked again on what was opened, so a pipe is never waited
// on and a device never read.
RegularFile ReadRegularFile(const QString& path, qint64 limit);
// The same for a path given by its bytes as they stand (a name that is not UTF-8).
RegularFile ReadRegularFile(const QByteArray& nativePath, qint64 limit);
// A file's kind in words, for a message: "a named pipe (FIFO)", "a device", "a folder", ...
QString FileKindText(mode_t mode);

}  // namespace dc
