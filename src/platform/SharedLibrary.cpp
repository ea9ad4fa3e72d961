#include "platform/SharedLibrary.h"

#include <sys/utsname.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>

namespace dc {

namespace {

void ReadLdConf(const QString& path, QStringList& folders, int depth) {
    QFile f(path);
    if (depth > 8 || !f.open(QIODevice::ReadOnly | QIODevice::Text)) return;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().section('#', 0, 0).trimmed();
        if (line.isEmpty()) continue;
        if (line.startsWith("include ")) {
            const QFileInfo pattern(QDir(QFileInfo(path).path()).filePath(line.mid(8).trimmed()));
            const QDir dir = pattern.dir();
            for (const QString& name : dir.entryList({pattern.fileName()}, QDir::Files, QDir::Name))
                ReadLdConf(dir.filePath(name), folders, depth + 1);
        } else if (line.startsWith('/')) {
            folders << line;
        }
    }
}

// True when the file is an ELF object of the program's class (32 or 64 bits).
bool ElfOfOurClass(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(5);
    const char ours = sizeof(void*) == 8 ? 2 : 1;
    return head.size() == 5 &&
           head.startsWith(
               "\x7f"
               "ELF") &&
           head[4] == ours;
}

// The program's output; with `partial`, also when it exits with 1 (dpkg-query's answer when some of
// the names asked about are unknown).
QString Run(const QString& program, const QStringList& args, bool partial = false) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() > (partial ? 1 : 0))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The package database names a file by the path its package installed, which on a merged /usr may
// be the /lib or the /usr/lib form of the path found.
QStringList PackagePathsOf(const QString& path) {
    QStringList candidates{path, QFileInfo(path).canonicalFilePath()};
    for (const QString& p : QStringList(candidates)) {
        if (p.startsWith("/usr/lib/"))
            candidates << p.mid(4);
        else if (p.startsWith("/lib/"))
            candidates << "/usr" + p;
    }
    candidates.removeAll(QString());
    candidates.removeDuplicates();
    return candidates;
}

}  // namespace

QStringList LoaderSearchFolders() {
    QStringList folders;
    for (const QString& d :
         qEnvironmentVariable("LD_LIBRARY_PATH").split(QRegularExpression("[:;]"), Qt::SkipEmptyParts))
        folders << d;
    ReadLdConf("/etc/ld.so.conf", folders, 0);
    folders << "/lib"
            << "/usr/lib";
    folders.removeDuplicates();
    return folders;
}

QString FindSharedLibrary(const QString& name) {
    if (name.contains('/')) return QFileInfo(name).isFile() ? name : QString();
    for (const QString& folder : LoaderSearchFolders()) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile() && ElfOfOurClass(path)) return QDir::cleanPath(path);
    }
    return QString();
}

QString LibraryFileVersion(const QString& path) {
    const QString real = QFileInfo(QFileInfo(path).canonicalFilePath()).fileName();
    const int at = real.indexOf(".so.");
    return at < 0 ? QString() : real.mid(at + 4);
}

std::map<QString, InstalledPackage> OwningPackages(const QStringList& paths) {
    QStringList asked;
    for (const QString& path : paths) asked << PackagePathsOf(path);
    asked.removeDuplicates();
    std::map<QString, InstalledPackage> owned;
    if (asked.isEmpty()) return owned;
    // "package: path" per file found; diversions list several packages and are left out.
    QHash<QString, QString> owner;
    for (const QString& line : Run("dpkg-query", QStringList{"-S"} + asked, true).split('\n')) {
        const int colon = line.indexOf(": ");
        if (colon <= 0 || line.startsWith("diversion by ") || line.left(colon).contains(',')) continue;
        if (!owner.contains(line.mid(colon + 2))) owner.insert(line.mid(colon + 2), line.left(colon));
    }
    QStringList packages = owner.values();
    packages.removeDuplicates();
    QHash<QString, QString> version;
    if (!packages.isEmpty()) {
        for (const QString& line :
             Run("dpkg-query", QStringList{"-W", "-f=${binary:Package}\t${Version}\n"} + packages, true)
                 .split('\n'))
            if (line.contains('\t')) version.insert(line.section('\t', 0, 0), line.section('\t', 1));
    }
    for (const QString& path : paths) {
        for (const QString& p : PackagePathsOf(path)) {
            if (!owner.contains(p)) continue;
            owned[path] = InstalledPackage{owner[p], version.value(owner[p]).trimmed()};
            break;
        }
    }
    return owned;
}

std::optional<InstalledPackage> OwningPackage(const QString& path) {
    const auto owned = OwningPackages({path});
    if (owned.empty()) return std::nullopt;
    return owned.begin()->second;
}

QString OperatingSystemName() {
    QString pretty;
    for (const char* file : {"/etc/os-release", "/usr/lib/os-release"}) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
        QTextStream in(&f);
        while (!in.atEnd()) {
            const QString line = in.readLine().trimmed();
            if (line.startsWith("PRETTY_NAME=")) pretty = line.mid(12).remove('"').remove('\'').trimmed();
        }
        break;
    }
    QString kernel;
    utsname u{};
    if (uname(&u) == 0) kernel = QString::fromUtf8(u.sysname) + " " + QString::fromUtf8(u.release);
    if (pretty.isEmpty() && kernel.isEmpty()) return "Unknown";
    if (pretty.isEmpty()) return kernel;
    return kernel.isEmpty() ? pretty : pretty + " (" + kernel + ")";
}

}  // namespace dc
