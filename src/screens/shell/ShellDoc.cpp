#include "shell/ShellDoc.h"

#include <QFileInfo>

#include "platform/Desktop.h"
#include "platform/MsgBox.h"
#include "shell/ErrorReport.h"

namespace dc {

void ShellDoc(const QString& documentPath) {
    try {
        if (!QFileInfo::exists(documentPath)) {
            MsgBox("Help File: CV5.PDF not found", vbOKOnly);
            return;
        }
        if (!OpenWithDesktop(documentPath))
            MsgBox("No program is set up to open " + documentPath + ".", vbOKOnly);
    } catch (...) {
        ReportCurrentError("Global, ShellDoc", Sql::Without);
    }
}

}  // namespace dc
