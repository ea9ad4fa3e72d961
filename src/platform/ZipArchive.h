#pragma once
// A zip archive written through libzip: a new archive of files added under the entry names the
// caller gives. Nothing reaches the disk until Close, which builds the archive in memory and puts it
// in place by one atomic write (WriteFileAtomically): a run cut short leaves only that write's
// temporary file, which start-up removes. A new archive is readable by its owner only, as it may hold
// a copy of the database. Failures are AppError (75 with the reason; 61 for a full disk).

#include <QString>

struct zip;
struct zip_source;

namespace dc {

class ZipArchive {
  public:
    // Replaces any archive at `path` once closed.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();  // an archive not closed is discarded
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Adds (or replaces) an entry with the file's contents, read when the archive is closed.
    void AddFile(const QString& filePath, const QString& entryName);

    void Close();

  private:
    [[noreturn]] void Fail(const QString& what) const;
    zip* archive_ = nullptr;
    zip_source* buffer_ = nullptr;  // the archive's bytes in memory
    QString path_;
};

}  // namespace dc
