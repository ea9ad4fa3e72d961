#include "shell/StartUp.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "platform/Clock.h"
#include "shell/AppContext.h"
#include "shell/BackupCompact.h"
#include "shell/DateFormat.h"
#include "shell/Global.h"
#include "shell/ProgramFolder.h"
#include "shell/SetupStore.h"

namespace dc {

QString ExecutableName() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return name.isEmpty() ? QString("DadoCorvy") : name;
}

void SetDateDefaults(AppContext& ctx) {
    ctx.sDateFormat = DetectDateFormat();
    const QString sep = LocaleDateSeparator();
    ctx.sStartDate = "01" + sep + "01" + sep + QString::number(Today().year());
    ctx.sEndDate = FormatLocalDate(Today(), ctx.sDateFormat);
}

void LoadSetupRow(AppContext& ctx) {
    const std::optional<SetupRow> row = SetupStore(ctx.Connection()).ReadSetupRow();
    if (!row) return;
    ctx.bSounds = row->sounds;
    ctx.bFlag18_9 = row->flag18_9;
    ctx.bUSCAFlag = row->usCaFlag;
}

QString NewestBackupText(const QString& dateFormat) {
    const auto backup = NewestDailyBackup();
    if (!backup) return QString("There is no dated backup in '%1'.").arg(ProgramFolder() + "/DBFiles");
    return QString("The newest backup is '%1', made on %2.")
        .arg(backup->path, FormatLocalDate(backup->date, dateFormat));
}

}  // namespace dc
