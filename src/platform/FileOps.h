#pragma once
// Whole-file operations that either succeed or throw an AppError with the file-access number:
// copying, putting a file in place by one atomic rename, and removing a database file.

#include <QString>

namespace dc {

// Copies a file, replacing the target.
void CopyFileOrThrow(const QString& from, const QString& to);
// Copies under a temporary name beside the target, then renames it into place: the target is
// always either the old file or the whole new one.
void CopyFileAtomically(const QString& from, const QString& to);
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

}  // namespace dc
