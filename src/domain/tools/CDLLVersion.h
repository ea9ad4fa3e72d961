#pragma once
// The facts about one file that the system file check compares with its expectations: where it is
// found, the installed package that owns it, its date, size and version, and the operating system's
// name. One object serves a whole check; each LoadFileInfo replaces every fact.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

#include "platform/SharedLibrary.h"

namespace dc {

// The installed packages that own these files, with their versions; a file no package owns is left out.
using PackageQuery = std::function<std::map<QString, InstalledPackage>(const QStringList& paths)>;

class CDLLVersion {
  public:
    // `query` answers the questions to the package database: the system's unless another is given.
    explicit CDLLVersion(PackageQuery query = OwningPackages) : query_(std::move(query)) {}

    QString FilePathName() const { return path_; }
    QDateTime FileDate() const { return date_; }  // invalid when it cannot be read
    qint64 FileSize() const { return size_; }     // 0 when it cannot be read
    QString FileVersion() const { return version_; }
    QString FileRegistrationInfo() const { return registration_; }

    // The running system: os-release's name and the kernel.
    QString GetOSVersion() const;

    // sModule: a library's file name (found as the dynamic loader would, without loading it), a
    // path relative to Qt's plugin folder ("platforms/libqxcb.so"), or an absolute path; an empty
    // text clears the facts. Not found: the path reads "Unable to locate " and the name, and the
    // other facts are empty. Found: the path found, the owning package and its version ("N/A" when
    // no package owns the file), the version in the real file's name, its size and date.
    void LoadFileInfo(const QString& sModule);

    // Asks the package database once about the owners of all these modules, so that LoadFileInfo
    // of each of them needs no question of its own.
    void LoadPackages(const QStringList& modules);

  private:
    PackageQuery query_;
    std::map<QString, InstalledPackage> packages_;  // by the path found
    bool packagesLoaded_ = false;
    QString path_, version_, registration_;
    QDateTime date_;
    qint64 size_ = 0;
};

// Where LoadFileInfo looks for a name; an empty text when it is not there.
QString LocateModule(const QString& name);

}  // namespace dc
