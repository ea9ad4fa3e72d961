#include "tools/DllCheck.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Database.h"
#include "shell/DateFormat.h"
#include "shell/ProgramDb.h"
#include "tools/CDLLVersion.h"

namespace dc {

namespace {

// The file a row names: its program row checks the file in the program's folder.
QString ModuleOfRow(const QString& fileName, const QString& programFolder) {
    return fileName.trimmed().compare(kProgramFileName, Qt::CaseInsensitive) == 0
               ? QDir(programFolder).filePath(kProgramFileName)
               : fileName;
}

void Update(Database& db, const QString& column, const QVariant& value, int orderIndex) {
    QString sql = "Update DLLCHECK Set " + column + "=? Where ORDERINDEX=?";
    db.Execute(sql, {value, orderIndex});
}

}  // namespace

void RefreshExpectedRows(Database& db, const QString& blankPath) {
    if (!QFileInfo::exists(blankPath)) return;
    db.Execute("ATTACH DATABASE ? AS shipped KEY ?", {blankPath, DatabasePassword()});
    try {
        if (db.Scalar("Select count(*) From shipped.DLLCHECK").toInt() > 0) {
            Database::Transaction refresh(db);
            db.Execute("Delete From DLLCHECK");
            db.Execute("Insert Into DLLCHECK Select * From shipped.DLLCHECK");
            refresh.Commit();
        }
    } catch (...) {
        db.Execute("DETACH DATABASE shipped");
        throw;
    }
    db.Execute("DETACH DATABASE shipped");
}

DllCheckOutcome RunDllCheck(Database& db, CDLLVersion& facts, const QString& programFolder, const QDate& today,
                            const QString& dateFormat) {
    QString sql =
        "Update DLLCHECK Set ACTUALREGISTERED='',ACTUALFILESIZE=0,ACTUALFILEDATE='',ACTUALFILEVERSION=''";
    db.Execute(sql);
    DllCheckOutcome out;
    const QString os = facts.GetOSVersion();
    out.heading = "File version verification " + FormatLocalDate(today, dateFormat) + " on " + os;

    sql = "Select * From DLLCHECK Order By ORDERINDEX";
    Recordset rs = db.OpenRecordset(sql);
    QStringList modules;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) modules << ModuleOfRow(rs["FileName"].str(), programFolder);
    facts.LoadPackages(modules);  // one question to the package database for every row
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const int number = static_cast<int>(rs["ORDERINDEX"].toLong());
        const QString fileName = rs["FileName"].str();
        if (fileName == "OSVersion") {
            Update(db, "ACTUALFILEVERSION", os, number);
            continue;
        }
        facts.LoadFileInfo(ModuleOfRow(fileName, programFolder));
        DllCheckLine line;
        line.cells[0] = facts.FilePathName();
        if (line.cells[0].left(16).toUpper() == "UNABLE TO LOCATE") {
            line.marked.fill(true);
            Update(db, "ACTUALREGISTERED", "Unable to Locate", number);
            out.lines.push_back(line);
            continue;
        }
        const QString package = rs["CLSID"].str().trimmed();
        const QString expectedReg =
            package.isEmpty() ? "N/A" : package + " " + rs["CLSIDVER"].str().trimmed();
        line.cells[1] = facts.FileRegistrationInfo();
        line.marked[1] = line.cells[1] != expectedReg;
        Update(db, "ACTUALREGISTERED", line.cells[1], number);

        if (facts.FileDate().isValid()) {
            const QDate date = facts.FileDate().date();
            line.cells[2] = FormatLocalDate(date, dateFormat);
            const auto expected = ParseStoredDate(rs["FileDate"].str());
            if (!expected || FormatLocalDate(*expected, dateFormat) != line.cells[2]) {
                line.marked[2] = true;
                Update(db, "ACTUALFILEDATE", DbDate(date), number);
            }
        }
        if (facts.FileSize() != 0) {
            line.cells[3] = QString::number(facts.FileSize());
            if (rs["FileSize"].toLong() != facts.FileSize()) {
                line.marked[3] = true;
                Update(db, "ACTUALFILESIZE", QString::number(facts.FileSize()), number);
            }
        }
        line.cells[4] = facts.FileVersion();
        if (rs["FileVersion"].str() != line.cells[4]) {
            line.marked[4] = true;
            Update(db, "ACTUALFILEVERSION", line.cells[4], number);
        }
        out.lines.push_back(line);
    }
    return out;
}

}  // namespace dc
