#pragma once
// One zip job: the archive's name, its options and the files (or wildcard patterns) to put in it.
// Zip and Delete run the job through mZip. The job tells its owner of progress, asks whether to
// go on and asks for a password through the three event callbacks; no one has to handle them.

#include <QString>
#include <QStringList>
#include <functional>

namespace dc {

class cZip {
  public:
    cZip();

    QString ZipFile() const { return zipFile_; }
    void SetZipFile(const QString& sFileName) { zipFile_ = sFileName; }
    // Folder that relative file patterns and stored folder names are taken from.
    QString BasePath() const { return basePath_; }
    void SetBasePath(const QString& sBasePath) { basePath_ = sBasePath; }

    bool Encrypt = false;                      // asks PasswordRequest for the password
    bool IncludeSystemAndHiddenFiles = false;  // wildcard patterns also take hidden files
    bool StoreVolumeLabel = false;             // zip archives on this system have no volume label
    bool StoreDirectories = false;             // folders get entries of their own
    bool StoreFolderNames = false;             // entry names keep their folders below BasePath
    bool RecurseSubDirs = false;               // a folder or pattern also matches below it
    bool UpdateOnlyIfNewer = false;            // an entry is replaced only by a newer file
    bool FreshenFiles = false;                 // only entries already in the archive are replaced
    bool ConvertCRLFToLF = false;              // kept for the job's description; files are stored as they are
    bool ConvertLFToCRLF = false;
    bool AllowAppend = false;  // add to an existing archive instead of replacing it

    // 0, 1 or 2; any other value leaves the level as it was.
    int MessageLevel() const { return messageLevel_; }
    void SetMessageLevel(int eLevel);

    void ClearFileSpecs() { specs_.clear(); }
    int AddFileSpec(const QString& sSpec);
    int FileSpecCount() const { return static_cast<int>(specs_.size()); }
    // File pattern nIndex, counted from 1; another index throws AppError 9 (subscript out of range).
    QString FileSpec(int nIndex) const;
    const QStringList& FileSpecs() const { return specs_; }

    // Runs the job; throws AppError with the reason when the archive could not be written.
    void Zip();
    // Removes the entries the file patterns name from the archive.
    void Delete();

    // Events.
    std::function<void(const QString& sMsg, bool& bCancel)> Cancel;
    std::function<void(QString& sPassword, bool& bCancel)> PasswordRequest;
    std::function<void(int lCount, const QString& sMsg)> Progress;

  private:
    QString zipFile_;
    QString basePath_;
    int messageLevel_ = 0;
    QStringList specs_;
};

}  // namespace dc
