#include "platform/IniFile.h"

#include <QStringList>
#include <cerrno>
#include <cstring>

#include "platform/DbError.h"
#include "platform/FileOps.h"

namespace dc {
namespace {

[[noreturn]] void Refuse(const QString& path, const QString& why) {
    throw AppError(kErrFileAccess,
                   QString("The settings file '%1' cannot be used: %2. Dado Corvy reads only a regular file "
                           "of at most %3 KB. Remove it (or the link of that name), then choose the database "
                           "again in the Setup screen, which writes a new one.")
                       .arg(path, why)
                       .arg(kMaxIniFileSize / 1024));
}

// The file's lines; none (and `exists` false) when it is missing. Only a regular file is read, up to
// the size limit, and a pipe is never waited on; one that cannot be opened is named with the cause.
QStringList ReadLines(const QString& path, bool* exists) {
    *exists = false;
    const RegularFile file = ReadRegularFile(path, kMaxIniFileSize);
    switch (file.outcome) {
        case RegularFile::Outcome::Read:
            break;
        case RegularFile::Outcome::CannotOpen:
            if (file.error == ENOENT || file.error == ENOTDIR) return {};
            if (file.error == EACCES || file.error == EPERM)
                throw AppError(kErrFileAccess,
                               QString("The settings file '%1' cannot be read (permission): your account may "
                                       "not read the file or open its folder. Give your account the right to "
                                       "read and write the file and to open its folder.")
                                   .arg(path));
            Refuse(path, "it cannot be opened (" + QString::fromLocal8Bit(strerror(file.error)) + ")");
        case RegularFile::Outcome::NotRegular:
            Refuse(path, "it is " + FileKindText(file.mode));
        case RegularFile::Outcome::TooLarge:
            Refuse(path, "it is larger than the limit");
        case RegularFile::Outcome::ReadFailed:
            Refuse(path, QString::fromLocal8Bit(strerror(file.error)));
    }
    *exists = true;
    QString text = QString::fromUtf8(file.bytes);
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

// A value without one pair of matching quotes around it, as the classic reader gives it.
QString Unquoted(const QString& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// The section name of a "[name]" line, or a null text for other lines.
QString SectionOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith('[') && t.contains(']')) return t.mid(1, t.indexOf(']') - 1).trimmed();
    return QString();
}

bool KeyMatches(const QString& line, const QString& key, QString* value) {
    const int eq = line.indexOf('=');
    if (eq < 0) return false;
    if (line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0) return false;
    if (value) *value = line.mid(eq + 1).trimmed();
    return true;
}

}  // namespace

QString ReadIniValue(const QString& section, const QString& key, const QString& path) {
    bool exists = false;
    const QStringList lines = ReadLines(path, &exists);
    bool inSection = false;
    for (const QString& line : lines) {
        const QString s = SectionOf(line);
        if (!s.isNull()) {
            inSection = s.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            continue;
        }
        QString value;
        if (inSection && KeyMatches(line, key, &value)) return Unquoted(value);
    }
    return QString("");
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& path,
                   QString* problem) {
    bool exists = false;
    QStringList lines;
    try {
        lines = ReadLines(path, &exists);
    } catch (const AppError& e) {
        if (problem) *problem = e.description();
        return false;
    }
    int sectionAt = -1, insertAt = -1;
    bool inSection = false, done = false;
    for (int i = 0; i < lines.size() && !done; ++i) {
        const QString s = SectionOf(lines[i]);
        if (!s.isNull()) {
            if (inSection) break;
            inSection = s.compare(section.trimmed(), Qt::CaseInsensitive) == 0;
            if (inSection) sectionAt = insertAt = i;
            continue;
        }
        if (!inSection) continue;
        if (KeyMatches(lines[i], key, nullptr)) {
            lines[i] = key + "=" + value;
            done = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            insertAt = i;
        }
    }
    if (!done) {
        if (sectionAt < 0) {
            if (!lines.isEmpty() && !lines.back().trimmed().isEmpty()) lines << QString();
            lines << "[" + section + "]" << key + "=" + value;
        } else {
            lines.insert(insertAt + 1, key + "=" + value);
        }
    }
    // A linked INI file is rewritten where it really lies; the link stays.
    const int error = WriteFileAtomically(ResolvedFilePath(path), (lines.join("\r\n") + "\r\n").toUtf8());
    if (error != 0 && problem) *problem = QString::fromLocal8Bit(strerror(error));
    return error == 0;
}

}  // namespace dc
