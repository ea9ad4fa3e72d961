#include "platform/SharedLibrary.h"

#include <sys/utsname.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
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

std::optional<InstalledPackage> OwningPackage(const QString& path) {
    // The package database names a file by the path its package installed, which on a merged /usr
    // may be the /lib or the /usr/lib form of the path found.
    QStringList candidates{path, QFileInfo(path).canonicalFilePath()};
    for (const QString& p : QStringList(candidates)) {
        if (p.startsWith("/usr/lib/"))
            candidates << p.mid(4);
        else if (p.startsWith("/lib/"))
            candidates << "/usr" + p;
    }
    candidates.removeDuplicates();
    for (const QString& p : candidates) {
        if (p.isEmpty()) continue;
        const QString owner = Run("dpkg-query", {"-S", p}).section('\n', 0, 0);
        const int colon = owner.indexOf(": ");
        if (colon <= 0 || owner.left(colon).contains(',')) continue;  // diversions list several
        const QString package = owner.left(colon);
        const QString version = Run("dpkg-query", {"-W", "-f=${Version}", package}).trimmed();
        return InstalledPackage{package, version};
    }
    return std::nullopt;
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
