#pragma once
// The data files of the earlier version: listing a folder's files under the names they were
// written with, finding the golfer and course files, telling round files apart, and reading a
// file's records by number.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "tools/OldRecords.h"

namespace dc {

// A listed data file. The earlier version wrote names in Windows-1252: a name whose bytes are not
// UTF-8 is shown decoded from that code page and opened by its bytes as they stand.
struct OldFile {
    QString name;
    QByteArray path;   // the native path, to open the file by
    QByteArray bytes;  // the contents, once read
    bool readable = true;
};

// The folder's files that take part ("*.dbf" and "*.gdb" in any letter case), by name, without
// their contents.
QList<OldFile> ListOldFiles(const QString& folder);
QList<OldFile> ListOldNativeFiles(const QByteArray& nativeFolder);
QStringList ListDataFiles(const QString& folder);
// The listed files with their contents read (a file that cannot be read is marked so).
QList<OldFile> ReadOldFolder(const QString& folder);
QList<OldFile> ReadOldNativeFolder(const QByteArray& nativeFolder);

// A file or folder name's bytes as text: UTF-8 when they are UTF-8, else Windows-1252.
QString DecodeFileName(const QByteArray& bytes);

// The folders inside a folder (hidden ones left out), each with its name as text and its native
// path, sorted by name without regard to letter case.
QList<OldFile> ListSubfolders(const QByteArray& nativeFolder);
// The native path of a folder typed or pasted as text: each part matched to a folder's entry by
// its bytes, else by the name shown for them (a Windows-1252 name shown as text). Empty when
// there is no such folder.
QByteArray ResolveFolder(const QString& path);

// The index in `files` of `stem` + ".GDB", or + ".DBF" when that is missing or empty; names
// match without regard to letter case. -1 when neither is there.
int LocateDataFile(const QList<OldFile>& files, const QString& stem);

// True when a listed file is a round file (its name does not begin with "COURSE" or "GOLFER" in
// any letter case), and whether it has the .DBF layout.
bool IsRoundFile(const QString& fileName);
bool IsDbfFile(const QString& fileName);

// A file's contents read by record number (1 to Count()); the bytes must outlive it.
class OldDataFile {
  public:
    OldDataFile(const QByteArray& bytes, int recordLength)
        : bytes_(bytes), recordLength_(recordLength > 0 ? recordLength : 1) {}
    OldDataFile(QByteArray&&, int) = delete;  // it keeps a reference to the bytes
    qint64 Length() const { return bytes_.size(); }
    int Count() const { return static_cast<int>(RecordCount(bytes_.size(), recordLength_)); }
    // Bytes after the last whole record.
    int StrayBytes() const { return static_cast<int>(bytes_.size() % recordLength_); }
    // Record n's bytes; empty outside 1 to Count().
    std::span<const uint8_t> Record(int n) const;

  private:
    const QByteArray& bytes_;
    int recordLength_;
};

}  // namespace dc
