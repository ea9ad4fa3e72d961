#pragma once
// The data files of the earlier version: finding the golfer and course files in a folder, telling
// round files apart, and reading a file's records by number.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "tools/OldRecords.h"

namespace dc {

// One data file held in memory, read by record number (1 to Count()).
class OldDataFile {
  public:
    // False when the file cannot be read.
    bool Open(const QString& path, int recordLength);
    void Close() { bytes_.clear(); }
    qint64 Length() const { return bytes_.size(); }
    int Count() const { return static_cast<int>(RecordCount(bytes_.size(), recordLength_)); }
    // Record n's bytes; empty outside 1 to Count().
    std::span<const uint8_t> Record(int n) const;

  private:
    QByteArray bytes_;
    int recordLength_ = 1;
};

// The file of the folder named `stem` + ".GDB", or + ".DBF" when that is missing or empty; names
// match without regard to letter case. An empty text when neither is there.
QString LocateDataFile(const QString& folder, const QString& stem);

// True when a listed file is a round file (its name does not begin with "COURSE" or "GOLFER" in
// any letter case), and whether it has the .DBF layout.
bool IsRoundFile(const QString& fileName);
bool IsDbfFile(const QString& fileName);

// The folder's files that take part ("*.dbf" and "*.gdb" in any letter case), by name.
QStringList ListDataFiles(const QString& folder);

}  // namespace dc
