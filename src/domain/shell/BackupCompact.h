#pragma once
// Backup and compaction of the live database: a dated copy in DBFiles, a compacted copy written to
// DBFiles/New.MDB and renamed over the live file, and the moment of the run kept in Connect.ini.
// The settings screen asks, shows the stages and reports the errors this returns.

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace dc {

class LiveDatabase;

enum class CompactStage { MakingBackup, Compacting, Successful, Failed };

// Caption and back colour of the status label for a stage.
QString StageCaption(CompactStage stage);
QColor StageColour(CompactStage stage);

// ProgramFolder() + "/DBFiles/CV" + yyyymmdd + ".mdb"
QString DailyBackupPath(const QDate& day);
// ProgramFolder() + "/DBFiles/New.MDB"
QString CompactTargetPath();

// The newest dated backup in DBFiles (by the date in its name), if any.
struct DatedBackup {
    QString path;
    QDate date;
};
std::optional<DatedBackup> NewestDailyBackup();

struct CompactResult {
    bool ok = false;
    QString lastDate;    // the day shown; Connect.ini holds it as LastDate, yyyy-mm-dd
    QString lastTime;    // written as LastTime
    QStringList errors;  // finished error texts to report, in order
};

// Runs the backup and the compaction of the database `db`, open on `dbPathFile`; `showStage` is told
// of each stage (Failed included) as it begins. `db` is closed during the run (its lock held and
// moved onto the new file) and open again afterwards whenever it was open before; after a failure the live
// file is the one that was there before the run. The day shown is written in the order of `dateFormat`.
CompactResult BackupAndCompact(LiveDatabase& db, const QString& dbPathFile, const QString& dateFormat,
                               const std::function<void(CompactStage)>& showStage = {});

}  // namespace dc
