// The main screen's new round: the screen cleared, the previous indexes and kept values it starts with.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "entry/MainRoundStore.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "records/CourseStore.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"

namespace dc {

using namespace mainscreen;

void frmMainGolf::Clear_Screen() {
    try {
        mskDate->SetText(TodayText(ctx_.sDateFormat));
        chkUseHandicap->setChecked(true);
        spISC->SetReDraw(false);
        const bool noCourse = cboCourse->currentIndex() == -1 && cboTeeBox->currentIndex() == -1;
        for (int h = 1; h <= 18; ++h) {
            if (noCourse)
                for (int r : {kRowYards, kRowHcp, kRowPar}) SetHoleText(r, h, QString());
            SetHoleText(kRowGross, h, QString());
            SetHoleText(kRowPutts, h, QString());
            for (int r : {kRowGir, kRowSand, kRowFHit}) SetHoleTick(r, h, 0);
        }
        if (noCourse)
            for (int r : {kRowYards, kRowHcp, kRowPar}) Calc_Row_Scores(r);
        for (int r = kRowGross; r <= kRowFHit; ++r) Calc_Row_Scores(r);
        spISC->SetReDraw(true);
        for (QLabel* l :
             {lblHI[1], lblTHI[1], lblAllowScore[1], lblAdjScore[1], lblCurrIndex[1], lblCourseHcp[1]})
            l->setText(QString());
        txtGameCost->clear();
        txtCartCost->clear();
        txtOtherCost->clear();
        txtNotes->clear();
        ++newRoundSerial_;  // another round from here on: its tee box warns once more
        MarkNewRoundStart();
    } catch (...) {
        spISC->SetReDraw(true);
        ReportCurrentError(kTag + "Clear_Screen", Sql::Without);
    }
}

void frmMainGolf::MarkNewRoundStart() {
    round.SetStart({mskDate->Text(), chkUseHandicap->isChecked() ? 1 : 0, chkUseTourn->isChecked() ? 1 : 0});
}

// The previous indexes of a new round: those in effect on its date, after the rounds it will follow
// once stored (the player's rounds of that day and before; all of them while no date is typed), as
// the save's recomputation takes them; the starting values while it would be game 1 or 2.
void frmMainGolf::SetPrevIndexesForNewRound(int playerId) {
    const RoundsBefore before = MainRoundStore(ctx_.Connection())
                                    .RoundsUpTo(playerId, ParseLocalDate(mskDate->Text(), ctx_.sDateFormat));
    FillGame1Grid();
    round.SetNewGame(before.count + 1);
    if (!before.last || before.count + 1 < 3) return;
    const RoundRec* handicap = before.lastHandicap ? &*before.lastHandicap : nullptr;
    round.SetPrevious(PreviousIndexes(*before.last, handicap, nullptr, round.Male()), true);
}

void frmMainGolf::mskDate_Change() {
    // The date moves the round among the stored rounds before it is saved; code that shows a round
    // sets the indexes itself.
    if (Busy() || round.ShownPlayerId() == 0 || !ctx_.HasDatabase()) return;
    RunStep(Step::Showing, [this] {
        try {
            if (round.IsNew()) SetPrevIndexesForNewRound(round.ShownPlayerId());
            UpdateRoundFigures();
        } catch (...) {
            ReportCurrentError(kTag + "mskDate_Change", Sql::With);
        }
    });
}

void frmMainGolf::cmdNewGame_Click() {
    try {
        if (cboPlayer->currentText().trimmed().isEmpty()) {
            WarningSound(ctx_);
            Ask("Select Player before entering a new game.", vbInformation);
            return;
        }
        // Clearing would drop the edits of the shown round: ask, as the other buttons do.
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false, OnNo::Leave)) return;
        RunStep(Step::Showing, [this] { StartNewRound(true); });
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewGame_Click", Sql::With);
    }
}

void frmMainGolf::StartNewRound(bool takeKeyboard) {
    Clear_Screen();
    round.SetNew();
    SetRecNumText("New");
    lblHIndex->show();
    lblHI[1]->show();
    for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex}) l->hide();
    lblAdjScore[1]->clear();
    lblAdjScore[2]->clear();
    const bool kept = chkKeepSame->isChecked() && bKeepSame;
    if (kept) {
        if (auto d = ParseAnyDate(sKeepDate, ctx_.sDateFormat))
            mskDate->SetText(FormatLocalDate(*d, ctx_.sDateFormat));
        if (cboCourse->count() > 0) {
            const int i = cboCourse->findData(nKeepCourseID);
            if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
        }
        if (cboTeeBox->count() > 0 && nKeepTeeBox < cboTeeBox->count()) {
            const QSignalBlocker block(cboTeeBox);  // chosen for the new round below
            cboTeeBox->setCurrentIndex(nKeepTeeBox);
        }
        MarkNewRoundStart();  // the kept date is carried, not typed
    }
    SetPrevIndexesForNewRound(ctx_.nCurPlayerID);  // in effect on the date shown
    if (cboCourse->currentIndex() != -1) {
        if (cboTeeBox->currentIndex() >= 0) {
            // The tee box is chosen for this round, kept or still shown: its figures, and its
            // warning once for this new round.
            cboTeeBox_Click();
        } else if (CourseStore(ctx_.Connection()).ReadTeeBox(SelectedItemData(*cboCourse), round.Male(), 0)) {
            // No tee box yet: a round that counts like any round without a rating.
            round.SetTee(round.TeeBox(), 113, 0);
        }
    }
    // The allowable scores follow the new previous indexes.
    UpdateRoundFigures();
    // The keyboard is where the highlight is: on hole 1 for kept values, else on the date, with no
    // cell of the grid highlighted. A key typed at once goes there too: the focus is set before the
    // next event is read.
    spISC->SetActiveCell(1, kRowGross);
    if (kept)
        spISC->setFocus(Qt::OtherFocusReason);
    else {
        spISC->ClearSelection();
        if (takeKeyboard) mskDate->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace dc
