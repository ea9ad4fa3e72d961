#include "records/frmUpCRSR.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "records/ReRating.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/LoadedDatabase.h"
#include "shell/ResyncProgress.h"
#include "shell/ScreenBoxes.h"

namespace dc {

frmUpCRSR::frmUpCRSR(AppContext& ctx, int courseId, QWidget* parent)
    : QDialog(parent), ctx_(ctx), courseId_(courseId) {
    setObjectName("frmUpCRSR");
    setWindowTitle("Update for Course/Slope Rating Changes");
    auto* grid = new QGridLayout(this);
    Note1Cap = new QLabel(this);
    Note1Cap->setWordWrap(true);
    optDate_1 = new QRadioButton("Change ALL Occurrances", this);
    optDate_2 = new QRadioButton("Make Changes to game on/after:", this);
    mskDate = new MaskEdBox(this);
    Note2Cap = new QLabel(this);
    cmdUpdate = new QPushButton("&Update", this);
    cmdUpdate->setAutoDefault(false);
    grid->addWidget(Note1Cap, 0, 0, 1, 2);
    grid->addWidget(optDate_1, 1, 0, 1, 2);
    grid->addWidget(optDate_2, 2, 0);
    grid->addWidget(mskDate, 2, 1);
    grid->addWidget(Note2Cap, 3, 0, 1, 2);
    grid->addWidget(cmdUpdate, 4, 0, 1, 2, Qt::AlignHCenter);
    optDate_1->setChecked(true);
    database_ = new LoadedDatabase(ctx_, this, [this] { close(); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
    Form_Load();
}

void frmUpCRSR::Form_Load() {
    try {
        SetDateFormat(*mskDate, ctx_.sDateFormat);
        Note1Cap->setText(
            "Course and/or Slopes have changed for this course.  Choose one of the following to perform the "
            "update.");
        Note2Cap->setText("NOTE: Each game of every player will be altered\n\rand Handicap indices updated.");
        mskDate->SetText(FormatLocalDate(Today(), ctx_.sDateFormat));
    } catch (...) {
        ReportCurrentError("Form UpCRSR, Form_Load", Sql::Without);
    }
}

void frmUpCRSR::DateRefused(const QString& firstLine) {
    WarningSound(ctx_);
    MsgBox(firstLine + "\r\n" +
               (ctx_.sDateFormat == "MM/DD/YYYY" ? "Date must be in the format MM/DD/YYYY."
                                                 : "Date must be in the format DD/MM/YYYY."),
           vbInformation);
    mskDate->setFocus();
}

void frmUpCRSR::cmdUpdate_Click() {
    if (!database_->IsOpen()) {  // the course's database is no longer the open one
        close();
        return;
    }
    const QString text = mskDate->Text();
    if (text.contains('_')) {
        DateRefused("A valid date cannot contain any underscores.");
        return;
    }
    // A complete but impossible date is refused here, before anything is changed.
    std::optional<QDate> from;
    if (optDate_2->isChecked()) {
        from = ParseLocalDate(text, ctx_.sDateFormat);
        if (!from) {
            DateRefused("The date entered is not a valid date.");
            return;
        }
    }
    try {
        ResyncProgress progress(this, /*fromUpCRSR=*/true);
        const ResyncResult done = ReRateAndRecompute(ctx_.Connection(), courseId_, from, &progress);
        ReportErrorTexts(done.errors);
        if (!done.ok) {
            // Nothing was changed.
            setEnabled(true);
            return;
        }
    } catch (...) {
        setEnabled(true);
        ReportCurrentError("Form UpCRSR, cmdUpdate_Click", Sql::With);
        return;
    }
    setEnabled(true);
    close();
}

bool frmUpCRSR::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

}  // namespace dc
