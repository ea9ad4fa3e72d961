#pragma once
// Reading and writing single values of an INI file with the classic rules: section and key names
// match without regard to case, values are taken raw (blanks around them removed), every other line
// of the file is kept, and the file is replaced atomically.

#include <QString>

namespace dc {

// The whole value, or an empty text when the file, section or key is missing.
QString ReadIniValue(const QString& section, const QString& key, const QString& path);

// Sets the value, adding the section or key when missing. Returns false when the file cannot be written.
bool WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& path);

}  // namespace dc
