#include "shell/ScreenBoxes.h"

#include <QLineEdit>

#include "platform/MaskEdBox.h"
#include "platform/Spread.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"

namespace dc {

void SetDateFormat(MaskEdBox& box, const QString& dateFormat) {
    try {
        const QString sep = LocaleDateSeparator();
        const QString current = box.Text();
        box.SetMask("##" + sep + "##" + sep + "####");
        if (auto d = ParseAnyDate(current, dateFormat)) box.SetText(FormatLocalDate(*d, dateFormat));
    } catch (...) {
        ReportCurrentError("Global, SetDateFormat", Sql::Without);
    }
}

void ResetSpreadRows(Spread& grid, int rows) {
    grid.SetReDraw(false);
    grid.SetMaxRows(0);
    grid.SetMaxRows(rows);
    grid.SetReDraw(true);
}

void SelectAllText(QLineEdit& box) {
    if (!box.text().isEmpty()) box.selectAll();
}

int& WarningSoundCount() {
    static int nSoundCount = 0;
    return nSoundCount;
}

void WarningSound(AppContext& ctx) {
    if (ctx.bSounds) SoundCounter(WarningSoundCount(), ctx.sMultimediaPath);
}

}  // namespace dc
