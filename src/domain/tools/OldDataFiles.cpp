#include "tools/OldDataFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

#include "platform/FileOps.h"

namespace dc {

QString DecodeFileName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString name = utf8.decode(bytes);
    if (!utf8.hasError()) return name;
    return DecodeAnsi({reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())});
}

namespace {

// Far above any file the earlier version wrote (a round file of 100,000 rounds is 24 MB); a larger
// one is not read, and is named as unreadable, rather than exhaust the memory.
constexpr qint64 kMaxOldFileSize = 512LL * 1024 * 1024;

bool IsFolder(const QByteArray& path) {
    struct stat st;
    return stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HasDataExtension(const QByteArray& name) {
    const QByteArray ext = name.right(4).toLower();
    return ext == ".dbf" || ext == ".gdb";
}

// The entries of a folder (its bytes as the system gives them) that `keep` accepts, by their
// name and full path, in the order the system lists them; none when it cannot be read.
template <typename Keep>
QList<OldFile> FolderEntries(const QByteArray& nativeFolder, Keep keep) {
    QList<OldFile> entries;
    QByteArray dir = nativeFolder;
    if (dir.isEmpty()) return entries;
    if (!dir.endsWith('/')) dir += '/';
    DIR* d = opendir(dir.constData());
    if (!d) return entries;
    while (const dirent* e = readdir(d)) {
        const QByteArray name(e->d_name);
        const QByteArray path = dir + name;
        if (keep(name, path)) entries.append(OldFile{DecodeFileName(name), path, {}, true});
    }
    closedir(d);
    return entries;
}

}  // namespace

QList<OldFile> ListOldFiles(const QString& folder) { return ListOldNativeFiles(QFile::encodeName(folder)); }

QList<OldFile> ListOldNativeFiles(const QByteArray& nativeFolder) {
    QList<OldFile> files = FolderEntries(nativeFolder, [](const QByteArray& name, const QByteArray& path) {
        struct stat st;
        return HasDataExtension(name) && stat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
    });
    std::sort(files.begin(), files.end(), [](const OldFile& a, const OldFile& b) { return a.name < b.name; });
    return files;
}

QStringList ListDataFiles(const QString& folder) {
    QStringList names;
    for (const OldFile& f : ListOldFiles(folder)) names << f.name;
    return names;
}

QList<OldFile> ReadOldFolder(const QString& folder) { return ReadOldNativeFolder(QFile::encodeName(folder)); }

QList<OldFile> ReadOldNativeFolder(const QByteArray& nativeFolder) {
    QList<OldFile> files = ListOldNativeFiles(nativeFolder);
    for (OldFile& f : files) {
        RegularFile file = ReadRegularFile(f.path, kMaxOldFileSize);
        f.readable = file.outcome == RegularFile::Outcome::Read;
        f.bytes = std::move(file.bytes);
    }
    return files;
}

QList<OldFile> ListSubfolders(const QByteArray& nativeFolder) {
    // ".", ".." and hidden folders are left out.
    QList<OldFile> folders = FolderEntries(nativeFolder, [](const QByteArray& name, const QByteArray& path) {
        return !name.startsWith('.') && IsFolder(path);
    });
    std::sort(folders.begin(), folders.end(), [](const OldFile& a, const OldFile& b) {
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    });
    return folders;
}

QByteArray ResolveFolder(const QString& path) {
    const QString text = path.trimmed();
    if (!text.startsWith('/')) return {};
    QByteArray native = "/";
    for (const QString& part : text.split('/', Qt::SkipEmptyParts)) {
        if (part == ".") continue;
        if (part == "..") {
            const int cut = native.lastIndexOf('/', native.size() - 2);
            native = cut > 0 ? native.left(cut) : QByteArray("/");
            continue;
        }
        const QByteArray base = native.endsWith('/') ? native : native + '/';
        QByteArray next = base + QFile::encodeName(part);
        if (!IsFolder(next)) {
            next.clear();
            DIR* d = opendir(base.constData());
            if (!d) return {};
            while (const dirent* e = readdir(d)) {
                const QByteArray name(e->d_name);
                if (DecodeFileName(name) == part && IsFolder(base + name)) {
                    next = base + name;
                    break;
                }
            }
            closedir(d);
            if (next.isEmpty()) return {};
        }
        native = next;
    }
    return native;
}

int LocateDataFile(const QList<OldFile>& files, const QString& stem) {
    auto find = [&](const QString& ext) {
        for (int i = 0; i < files.size(); ++i)
            if (files[i].name.compare(stem + "." + ext, Qt::CaseInsensitive) == 0) return i;
        return -1;
    };
    const int gdb = find("GDB");
    if (gdb >= 0) {
        struct stat st;
        const bool empty = files[gdb].readable && files[gdb].bytes.isEmpty() &&
                           (stat(files[gdb].path.constData(), &st) != 0 || st.st_size == 0);
        if (!empty) return gdb;
    }
    const int dbf = find("DBF");
    return dbf >= 0 ? dbf : gdb;
}

bool IsRoundFile(const QString& fileName) {
    const QString head = fileName.left(6).toUpper();
    return head != "COURSE" && head != "GOLFER";
}

bool IsDbfFile(const QString& fileName) { return fileName.right(3).toUpper() == "DBF"; }

std::span<const uint8_t> OldDataFile::Record(int n) const {
    if (n < 1 || n > Count()) return {};
    const auto* data = reinterpret_cast<const uint8_t*>(bytes_.constData());
    return {data + qint64(n - 1) * recordLength_, size_t(recordLength_)};
}

}  // namespace dc
