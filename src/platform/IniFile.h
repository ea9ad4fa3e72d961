#pragma once
// Reading and writing single values of an INI file with the classic rules: section and key names
// match without regard to case, values are taken raw (blanks around them removed, and one pair of
// quotes around the whole value), every other line of the file is kept, and the file is replaced
// atomically. Only a regular file of at most kMaxIniFileSize bytes is read: a pipe, a device or a link
// to one is refused rather than waited on or read without end.

#include <QString>

namespace dc {

inline constexpr qint64 kMaxIniFileSize = 16 * 1024;

// The whole value, or an empty text when the file, section or key is missing. Throws AppError
// (kErrFileAccess), naming the file and what to do, when it cannot be read (the permission said) or is
// not a regular file or is too large.
QString ReadIniValue(const QString& section, const QString& key, const QString& path);

// Sets the value, adding the section or key when missing. Returns false when the file cannot be
// written, with the reason in `problem` when given.
bool WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& path,
                   QString* problem = nullptr);

}  // namespace dc
