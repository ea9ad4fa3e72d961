#include "platform/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace dc {
namespace {

QStringList ReadLines(const QString& path, bool* exists) {
    QFile f(path);
    *exists = f.open(QIODevice::ReadOnly);
    if (!*exists) return {};
    QString text = QString::fromUtf8(f.readAll());
    text.replace("\r\n", "\n");
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
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
        if (inSection && KeyMatches(line, key, &value)) return value;
    }
    return QString("");
}

bool WriteIniValue(const QString& section, const QString& key, const QString& value, const QString& path) {
    bool exists = false;
    QStringList lines = ReadLines(path, &exists);
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
    const QString real = QFileInfo(path).canonicalFilePath();
    QSaveFile out(real.isEmpty() ? path : real);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write((lines.join("\r\n") + "\r\n").toUtf8());
    return out.commit();
}

}  // namespace dc
