#include "tools/CDLLVersion.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include "platform/SharedLibrary.h"

namespace dc {

QString LocateModule(const QString& name) {
    if (name.contains('/') && !QDir::isAbsolutePath(name)) {
        const QString plugin = QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath)).filePath(name);
        return QFileInfo(plugin).isFile() ? plugin : QString();
    }
    return FindSharedLibrary(name);
}

QString CDLLVersion::GetOSVersion() const { return OperatingSystemName(); }

void CDLLVersion::LoadPackages(const QStringList& modules) {
    QStringList found;
    for (const QString& module : modules) {
        const QString path = module.trimmed().isEmpty() ? QString() : LocateModule(module.trimmed());
        if (!path.isEmpty()) found << path;
    }
    packages_ = query_(found);
    packagesLoaded_ = true;
}

void CDLLVersion::LoadFileInfo(const QString& sModule) {
    path_.clear();
    version_.clear();
    registration_.clear();
    date_ = QDateTime();
    size_ = 0;
    const QString name = sModule.trimmed();
    if (name.isEmpty()) return;
    const QString found = LocateModule(name);
    if (found.isEmpty()) {
        path_ = "Unable to locate " + name;
        return;
    }
    path_ = found;
    if (!packagesLoaded_) packages_ = query_({found});  // no LoadPackages: a question for this file alone
    const auto it = packages_.find(found);
    registration_ = it != packages_.end() ? it->second.name + " " + it->second.version : QString("N/A");
    version_ = LibraryFileVersion(found);
    const QFileInfo real(QFileInfo(found).canonicalFilePath());
    if (real.exists()) {
        size_ = real.size();
        date_ = real.lastModified();
    }
}

}  // namespace dc
