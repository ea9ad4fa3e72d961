#pragma once
// One zip job: the archive's name, how entries are named and found, and the files (or wildcard
// patterns) to put in it. Zip runs the job through mZip.

#include <QString>
#include <QStringList>

namespace dc {

class cZip {
  public:
    QString ZipFile() const { return zipFile_; }
    void SetZipFile(const QString& sFileName) { zipFile_ = sFileName; }
    // Folder that relative file patterns and stored folder names are taken from.
    QString BasePath() const { return basePath_; }
    void SetBasePath(const QString& sBasePath) { basePath_ = sBasePath; }

    bool StoreFolderNames = false;  // entry names keep their folders below BasePath
    bool RecurseSubDirs = false;    // a folder or pattern also matches below it

    void ClearFileSpecs() { specs_.clear(); }
    void AddFileSpec(const QString& sSpec) { specs_ << sSpec; }
    const QStringList& FileSpecs() const { return specs_; }

    // Writes a new archive in place of any old one; throws AppError with the reason when it could
    // not be written.
    void Zip();

  private:
    QString zipFile_;
    QString basePath_;
    QStringList specs_;
};

}  // namespace dc
