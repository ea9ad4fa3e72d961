// The main screen's buttons that open the program's other screens, and Exit.
#include <QComboBox>
#include <QRegularExpression>

#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "records/frmCourseSetup.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/DialogBase.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ListLoaders.h"
#include "shell/OneWindow.h"
#include "shell/ShellDoc.h"
#include "shell/frmCalendar.h"
#include "shell/frmSystemSetup.h"

namespace dc {

using namespace mainscreen;

void frmMainGolf::cmdExit_Click() {
    try {
        if (!SaveQuestionsOfOpenScreens(*this)) return;
        if (!AskToSave("Save the changes before exiting?", vbYesNoCancel + vbQuestion, false, OnNo::Leave))
            return;
        if (EndProgram) EndProgram();
    } catch (...) {
        ReportCurrentError(kTag + "cmdExit_Click", Sql::Without);
    }
}

void frmMainGolf::cmdCalendar_Click() {
    const QString shown =
        mskDate->Text().trimmed() == "__/__/____" || !mskDate->Text().contains(QRegularExpression("\\d"))
            ? TodayText(ctx_.sDateFormat)
            : mskDate->Text();
    // Closed without a choice, the date it opened on is shown.
    const QString date = frmCalendar::Choose(shown, ctx_.sDateFormat, this).value_or(shown);
    if (ParseLocalDate(date, ctx_.sDateFormat)) mskDate->SetText(date);
}

void frmMainGolf::cmdCourse_Click() {
    if (BringOpenToFront<frmCourseSetup>(*this)) return;  // one course editor
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    ctx_.nCurCourseID = SelectedItemData(*cboCourse);
    SetMousePointer(Pointer::Hourglass);
    if (ShowCourseEditor)
        ShowCourseEditor();  // modeless; its closing calls Form_Activate
    else
        SetMousePointer(Pointer::Default);
}

void frmMainGolf::cmdScoreCard_Click() {
    SetMousePointer(Pointer::Hourglass);
    Form_Activate(ShowScoreCard ? ShowScoreCard() : 0);
}

void frmMainGolf::cmdSetup_Click() {
    if (BringOpenToFront<frmSystemSetup>(*this)) return;  // one settings screen
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    auto* setup = new frmSystemSetup(ctx_, this);
    // Before another database takes the open one's place, each open editor asks its own question
    // and then the round typed here is asked about, as Exit asks: Yes stores into the database the
    // edits came from, Cancel keeps that database open.
    setup->LeaveDatabase = [this, setup] {
        CommitTyping();
        return SaveQuestionsOfOpenScreens(*this, setup) &&
               AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false, OnNo::Leave);
    };
    connect(setup, &QDialog::finished, this, [this, setup] { Form_Activate(setup->nReturnCode); });
    ShowBeside(*setup);
}

void frmMainGolf::OpenForShownCourseAndPlayer(const std::function<ScreenAnswer()>& show) {
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
    ctx_.nCurCourseID = SelectedItemData(*cboCourse);
    ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    SetMousePointer(Pointer::Hourglass);
    Form_Activate(show ? show() : ScreenAnswer{});
}

void frmMainGolf::cmdGraphs_Click() { OpenForShownCourseAndPlayer(ShowGraphs); }

void frmMainGolf::cmdGameList_Click() { OpenForShownCourseAndPlayer(ShowGameList); }

void frmMainGolf::cmdHandicaps_Click() {
    try {
        if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) return;
        if (cboCourse->currentIndex() >= 0) ctx_.nCurCourseID = SelectedItemData(*cboCourse);
        SetMousePointer(Pointer::Hourglass);
        Form_Activate(ShowHandicap ? ShowHandicap() : 0);
    } catch (...) {
        ReportCurrentError(kTag + "cmdHandicaps_Click", Sql::Without);
    }
}

void frmMainGolf::cmdStats_Click() {
    SetMousePointer(Pointer::Hourglass);
    if (!AskToSave("Save the changes?", vbYesNoCancel + vbQuestion, false)) {
        SetMousePointer(Pointer::Default);
        return;
    }
    Form_Activate(ShowStats ? ShowStats() : ScreenAnswer{});
}

void frmMainGolf::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

}  // namespace dc
