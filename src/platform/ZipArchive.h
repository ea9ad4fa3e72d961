#pragma once
// A zip archive written through libzip: files added under the entry names the caller gives,
// optionally encrypted, entries removed or looked up. Nothing reaches the disk until Close, which
// writes the whole archive under a temporary name and renames it into place. A new archive is
// readable by its owner only, as it may hold a copy of the database. Failures are AppError (75,
// with libzip's reason).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

struct zip;

namespace dc {

class ZipArchive {
  public:
    enum class Mode { Replace, Append };
    ZipArchive(const QString& path, Mode mode);
    ~ZipArchive();  // an archive not closed is discarded (a new one removed)
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Adds (or replaces) an entry with the file's contents, read when the archive is closed.
    // A non-empty password encrypts the entry (AES-256).
    void AddFile(const QString& filePath, const QString& entryName, const QString& password = QString());
    void AddDirectory(const QString& entryName);
    // Removes an entry; false when there is none of that name.
    bool Remove(const QString& entryName);
    // The modification time of an entry, when it exists.
    std::optional<QDateTime> EntryTime(const QString& entryName) const;
    QStringList EntryNames() const;

    void Close();

  private:
    [[noreturn]] void Fail(const QString& what) const;
    zip* archive_ = nullptr;
    QString path_;
    bool created_ = false;  // the file did not exist before
};

}  // namespace dc
