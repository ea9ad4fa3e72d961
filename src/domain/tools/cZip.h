#pragma once
// One zip job: the archive's name and the files (or folders of files) to put in it; names are never patterns,
// each stored under its file name without folders. Zip runs the job through mZip.

#include <QString>
#include <QStringList>

namespace dc {

class cZip {
  public:
    QString ZipFile() const { return zipFile_; }
    void SetZipFile(const QString& sFileName) { zipFile_ = sFileName; }

    void ClearFileSpecs() { specs_.clear(); }
    void AddFileSpec(const QString& sSpec) { specs_ << sSpec; }
    const QStringList& FileSpecs() const { return specs_; }

    // Writes a new archive in place of any old one; throws AppError with the reason when it could
    // not be written.
    void Zip();

  private:
    QString zipFile_;
    QStringList specs_;
};

}  // namespace dc
