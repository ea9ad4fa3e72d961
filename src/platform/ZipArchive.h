#pragma once
// A zip archive written through libzip: a new archive of files added under the entry names the
// caller gives. Nothing reaches the disk until Close, which writes the whole archive under a
// temporary name and renames it into place. A new archive is readable by its owner only, as it may
// hold a copy of the database. Failures are AppError (75, with libzip's reason).

#include <QString>

struct zip;

namespace dc {

class ZipArchive {
  public:
    // Replaces any archive at `path` once closed.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();  // an archive not closed is discarded (a new one removed)
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Adds (or replaces) an entry with the file's contents, read when the archive is closed.
    void AddFile(const QString& filePath, const QString& entryName);

    void Close();

  private:
    [[noreturn]] void Fail(const QString& what) const;
    zip* archive_ = nullptr;
    QString path_;
    bool created_ = false;  // the file did not exist before
};

}  // namespace dc
