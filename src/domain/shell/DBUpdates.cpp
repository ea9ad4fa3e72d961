#include "shell/DBUpdates.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileOps.h"
#include "shell/ErrorText.h"
#include "shell/Global.h"
#include "shell/LiveDatabase.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/Version.h"
#include "tools/ConvertedStore.h"

namespace dc {
namespace {

UpdateStepHook& StepHook() {
    static UpdateStepHook hook;
    return hook;
}

// The numeric value of the leading digits of one version component ("4b" -> 4, "" -> 0).
qint64 ComponentValue(const QString& part) {
    static const QRegularExpression digits("^\\s*(\\d{1,15})");
    const auto m = digits.match(part);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

// The folder of a path including its last "/", or an empty text for a bare name.
QString FolderOf(const QString& path) {
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

// Column names of a table of the main or the attached database.
QStringList ColumnsOf(Database& db, const QString& schema, const QString& table) {
    QStringList columns;
    Recordset rs = db.OpenRecordset("PRAGMA " + schema + ".table_info(" + table + ")");
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) columns << rs.Fields("name").str();
    rs.Close();
    return columns;
}

QString Quoted(const QString& name) { return "\"" + QString(name).replace("\"", "\"\"") + "\""; }

// Appends every row of old.table to the same table of the fresh copy, columns matched by name;
// columns that only the new layout has keep their defaults.
void CopyRows(Database& fresh, const QString& table) {
    const QStringList oldColumns = ColumnsOf(fresh, "old", table);
    if (oldColumns.isEmpty())
        throw DbError(kErrNoTable,
                      QString("Table '%1' was not found in the database being updated.").arg(table));
    QSet<QString> old;
    for (const QString& c : oldColumns) old.insert(c.toUpper());
    QStringList common;
    for (const QString& c : ColumnsOf(fresh, "main", table))
        if (old.contains(c.toUpper())) common << Quoted(c);
    if (common.isEmpty()) return;
    const QString list = common.join(",");
    QString sql = "Insert Into " + table + " (" + list + ") Select " + list + " From old." + table;
    fresh.Execute(sql);
}

void RemoveDatabaseFile(const QString& path) {
    if (path.isEmpty()) return;
    QFile::remove(path);
    QFile::remove(path + "-journal");
}

}  // namespace

int CompareVersions(const QString& a, const QString& b) {
    const QStringList pa = a.trimmed().split('.');
    const QStringList pb = b.trimmed().split('.');
    const int n = std::max(pa.size(), pb.size());
    for (int i = 0; i < n; ++i) {
        const qint64 x = i < pa.size() ? ComponentValue(pa[i]) : 0;
        const qint64 y = i < pb.size() ? ComponentValue(pb[i]) : 0;
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

bool IsCurrentLayout(const QString& stamp) {
    if (stamp.trimmed().isEmpty()) return false;
    const QString layout = QString("%1.%2.%3").arg(kLayoutMajor).arg(kLayoutMinor).arg(kLayoutRevision);
    return CompareVersions(stamp, layout) >= 0;
}

QString KeptOldFileName(const QString& livePath, const QDateTime& when) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    return FolderOf(livePath) + "CVPre54-" + english.toString(when, "yyyyMMMddHHmmss") + ".MDB";
}

void SetDatabaseUpdateStepHook(UpdateStepHook hook) { StepHook() = std::move(hook); }

UpdateOutcome Database_Updates(LiveDatabase& db, const QString& dbPathFile) {
    UpdateOutcome outcome;
    int step = 0;
    const QString live = ResolvedFilePath(dbPathFile.trimmed());
    QString temp, kept;
    bool closed = false, keptMade = false, replaced = false;
    std::unique_ptr<Database> fresh;
    QString sql;  // the statement of the current step; empty while a step runs none
    auto at = [&step](int n) {
        step = n;
        if (StepHook()) StepHook()(n);
    };

    try {
        // 1. Read the stamp; a Null or a missing row reads as an empty text.
        at(1);
        sql = "Select VERSION From SETUP";
        QString version;
        {
            Recordset rs = db.Connection().OpenRecordset(sql);
            if (!rs.IsEmpty()) {
                rs.MoveFirst();
                version = rs.Fields("VERSION").str().trimmed();
            }
            rs.Close();
        }

        // 2. A database of the current layout (or newer) is left alone.
        at(2);
        if (IsCurrentLayout(version)) {
            // A database of this layout made before the conversions were remembered gets the table;
            // one that may not be written gets it from its next conversion.
            try {
                ConvertedStore(db.Connection()).CreateTable();
            } catch (const DbError&) {
            }
            return outcome;
        }

        // 3. The blank database that the new layout comes from.
        at(3);
        const QString blank = FindFileInTree(ProgramFolder() + "/DBFiles", kBlankDbName);
        if (blank.isEmpty()) {
            outcome.message =
                "Cannot find CV54Blank.MDB file for conversion to version 5.4. Please contact Corvy Systems.";
            return outcome;
        }

        // 4. Names: the kept old file and the copy being built beside the live file.
        at(4);
        kept = KeptOldFileName(live, Now());
        temp = live + ".update.tmp";

        // 5. Release the live file; one that may not be written is not replaced.
        at(5);
        sql = "";
        ThrowIfWriteProtected(live);
        db.CloseConnection();  // the lock stays until the new file is in place
        closed = true;

        // 6. A fresh copy of the blank database under the temporary name.
        at(6);
        RemoveDatabaseFile(temp);
        CopyFileOrThrow(blank, temp);  // readable by its owner alone while it is built

        // 7. Open the copy and attach the old file with the same password.
        at(7);
        fresh = Database::Open(temp, DatabasePassword());
        sql = "ATTACH DATABASE '" + live + "' AS old";
        fresh->Execute("ATTACH DATABASE ? AS old KEY ?", {live, DatabasePassword()});

        {
            Database::Transaction transaction(*fresh);
            // 8. The rows of the four user tables, columns matched by name.
            at(8);
            for (const char* table : {"COURSES", "INDIV_SCORES", "PLAYERS", "SETUP"}) CopyRows(*fresh, table);

            // 9. A database never given a settings row gets the default one, so that it can be stamped.
            at(9);
            sql = "Select Count(*) From SETUP";
            if (fresh->Scalar(sql).toInt() == 0) {
                sql =
                    "Insert Into SETUP (SOUNDS, FLAG_18_9, US_CA_FLAG, LABEL_STYLE, XOFFSET, YOFFSET) "
                    "Values (0, 1, 1, '2', 0, 0)";
                fresh->Execute(sql);
            }

            // 10. Stamp the program's version.
            at(10);
            sql = "Update SETUP Set VERSION='" + VersionText() + "'";
            fresh->Execute(sql);
            transaction.Commit();
        }

        // 11. Finish the copy.
        at(11);
        sql = "DETACH DATABASE old";
        fresh->Execute(sql);
        fresh->Close();
        fresh.reset();
        sql = "";

        // 12. Keep the old file under its dated name; the live path keeps its file meanwhile.
        at(12);
        CopyFileAtomically(live, kept);
        keptMade = true;

        // 13. Put the upgraded copy in place in one step.
        at(13);
        SetFileMode(temp, FileMode(live));  // the live file keeps its rights
        db.ReplaceFile(temp, live, [&] { RenameOrThrow(temp, live); });
        replaced = true;

        // 14. Work on the upgraded file from now on.
        at(14);
        db.Reopen(live);

        // 15. Tell the user where the old file is.
        at(15);
        outcome.message =
            "Your current Dado Corvy database has been updated to version 5.4. A backup file with the "
            "previous "
            "version has also be created (" +
            kept + ").";
    } catch (...) {
        // The original stays where it was: drop the partial copy and reopen the live file.
        try {
            if (fresh) fresh->Close();
        } catch (...) {
        }
        fresh.reset();
        if (!replaced) {
            RemoveDatabaseFile(temp);
            QFile::remove(kept + ".tmp");
            if (keptMade) QFile::remove(kept);
        }
        if (closed && !db.IsOpen()) {
            try {
                db.Reopen(live);
            } catch (...) {
            }
        }
        // The copy being built lies beside the database: a full disk is named by the golfer's file.
        ErrorInfo error = CurrentError();
        if (error.database == temp) error.database = live;
        // The statement (when one ran) comes before the step number in this procedure's text.
        outcome.error =
            ErrorText("DBUpdates, Database_Updates", error, -1, "Line # ", !sql.trimmed().isEmpty()) +
            "\r\nLine # " + QString::number(step);
    }
    return outcome;
}

}  // namespace dc
