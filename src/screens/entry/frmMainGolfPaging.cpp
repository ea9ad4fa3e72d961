#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <memory>

#include "entry/MainRoundStore.h"
#include "entry/RoundRecalc.h"
#include "entry/frmMainGolf.h"
#include "entry/HoleCells.h"
#include "entry/frmMainGolfShared.h"
#include "handicap/AllowableScores.h"
#include "handicap/HcpRules.h"
#include "handicap_report/frmHandicap.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/CourseStore.h"
#include "records/frmCourseSetup.h"
#include "records/frmPlayers.h"
#include "reports/frmGameList.h"
#include "reports/frmGraphs.h"
#include "reports/frmStats.h"
#include "scorecards/frmScoreCard.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/frmCalendar.h"
#include "shell/frmMainWait.h"
#include "shell/frmSystemSetup.h"

namespace dc {

using namespace mainscreen;

// ------------------------------------------------------------------------------------ player and paging

void frmMainGolf::SetRecNumText(const QString& text, int& guard) {
    const int was = guard;
    guard = 1;
    txtRecNum->setText(text);
    guard = was;
}

// The game-number box and the bar back on the round shown: "New" for a new round, whatever was
// typed or paged to.
void frmMainGolf::ShowShownRoundNumber() {
    if (round.isNew) {
        SetRecNumText("New", bRecNumNew);
        const QSignalBlocker block(RecBar);
        RecBar->setValue(nRecBarShown_);
    } else {
        ShowPagingAt(round.shownGame);
    }
}

void frmMainGolf::SelectPlayerQuietly(int index) {
    const QSignalBlocker block(cboPlayer);
    cboPlayer->setCurrentIndex(index);
}

void frmMainGolf::cboPlayer_Click() {
    try {
        if (!cboPlayer->currentText().trimmed().isEmpty() && cboPlayer->count() > 0) {
            if (bNoSaveCheck == 0) {
                Save_Check();
                if (round.changed == 1) {
                    // The round on the screen belongs to the player shown before: save it as his.
                    // A round typed before any player was shown is saved for the one chosen.
                    const int chosen = cboPlayer->currentIndex();
                    const int before = cboPlayer->findData(round.shownPlayerId);
                    const int answer =
                        MsgBox(ChangedPrompt(round.changedField, "Save the changes?"), vbYesNo + vbQuestion);
                    if (answer == vbYes) {
                        const int curBefore = ctx_.nCurPlayerID;
                        if (before >= 0) SelectPlayerQuietly(before);
                        ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
                        if (!cmdSave_Click()) {
                            // Stay on the round; the choice goes back to the player it belongs to.
                            SelectPlayerQuietly(before);
                            ctx_.nCurPlayerID = curBefore;
                            return;
                        }
                        SelectPlayerQuietly(chosen);
                    }
                    round.changed = 0;
                }
            }
            SetMousePointer(Pointer::Hourglass);
            if (cboPlayer->currentIndex() < 0) return;
            ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
            bool bGenderChanged = false;
            if (const std::optional<QString> gender =
                    MainRoundStore(ctx_.Connection()).PlayerGender(ctx_.nCurPlayerID)) {
                ctx_.sCurGender = *gender;
                const bool male = ctx_.sCurGender == "M";
                bGenderChanged = male != round.male;
                round.male = male;
                // The player's round follows from here: nothing of the round shown before is recomputed.
                const QSignalBlocker block0(optMF[0]), block1(optMF[1]);
                optMF[male ? 0 : 1]->setChecked(true);
            }
            if (ctx_.nCurPlayerID != round.shownPlayerId) Clear_Screen();
            round.shownPlayerId = ctx_.nCurPlayerID;
            const int count = MainRoundStore(ctx_.Connection()).RoundCount(ctx_.nCurPlayerID);
            {
                const QSignalBlocker block(RecBar);
                RecBar->setMaximum(qMax(1, count));
            }
            bool hasRound;
            if (nReturnCode == 2 && nGameNumber >= 1) {
                hasRound = MainRoundStore(ctx_.Connection()).HasRound(ctx_.nCurPlayerID, nGameNumber);
                nReturnCode = 0;
            } else {
                nGameNumber = 0;
                hasRound = MainRoundStore(ctx_.Connection()).HasRound(ctx_.nCurPlayerID, 0);
            }
            if (!hasRound) {
                round.SetNew();
                SetRecNumText("New", bRecNumByCode);
                {
                    const QSignalBlocker block(RecBar);
                    RecBar->setMaximum(1);
                }
                FillGame1Grid();
                round.newGame = 1;
                // The new round's tee box is read for this player's gender; its figures are his own.
                if (bGenderChanged)
                    cboCourse_Click();
                else
                    cboTeeBox_Click();
                MarkNewRoundStart();
                UpdateRoundFigures();
                round.changed = 0;
                SetMousePointer(Pointer::Default);
                return;
            }
            loadingByCode_ = true;
            if (nGameNumber != 0) {
                txtRecNum->setText(QString::number(nGameNumber));
            } else {
                txtRecNum->setText(QString::number(RecBar->maximum()));
                if (bGenderChanged) cboCourse_Click();
            }
            loadingByCode_ = false;
            // The round shown, its game number and key were set by the load itself (RecBar_Scroll).
            bPlayerLoaded = -1;
        } else {
            UpdateRoundFigures();  // no player chosen: nothing is allowed or capped
        }
        round.changed = 0;
        SetMousePointer(Pointer::Default);
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError(kTag + "cboPlayer_Click", Sql::With);
    }
}

void frmMainGolf::txtRecNum_Change() {
    try {
        if (bRecNumByCode != 0 || bRecNumClamp == 1 || bRecNumNew == 1) return;
        if (cboPlayer->currentIndex() < 0) {  // no player: no games to show, nobody's figures
            SetRecNumText("New", bRecNumNew);
            return;
        }
        const QString text = txtRecNum->text();
        if (text == "New" && round.isNew &&
            !MainRoundStore(ctx_.Connection()).HasRound(ctx_.nCurPlayerID, 0)) {
            MsgBox("There are no games entered for this player.", vbInformation);
            SetRecNumText("New", bRecNumNew);
            return;
        }
        if (round.isNew == 1 && !loadingByCode_) {
            Save_Check();
            if (round.changed == 1) {
                const int answer =
                    MsgBox(ChangedPrompt(round.changedField, "Save the changes?"), vbYesNo + vbQuestion);
                if (answer == vbYes) {
                    // Saving shows the saved round; then the game asked for.
                    SetRecNumText("New", bRecNumNew);
                    if (!cmdSave_Click()) return;  // stay on the new round, "New" restored
                    round.changed = 0;
                    txtRecNum->setText(text);
                    return;
                }
                round.changed = 0;
            }
        } else if (!LeaveEditedStoredRound()) {
            ShowPagingAt(round.shownGame);
            return;
        }
        // Only a stored round that the paging loads is shown as stored (RecBar_Scroll); a number that
        // names no stored round leaves a new round new, and the box says so again.
        const double n = Val(text.trimmed());
        const int max = RecBar->maximum();
        if (n > 0 && n < max + 1) {
            bNoScroll = 1;
            {
                const QSignalBlocker block(RecBar);
                RecBar->setValue(static_cast<int>(RoundHalfAway(n)));
            }
            RecBar_Scroll();
            bNoScroll = 0;
        } else {
            const int target = n < 1 ? 1 : max;
            bNoScroll = 1;
            SetRecNumText(QString::number(target), bRecNumClamp);
            {
                const QSignalBlocker block(RecBar);
                RecBar->setValue(target);
            }
            RecBar_Scroll();
            bNoScroll = 0;
            bRecNumClamp = 0;
        }
        if (round.isNew) ShowShownRoundNumber();
    } catch (...) {
        ReportCurrentError(kTag + "txtRecNum_Change", Sql::Without);
    }
}

void frmMainGolf::RecBar_Change() {
    if (bNoScroll != 0) return;
    CommitTyping();  // the bar takes no focus: a score being typed is still in the grid's editor
    if (round.isNew ? !LeaveNewRound() : !LeaveEditedStoredRound()) {
        ShowShownRoundNumber();  // stays on the round shown (after a Yes, the saved one)
        return;
    }
    RecBar_Scroll();
    if (round.isNew) ShowShownRoundNumber();
}

// Before the bar pages away from a changed new round: Yes saves it (and the saved round is shown),
// Cancel stays; No lets the paging go on. True when it may.
bool frmMainGolf::LeaveNewRound() {
    Save_Check();
    if (round.changed != 1) return true;
    StopBarRepeat();
    const int answer = MsgBox(ChangedPrompt(round.changedField, "Save changes?"), vbYesNoCancel + vbQuestion);
    if (answer == vbNo) return true;
    if (answer == vbYes && RunSaveChecks(true)) {
        nSaveExisting = 0;
        Save_DBF();
    }
    return false;
}

bool frmMainGolf::LeaveEditedStoredRound() {
    if (loadingByCode_ || round.isNew) return true;
    Save_Check();
    if (round.changed != 1) return true;
    StopBarRepeat();
    const int answer = MsgBox(ChangedPrompt(round.changedField, "Save changes?"), vbYesNoCancel + vbQuestion);
    if (answer == vbNo) {
        round.changed = 0;
        return true;
    }
    if (answer == vbYes && RunSaveChecks(true)) {
        nSaveExisting = 1;
        if (Save_DBF()) round.changed = 0;
    }
    return false;
}

// A question asked while an arrow of the bar is held down: the bar's repeat would go on paging
// behind the question and ask again. Disabling the bar ends the repeat.
void frmMainGolf::StopBarRepeat() {
    RecBar->setEnabled(false);
    RecBar->setEnabled(true);
}

void frmMainGolf::ShowPagingAt(int game) {
    if (game <= 0) return;
    {
        const QSignalBlocker block(RecBar);
        RecBar->setValue(game);
    }
    nRecBarShown_ = game;
    SetRecNumText(" " + QString::number(game), bRecNumByCode);
}

// The stored round's pars as numbers, putts and the three flags of each hole, and every row's totals.
void frmMainGolf::ShowHoleDetails(const RoundRec& S) {
    for (int j = 1; j <= 18; ++j) {
        SetHoleText(kRowPar, j, HoleFigureText(round.Hole(kRowPar, j)));
        SetGrossColour(j);
        const int putts = PuttsOfHole(S.PUTTS, j);
        SetHoleText(kRowPutts, j, putts > 0 ? QString::number(putts) : QString());
        bSettingChecks = -1;
        SetHoleTick(kRowGir, j, FlagOfHole(S.GREENS_IN_REG, j) ? 1 : 0);
        SetHoleTick(kRowSand, j, FlagOfHole(S.SAND_SAVES, j) ? 1 : 0);
        SetHoleTick(kRowFHit, j, FlagOfHole(S.FAIRWAYS_HIT, j) ? 1 : 0);
        bSettingChecks = 0;
    }
    for (int r = kRowPar; r <= kRowFHit; ++r) Calc_Row_Scores(r);
}

void frmMainGolf::RecBar_Scroll() {
    int line = 0;
    try {
        const int value = RecBar->value();
        SetRecNumText(" " + QString::number(value), bRecNumByCode);
        bRecNumClamp = 0;
        nGameNumber = value;
        line = 1;
        const int maxGN = MainRoundStore(ctx_.Connection()).MaxGameNumber(ctx_.nCurPlayerID);
        if (nGameNumber > maxGN) nGameNumber = maxGN;
        if (nGameNumber <= 0) return;
        line = 2;
        if (const std::optional<QString> gender =
                MainRoundStore(ctx_.Connection()).PlayerGender(ctx_.nCurPlayerID)) {
            round.male = *gender == "M";
            const QSignalBlocker block0(optMF[0]), block1(optMF[1]);  // the round's figures follow below
            optMF[round.male ? 0 : 1]->setChecked(true);
        }
        line = 3;
        const std::optional<PagedRound> paged =
            MainRoundStore(ctx_.Connection()).LoadPagedRound(ctx_.nCurPlayerID, nGameNumber);
        if (!paged) return;
        line = 4;
        spISC->SetReDraw(false);
        const RoundRec& S = paged->round;
        const bool gameNull = paged->gameCostNull, cartNull = paged->cartCostNull,
                   otherNull = paged->otherCostNull;
        if (nGameNumber < 3 || !paged->previous) {
            FillGame1Grid();
        } else {
            round.SetPrevious(PreviousIndexes(*paged->previous, &S), false);
            round.SetCurrent(S);
        }
        line = 5;
        round.SetStored(S.GAME_NUMBER, S.RND_GAME_ID);
        nRecBarShown_ = value;
        mskDate->SetText(FormatLocalDate(S.ROUND_DATE, ctx_.sDateFormat));
        chkUseHandicap->setChecked(S.USE_HCP);
        chkUseTourn->setChecked(S.USE_TOURN);
        auto money = [](bool isNull, double v) { return isNull ? QString() : FixedText(v, 2); };
        txtGameCost->setText(money(gameNull, S.GAME_COST));
        txtCartCost->setText(money(cartNull, S.CART_COST));
        txtOtherCost->setText(money(otherNull, S.OTHER_COST));
        txtNotes->setPlainText(S.NOTES.trimmed());
        round.teeBox = ctx_.nCurTeeBox = S.TEE_BOX_ID;
        round.courseId = ctx_.nCurCourseID = S.COURSE_ID;
        line = 6;
        // The round's own gross scores go in before the course, so the tee box caps and colours them.
        for (int j = 1; j <= 18; ++j)
            SetHoleText(kRowGross, j, S.GS[j - 1] > 0 ? QString::number(S.GS[j - 1]) : QString());
        if (cboCourse->count() > 0) {
            const int i = cboCourse->findData(S.COURSE_ID);
            bLoadingCourse = 1;
            if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
            bLoadingCourse = 0;
        }
        if (cboTeeBox->count() > round.teeBox) {
            if (cboTeeBox->currentIndex() == round.teeBox)
                cboTeeBox_Click();
            else
                cboTeeBox->setCurrentIndex(round.teeBox);
        }
        line = 7;
        ShowHoleDetails(S);
        spISC->SetReDraw(true);
        round.teeRating = static_cast<float>(S.COURSE_RATING);
        round.teeSlope = S.SLOPE_RATING;
        UpdateRoundFigures();  // on the round's own slope
    } catch (...) {
        spISC->SetReDraw(true);
        bSettingChecks = 0;
        bLoadingCourse = 0;
        ReportCurrentError(kTag + "RecBar_Scroll", Sql::With, line, "Line #: ");
    }
}

// ------------------------------------------------------------------------------------ new round, new player

void frmMainGolf::Clear_Screen() {
    try {
        mskDate->SetText(TodayText(ctx_.sDateFormat));
        chkUseHandicap->setChecked(true);
        spISC->SetReDraw(false);
        bSettingChecks = -1;
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
        bSettingChecks = 0;
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
        bSettingChecks = 0;
        ReportCurrentError(kTag + "Clear_Screen", Sql::Without);
    }
}

void frmMainGolf::MarkNewRoundStart() {
    round.start.dateText = mskDate->Text();
    round.start.useHcp = chkUseHandicap->isChecked() ? 1 : 0;
    round.start.useTourn = chkUseTourn->isChecked() ? 1 : 0;
}

// The previous indexes of a new round: those after the player's newest stored round (the nine
// columns by the same rules as paging), or the starting values while it would be game 1 or 2.
void frmMainGolf::SetPrevIndexesForNewRound() {
    const std::optional<RoundRec> newest = MainRoundStore(ctx_.Connection()).NewestRound(ctx_.nCurPlayerID);
    FillGame1Grid();
    round.newGame = newest ? newest->GAME_NUMBER + 1 : 1;
    if (!newest || newest->GAME_NUMBER + 1 < 3) return;
    round.SetPrevious(PreviousIndexes(*newest, nullptr), true);
}

void frmMainGolf::cmdNewGame_Click() {
    try {
        if (cboPlayer->currentText().trimmed().isEmpty()) {
            WarningSound(ctx_);
            MsgBox("Select Player before entering a new game.", vbInformation);
            return;
        }
        if (round.isNew) return;
        // Clearing would drop the edits of the shown round: ask, as the other buttons do.
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
        Clear_Screen();
        SetRecNumText("New", bRecNumNew);
        round.SetNew();
        lblHIndex->show();
        lblHI[1]->show();
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex}) l->hide();
        lblAdjScore[1]->clear();
        lblAdjScore[2]->clear();
        SetPrevIndexesForNewRound();
        if (chkKeepSame->isChecked() && bKeepSame) {
            if (auto d = ParseAnyDate(sKeepDate, ctx_.sDateFormat))
                mskDate->SetText(FormatLocalDate(*d, ctx_.sDateFormat));
            if (cboCourse->count() > 0) {
                const int i = cboCourse->findData(nKeepCourseID);
                bLoadingCourse = 1;
                if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
                bLoadingCourse = 0;
            }
            if (cboTeeBox->count() > 0 && nKeepTeeBox < cboTeeBox->count()) {
                if (cboTeeBox->currentIndex() != nKeepTeeBox) cboTeeBox->setCurrentIndex(nKeepTeeBox);
            }
            MarkNewRoundStart();  // the kept date is carried, not typed
        }
        if (cboCourse->currentIndex() != -1) {
            const int t = cboTeeBox->currentIndex();
            if (const auto q = CourseStore(ctx_.Connection())
                                   .ReadTeeBox(SelectedItemData(*cboCourse), round.male, qMax(0, t))) {
                if (t >= 0) {
                    round.teeBox = ctx_.nCurTeeBox = t;
                    round.teeSlope = q->slope;
                    round.teeRating = q->rating;
                } else {
                    // No tee box yet: a round that counts like any round without a rating.
                    round.teeSlope = 113;
                    round.teeRating = 0;
                }
            }
        }
        // The allowable scores follow the new previous indexes.
        UpdateRoundFigures();
        spISC->SetActiveCell(1, kRowGross);
        // The keyboard is where the highlight is: on hole 1 for kept values, else on the date. A key
        // typed at once goes there too: the focus is set before the next event is read.
        QWidget* typing = chkKeepSame->isChecked() && bKeepSame ? static_cast<QWidget*>(spISC)
                                                                : static_cast<QWidget*>(mskDate);
        typing->setFocus(Qt::OtherFocusReason);
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewGame_Click", Sql::With);
    }
}

void frmMainGolf::cmdNewPlayer_Click() {
    try {
        if (bFirstLoad == 0 && !AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
        const int shownBefore = cboPlayer->currentIndex() >= 0 ? SelectedItemData(*cboPlayer) : 0;
        Clear_Screen();
        SetRecNumText("New", bRecNumNew);
        bNoScroll = 1;
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, 1);
        }
        ctx_.nCurPlayerID = 0;
        round.SetNew();
        lblAdjScore[1]->clear();
        lblAdjScore[2]->clear();
        {
            const QSignalBlocker block(chkUseHandicap);
            chkUseHandicap->setChecked(true);
        }
        round.newGame = 1;
        FillGame1Grid();
        MarkNewRoundStart();
        UpdateRoundFigures();  // nobody's: no allowable score, nothing capped
        lblHI[1]->setText(IndexDisplayText(round.figures[ViewVariant() - 1].prevIndex));
        for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex, lblCourseHcp[1]}) l->hide();
        if (bFormReady == 1 && ShowPlayerEditor) {
            const int code = ShowPlayerEditor();
            // No player added: the one shown before is chosen again.
            if (ctx_.nCurPlayerID == 0) ctx_.nCurPlayerID = shownBefore;
            Form_Activate(code);
        }
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewPlayer_Click", Sql::Without);
    }
}

// ------------------------------------------------------------------------------------ change check

ScreenRound frmMainGolf::CurrentScreenRound() const {
    ScreenRound s;
    s.dateText = mskDate->Text();
    s.courseId = round.courseId;
    s.teeBox = round.teeBox;
    s.useHcp = chkUseHandicap->isChecked() ? 1 : 0;
    s.useTourn = chkUseTourn->isChecked() ? 1 : 0;
    for (int c = 1; c <= 6; ++c) s.adjusted[c - 1] = round.figures[c - 1].adjusted.value_or(0);
    s.gameCost = txtGameCost->text();
    s.cartCost = txtCartCost->text();
    s.otherCost = txtOtherCost->text();
    s.notes = txtNotes->toPlainText();
    round.FillHoles(s);
    return s;
}

void frmMainGolf::Save_Check() {
    try {
        round.changed = 0;
        round.hcpChanged = 0;
        ChangeResult r;
        if (round.isNew) {
            r = CompareNewRound(CurrentScreenRound(), round.start);
        } else {
            const std::optional<RoundRec> stored =
                MainRoundStore(ctx_.Connection()).LoadRound(ctx_.nCurPlayerID, round.shownGame);
            if (!stored) return;
            r = CompareStoredRound(CurrentScreenRound(), *stored,
                                   FormatLocalDate(stored->ROUND_DATE, ctx_.sDateFormat));
        }
        round.changed = r.changed ? 1 : 0;
        round.hcpChanged = r.hcpChanged ? 1 : 0;
        if (r.changed) round.changedField = r.field.leftJustified(21, ' ');
    } catch (...) {
        ReportCurrentError(kTag + "Save_Check", Sql::With);
    }
}

// ------------------------------------------------------------------------------------ saving

void frmMainGolf::FailCheck(const QString& message, QWidget* focus) {
    WarningSound(ctx_);
    MsgBox(message, vbInformation);
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
                                                                : static_cast<QWidget*>(mskDate));
    return false;
}

bool frmMainGolf::AcceptEmptyHoles() {
    const std::optional<EmptyHoles> empty = EmptyHolesQuestion(round.RowValues(kRowGross));
    if (!empty || MsgBox(empty->question, vbYesNo + vbQuestion, QString(),
                         {empty->saveButton, empty->enterButton}) == vbYes)
        return true;
    SSTab1->setCurrentIndex(0);
    spISC->SetActiveCell(HoleColumn(empty->firstHole), kRowGross);
    spISC->setFocus();
    return false;
}

bool frmMainGolf::cmdSave_Click() {
    // The totals must reflect what was typed last.
    Calc_Row_Scores(kRowGross);
    if (!RunSaveChecks(false)) return false;
    nSaveExisting = round.isNew == 1 ? 0 : 1;
    if (!Save_DBF()) return false;
    bKeepSame = chkKeepSame->isChecked();
    sKeepDate = bKeepSame ? mskDate->Text() : TodayText(ctx_.sDateFormat);
    nKeepCourseID = SelectedItemData(*cboCourse);
    nKeepTeeBox = cboTeeBox->currentIndex();
    return true;
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
    std::unique_ptr<frmMainWait> wait;
    try {
        if (nSaveExisting == 0) {
            round.oldGame = MainRoundStore(ctx_.Connection()).RoundCount(ctx_.nCurPlayerID) + 1;
        } else {
            round.oldGame = round.shownGame;
        }
        if (!round.isNew) Save_Check();
        SetMousePointer(Pointer::Hourglass);
        const RoundEntry entry = CurrentRoundEntry();
        // The saved round's player and course are the current ones from here on.
        ctx_.nCurPlayerID = entry.playerId;
        ctx_.nCurCourseID = entry.courseId;
        const bool is18 = ctx_.bFlag18_9;
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
        const bool wasNew = round.isNew == 1;
        const SaveOutcome out = SaveAndRecalculate(ctx_.Connection(), entry, is18, &progress);
        wait.reset();
        SetMousePointer(Pointer::Default);
        setEnabled(true);
        nGameNumber = out.gameNumber;
        round.SetStored(out.gameNumber, out.rndGameId);
        // Its tee box was chosen (and warned about) while it was entered: showing it again is no new choice.
        warnedTees_.insert(TeeWarningKey());
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
        bNoScroll = 0;
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
