#include "shell/BackupCompact.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/FileOps.h"
#include "platform/IniFile.h"
#include "shell/DateFormat.h"
#include "shell/ErrorText.h"
#include "shell/LiveDatabase.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"

namespace dc {
namespace {

const QString kTag = "frmSystemSetup, cmdStart_Click";

// The dated copy, written under a temporary name and renamed into place; false when there is no live
// file to copy.
bool MakeBackup(const QString& live, const QString& backup) {
    if (!QFileInfo::exists(live)) return false;  // the compaction reports the missing file
    if (!QDir(QFileInfo(backup).absolutePath()).exists())
        throw AppError(kErrPathNotFound,
                       QString("Path not found: '%1'.").arg(QFileInfo(backup).absolutePath()));
    CopyFileAtomically(live, backup);
    return true;
}

// Writes a compacted, encrypted copy of the live file to the target.
void Compact(const QString& live, const QString& target) {
    RemoveDatabaseFileOrThrow(target);  // a target left by an earlier failed run
    ExportDatabase(live, target);
    // The copy must open with the password and hold the program's tables before it replaces anything.
    OpenProgramDatabase(target)->Close();
}

}  // namespace

QString StageCaption(CompactStage stage) {
    switch (stage) {
        case CompactStage::MakingBackup:
            return "Making Backup";
        case CompactStage::Compacting:
            return "Compacting";
        case CompactStage::Successful:
            return "Successful";
        case CompactStage::Failed:
            return "Error";
    }
    return QString();
}

QColor StageColour(CompactStage stage) {
    switch (stage) {
        case CompactStage::MakingBackup:
            return QColor(0, 255, 255);
        case CompactStage::Compacting:
            return QColor(255, 0, 255);
        case CompactStage::Successful:
            return QColor(0, 255, 0);
        case CompactStage::Failed:
            return QColor(255, 0, 0);
    }
    return QColor();
}

QString DailyBackupPath(const QDate& day) {
    return ProgramFolder() + "/DBFiles/CV" +
           QString("%1%2%3")
               .arg(day.year(), 4, 10, QChar('0'))
               .arg(day.month(), 2, 10, QChar('0'))
               .arg(day.day(), 2, 10, QChar('0')) +
           ".mdb";
}

std::optional<DatedBackup> NewestDailyBackup() {
    static const QRegularExpression name("^CV(\\d{8})\\.mdb$", QRegularExpression::CaseInsensitiveOption);
    std::optional<DatedBackup> newest;
    const QDir folder(ProgramFolder() + "/DBFiles");
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files)) {
        const auto m = name.match(file.fileName());
        if (!m.hasMatch()) continue;
        const QDate date = QDate::fromString(m.captured(1), "yyyyMMdd");
        if (date.isValid() && (!newest || date > newest->date)) newest = DatedBackup{file.filePath(), date};
    }
    return newest;
}

QString CompactTargetPath() { return ProgramFolder() + "/DBFiles/New.MDB"; }

CompactResult BackupAndCompact(LiveDatabase& db, const QString& dbPathFile, const QString& dateFormat,
                               const std::function<void(CompactStage)>& showStage) {
    auto show = [&showStage](CompactStage s) {
        if (showStage) showStage(s);
    };
    CompactResult result;
    const QString live = ResolvedFilePath(dbPathFile.trimmed());
    const QString target = CompactTargetPath();
    const bool wasOpen = db.IsOpen();
    bool replaced = false;
    QString backupSaved;  // the dated backup, once it is in place
    // The folder being written, which names the disk when it is full: the backup and the compacted
    // copy are made in DBFiles, then the copy is put in place of the live file.
    QString writing = QFileInfo(target).absolutePath();

    try {
        // A file that may not be written is not replaced by a writable one.
        if (QFileInfo::exists(live)) ThrowIfWriteProtected(live);
        db.CloseConnection();  // the lock stays until the new file is in place

        show(CompactStage::MakingBackup);
        const QString backup = DailyBackupPath(Today());
        if (MakeBackup(live, backup)) backupSaved = backup;

        show(CompactStage::Compacting);
        Compact(live, target);

        show(CompactStage::Successful);
        SetFileMode(target, FileMode(live));  // the live file keeps its rights
        // One step: the live path always holds a whole database, and the lock goes with it.
        writing = QFileInfo(live).absolutePath();
        db.ReplaceFile(target, live, [&] { MoveFileReplacing(target, live); });
        replaced = true;

        const QDateTime now = Now();
        const QString date = FormatLocalDate(now.date(), dateFormat);
        const QString time = FormatTimeAmPm(now.time());
        // One fixed form in the file, so that another locale reads the same day.
        QString problem;
        if (!WriteIniValue("Path", "LastDate", DbDate(now.date()), IniFilePath(), &problem) ||
            !WriteIniValue("Path", "LastTime", time, IniFilePath(), &problem))
            throw AppError(kErrFileAccess, "Path/File access error: " + IniNotWrittenText(problem));
        result.lastDate = date;
        result.lastTime = time;
        result.ok = true;
    } catch (...) {
        ErrorInfo error = CurrentError();
        if (!backupSaved.isEmpty()) error.saved = "the dated backup '" + backupSaved + "'";
        if (IsDiskFull(error)) error.database = writing;
        result.errors << ErrorText(kTag, error, -1, "Line # ", true);
        if (!replaced) {
            try {
                RemoveDatabaseFileOrThrow(target);
            } catch (...) {
            }
        }
    }

    // The connection never stays closed: reopen the live file (untouched unless the rename ran).
    if (wasOpen || replaced) {
        try {
            db.Reopen(live);
        } catch (...) {
            result.ok = false;
            result.errors << ErrorText(kTag, CurrentError(), -1, "Line # ", true);
        }
    }
    if (!result.ok) show(CompactStage::Failed);
    return result;
}

}  // namespace dc
