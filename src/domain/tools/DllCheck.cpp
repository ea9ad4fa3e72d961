#include "tools/DllCheck.h"

#include <QDir>

#include "shell/DateFormat.h"
#include "tools/CDLLVersion.h"
#include "tools/DllCheckStore.h"

namespace dc {

namespace {

// The file a row names: its program row checks the file in the program's folder.
QString ModuleOfRow(const QString& fileName, const QString& programFolder) {
    return fileName.trimmed().compare(kProgramFileName, Qt::CaseInsensitive) == 0
               ? QDir(programFolder).filePath(kProgramFileName)
               : fileName;
}

}  // namespace

DllCheckOutcome RunDllCheck(Database& db, CDLLVersion& facts, const QString& programFolder,
                            const QDate& today, const QString& dateFormat) {
    DllCheckStore store(db);
    store.ClearFindings();
    DllCheckOutcome out;
    const QString os = facts.GetOSVersion();
    out.heading = "File version verification " + FormatLocalDate(today, dateFormat) + " on " + os;

    const std::vector<ExpectedFile> rows = store.Rows();
    QStringList modules;
    for (const ExpectedFile& row : rows) modules << ModuleOfRow(row.fileName, programFolder);
    facts.LoadPackages(modules);  // one question to the package database for every row
    for (const ExpectedFile& row : rows) {
        const int number = row.orderIndex;
        if (row.fileName == "OSVersion") {
            store.StoreFinding(number, Finding::FileVersion, os);
            continue;
        }
        facts.LoadFileInfo(ModuleOfRow(row.fileName, programFolder));
        DllCheckLine line;
        line.cells[0] = facts.FilePathName();
        if (line.cells[0].left(16).toUpper() == "UNABLE TO LOCATE") {
            line.marked.fill(true);
            store.StoreFinding(number, Finding::Registered, "Unable to Locate");
            out.lines.push_back(line);
            continue;
        }
        const QString package = row.package.trimmed();
        const QString expectedReg = package.isEmpty() ? "N/A" : package + " " + row.packageVersion.trimmed();
        line.cells[1] = facts.FileRegistrationInfo();
        line.marked[1] = line.cells[1] != expectedReg;
        store.StoreFinding(number, Finding::Registered, line.cells[1]);

        if (facts.FileDate().isValid()) {
            // The expected dates are the build's in UTC: a file's day is compared in UTC too, so that a
            // golfer in another time zone than the build's does not see every date marked.
            const QDate date = facts.FileDate().toUTC().date();
            line.cells[2] = FormatLocalDate(date, dateFormat);
            const auto expected = ParseStoredDate(row.fileDate);
            if (!expected || *expected != date) {
                line.marked[2] = true;
                store.StoreFinding(number, Finding::FileDate, DbDate(date));
            }
        }
        if (facts.FileSize() != 0) {
            line.cells[3] = QString::number(facts.FileSize());
            if (row.fileSize != facts.FileSize()) {
                line.marked[3] = true;
                store.StoreFinding(number, Finding::FileSize, QString::number(facts.FileSize()));
            }
        }
        line.cells[4] = facts.FileVersion();
        if (row.fileVersion != line.cells[4]) {
            line.marked[4] = true;
            store.StoreFinding(number, Finding::FileVersion, line.cells[4]);
        }
        out.lines.push_back(line);
    }
    return out;
}

}  // namespace dc
