#include "shell/UpdateDatabase.h"

#include "platform/MsgBox.h"
#include "shell/DBUpdates.h"
#include "shell/ErrorReport.h"

namespace dc {

void UpdateDatabase(LiveDatabase& db, const QString& dbPathFile) {
    const UpdateOutcome outcome = Database_Updates(db, dbPathFile);
    if (!outcome.message.isEmpty()) MsgBox(outcome.message, vbOKOnly);
    if (!outcome.error.isEmpty()) ReportErrorText(outcome.error);
}

}  // namespace dc
