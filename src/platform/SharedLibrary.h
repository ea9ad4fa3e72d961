#pragma once
// Facts about the program's shared libraries as the system keeps them, found without loading
// anything: where the dynamic loader would find a library, the version its file name carries, the
// installed package that owns a file, and the operating system's name.

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace dc {

// The folders the loader searches, in its order: LD_LIBRARY_PATH, the folders of /etc/ld.so.conf
// (with its includes), then /lib and /usr/lib.
QStringList LoaderSearchFolders();

// The full path of the first file of that name in those folders whose ELF class is the program's
// (as the loader skips a 32-bit library for a 64-bit program); an empty text when there is none.
// A name with a "/" is taken as a path.
QString FindSharedLibrary(const QString& name);

// The version in a library's real file name, behind its links: "libQt6Core.so.6.4.2" gives
// "6.4.2"; an empty text when the name has none.
QString LibraryFileVersion(const QString& path);

// The installed package that owns the file, and its version, from the package database.
struct InstalledPackage {
    QString name;
    QString version;
};
std::optional<InstalledPackage> OwningPackage(const QString& path);
// The same for many files with one question per kind to the package database (files to packages,
// packages to versions); a file that no package owns is not in the map.
std::map<QString, InstalledPackage> OwningPackages(const QStringList& paths);

// "PRETTY_NAME of os-release (kernel name and release)", such as
// "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0-18-amd64)"; "Unknown" when neither can be read.
QString OperatingSystemName();

}  // namespace dc
