#pragma once
// The DLLCHECK table: the expected facts of each file the system file check looks at (written at build
// time into the blank database) and the facts last found (its ACTUAL columns). Each call throws
// DbError on failure.

#include <QString>
#include <QVariant>
#include <vector>

namespace dc {

class Database;

// One row's expected facts, as stored.
struct ExpectedFile {
    int orderIndex = 0;
    QString fileName;
    QString package, packageVersion;  // CLSID and CLSIDVER
    QString fileDate;                 // as stored (DbDate form)
    qint64 fileSize = 0;
    QString fileVersion;
};

// The ACTUAL column a finding goes to.
enum class Finding { Registered, FileDate, FileSize, FileVersion };

class DllCheckStore {
  public:
    explicit DllCheckStore(Database& db) : db_(db) {}

    // Replaces the rows by those of the blank database at `blankPath`, which the build wrote for the
    // program it made: a golfer's database made by another build (or before the rows were generated)
    // would otherwise check against facts of another program, or against none. One transaction;
    // nothing changes when the blank database or its rows are missing.
    void RefreshExpectedRows(const QString& blankPath);
    // The rows in their order.
    std::vector<ExpectedFile> Rows();
    // Empties every row's findings.
    void ClearFindings();
    // Stores one finding of the row `orderIndex`.
    void StoreFinding(int orderIndex, Finding finding, const QVariant& value);

  private:
    Database& db_;
};

}  // namespace dc
