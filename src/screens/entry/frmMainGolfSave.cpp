// The main screen's change check, its save question and checks, and the saving of the shown round.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <memory>
#include <utility>

#include "entry/RoundRecalc.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "handicap/HcpRules.h"
#include "platform/Clock.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "records/TeeBoxPacking.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/StoredChanges.h"
#include "shell/frmMainWait.h"

namespace dc {

using namespace mainscreen;

// ------------------------------------------------------------------------------------ change check

ScreenRound frmMainGolf::CurrentScreenRound() const {
    ScreenRound s;
    s.dateText = mskDate->Text();
    s.courseId = round.CourseId();
    s.teeBox = round.TeeBox();
    s.useHcp = chkUseHandicap->isChecked() ? 1 : 0;
    s.useTourn = chkUseTourn->isChecked() ? 1 : 0;
    for (int c = 1; c <= 6; ++c) s.adjusted[c - 1] = round.Figures()[c - 1].adjusted.value_or(0);
    s.gameCost = txtGameCost->text();
    s.cartCost = txtCartCost->text();
    s.otherCost = txtOtherCost->text();
    s.notes = txtNotes->toPlainText();
    round.FillHoles(s);
    return s;
}

// What the golfer typed against what was loaded: a new round's start, or the stored round as the
// paging loaded it.
void frmMainGolf::Save_Check() {
    try {
        round.ClearChange();
        ChangeResult r;
        if (round.IsNew()) {
            r = CompareNewRound(CurrentScreenRound(), round.Start());
        } else {
            const std::optional<RoundRec>& stored = round.Loaded();
            if (!stored) return;
            r = CompareStoredRound(CurrentScreenRound(), *stored,
                                   FormatLocalDate(stored->ROUND_DATE, ctx_.sDateFormat));
        }
        if (r.changed) r.field = r.field.leftJustified(21, ' ');
        round.SetChange(r);
    } catch (...) {
        ReportCurrentError(kTag + "Save_Check", Sql::With);
    }
}

// ------------------------------------------------------------------------------------ saving

bool frmMainGolf::AskToSave(const QString& secondLine, int style, bool viaSaveButton, OnNo onNo) {
    Save_Check();
    if (!round.Changed()) return true;
    const int answer = Ask(ChangedPrompt(round.ChangedField(), secondLine), style);
    if (answer == vbCancel) return false;
    if (answer == vbNo) {
        // Thrown away, not kept on the screen to be asked about again when it is activated later.
        if (onNo == OnNo::Drop)
            DropEdits();
        else
            round.ClearChange();
        return true;
    }
    bool saved;
    if (viaSaveButton) {
        saved = cmdSave_Click();
    } else {
        if (!RunSaveChecks(true)) return false;
        saved = Save_DBF();
    }
    if (!saved) return false;
    round.ClearChange();
    return true;
}

void frmMainGolf::FailCheck(const QString& message, QWidget* focus) {
    WarningSound(ctx_);
    Ask(message, vbInformation);
    if (focus) focus->setFocus();
}

bool frmMainGolf::RunSaveChecks(bool fromPrompt) {
    if (fromPrompt && cboPlayer->currentText().trimmed().isEmpty()) {
        FailCheck(kNoPlayer, cboPlayer);
        return false;
    }
    SaveInput in;
    in.player = cboPlayer->currentText();
    in.courseChosen = cboCourse->currentIndex() != -1;
    {
        // The course and slot the save stores (CurrentRoundEntry).
        const int tee = cboTeeBox->currentIndex();
        const std::optional<RoundRec>& stored = round.Loaded();
        const std::optional<PackedCourse> course =
            in.courseChosen ? CourseStore(ctx_.Connection()).LoadCourse(SelectedItemData(*cboCourse))
                            : std::nullopt;
        in.teeChosen =
            (stored && stored->COURSE_ID == SelectedItemData(*cboCourse) && stored->TEE_BOX_ID == tee) ||
            (course && tee >= 0 && !TeeName(course->TB, tee).isEmpty());
    }
    in.dateText = mskDate->Text();
    in.dateFormat = ctx_.sDateFormat;
    in.grossTotal = qMax(0, SumRow(round.RowValues(kRowGross)).total());
    const SaveCheck check = CheckRoundForSave(in, Today());
    if (check.ok()) {
        for (auto [box, caption] :
             {std::pair{txtGameCost, "Game Cost"}, std::pair{txtCartCost, "Cart Rental"},
              std::pair{txtOtherCost, "Other Cost"}}) {
            const QString refusal = CostRefusal(caption, box->text());
            if (refusal.isEmpty()) continue;
            SSTab1->setCurrentIndex(1);  // the costs tab
            FailCheck(refusal, box);
            return false;
        }
        return AcceptEmptyHoles();
    }
    FailCheck(check.message, check.focus == SaveFocus::Player   ? static_cast<QWidget*>(cboPlayer)
                             : check.focus == SaveFocus::Course ? static_cast<QWidget*>(cboCourse)
                             : check.focus == SaveFocus::TeeBox ? static_cast<QWidget*>(cboTeeBox)
                                                                : static_cast<QWidget*>(mskDate));
    return false;
}

bool frmMainGolf::AcceptEmptyHoles() {
    const std::optional<EmptyHoles> empty = EmptyHolesQuestion(round.RowValues(kRowGross));
    if (!empty ||
        Ask(empty->question, vbYesNo + vbQuestion, {empty->saveButton, empty->enterButton}) == vbYes)
        return true;
    SSTab1->setCurrentIndex(0);
    spISC->SetActiveCell(HoleColumn(empty->firstHole), kRowGross);
    spISC->setFocus();
    return false;
}

bool frmMainGolf::cmdSave_Click() {
    if (Busy()) return false;  // a save never starts inside another step
    // The totals must reflect what was typed last.
    Calc_Row_Scores(kRowGross);
    if (!RunSaveChecks(false)) return false;
    return Save_DBF();
}

RoundEntry frmMainGolf::CurrentRoundEntry() const {
    RoundEntry e;
    e.playerId = SelectedItemData(*cboPlayer);
    e.courseId = SelectedItemData(*cboCourse);
    e.teeBox = cboTeeBox->currentIndex();
    e.date = ParseLocalDate(mskDate->Text(), ctx_.sDateFormat);
    e.useHcp = chkUseHandicap->isChecked();
    e.useTourn = chkUseTourn->isChecked();
    e.gameCost = Val(txtGameCost->text());
    e.cartCost = Val(txtCartCost->text());
    e.otherCost = Val(txtOtherCost->text());
    e.notes = txtNotes->toPlainText();
    round.FillEntry(e);
    return e;
}

bool frmMainGolf::Save_DBF() {
    bool saved = false;
    RunStep(Step::Saving, [this, &saved] { saved = StoreRound(); });
    return saved;
}

bool frmMainGolf::StoreRound() {
    std::unique_ptr<frmMainWait> wait;
    try {
        // Another screen may have corrected the player's gender or the tee box since the screen read
        // them (its notice can still be on its way): the round is stored with what they are now.
        TakePlayerGenderNow();
        TakeTeeBoxFiguresNow();
        if (!round.IsNew()) Save_Check();
        SetMousePointer(Pointer::Hourglass);
        const RoundEntry entry = CurrentRoundEntry();
        // The saved round's player and course are the current ones from here on.
        ctx_.nCurPlayerID = entry.playerId;
        ctx_.nCurCourseID = entry.courseId;
        // The progress window from the first recomputed game on, the screen disabled meanwhile.
        struct SaveProgress : ProgressReporter {
            frmMainGolf& screen;
            std::unique_ptr<frmMainWait>& wait;
            SaveProgress(frmMainGolf& s, std::unique_ptr<frmMainWait>& w) : screen(s), wait(w) {}
            void Step(int k, int n) override {
                if (!wait) {
                    wait = std::make_unique<frmMainWait>();
                    wait->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
                    wait->show();
                    screen.setEnabled(false);
                }
                wait->SetProgress(k, n);
            }
        } progress(*this, wait);
        const bool wasNew = round.IsNew();
        const quint64 before = ctx_.Changes().Count();
        const SaveOutcome out = SaveAndRecalculate(ctx_.Connection(), entry, &progress);
        TookOwnChanges(before);
        wait.reset();
        SetMousePointer(Pointer::Default);
        setEnabled(true);
        nGameNumber = out.gameNumber;
        // "Keep same" carries the round saved last, whichever question or button saved it, and
        // whether it was ticked then or is ticked later.
        bKeepSame = true;
        sKeepDate = entry.date ? FormatLocalDate(*entry.date, ctx_.sDateFormat) : mskDate->Text();
        nKeepCourseID = entry.courseId;
        nKeepTeeBox = entry.teeBox;
        // Its tee box was chosen (and warned about) while it was entered: showing it again is no new choice.
        warnedTees_.insert(TeeWarningKey(out.rndGameId));
        if (wasNew) {
            lblHIndex->show();
            lblHI[1]->show();
            lblCourseHcp[1]->show();
            if (out.lastRun && out.lastRun->tIndex != kNoTournIndexF) {
                lblTHI[1]->show();
                lblTHcpIndex->show();
            }
        }
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, qMax(1, out.count));
            RecBar->setValue(nGameNumber);
        }
        // The saved game is shown as stored, with the indexes the recomputation wrote.
        RecBar_Scroll();
        return true;
    } catch (...) {
        // Nothing was stored: the entries stay on the screen.
        const QString text = ErrorText(kTag + "Save_DBF", CurrentError(), -1, "Line # ", true);
        wait.reset();
        SetMousePointer(Pointer::Default);
        setEnabled(true);
        ReportErrorText(text);
        return false;
    }
}

}  // namespace dc
