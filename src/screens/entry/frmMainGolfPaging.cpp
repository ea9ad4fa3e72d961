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
#include "records/TeeBoxPacking.h"
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

// ------------------------------------------------------------------------------------ steps

struct frmMainGolf::StepScope {
    frmMainGolf& screen;
    const Step was;
    StepScope(frmMainGolf& f, Step step) : screen(f), was(f.step_) { f.step_ = step; }
    ~StepScope() { screen.step_ = was; }
};

void frmMainGolf::RunStep(Step step, const std::function<void()>& work) {
    {
        const StepScope scope(*this, step);
        work();
    }
    if (step_ != Step::Idle || teeWarning_.isEmpty()) return;
    const QString warning = std::exchange(teeWarning_, QString());
    const QString key = std::exchange(teeWarningKey_, QString());
    // Only the tee box of the round shown now, once: a tee box chosen on the way (the course of the
    // round shown before, read again for another gender) is no concern of this round.
    if (key != ShownTeeWarningKey()) return;
    warnedTees_.insert(key);
    Ask(warning, vbExclamation);
}

// Every box of the screen ends a hold of the bar's arrow: else its repeat pages on behind the box
// (the release is the box's) and after it.
int frmMainGolf::Ask(const QString& text, int style, const QStringList& buttons) {
    StopBarRepeat();
    const StepScope scope(*this, Step::Asking);
    return buttons.isEmpty() ? MsgBox(text, style) : MsgBox(text, style, QString(), buttons);
}

// ------------------------------------------------------------------------------------ player and paging

void frmMainGolf::SetRecNumText(const QString& text) {
    const QSignalBlocker block(txtRecNum);  // written by code: no paging
    txtRecNum->setText(text);
}

// The game-number box and the bar back on the round shown: "New" for a new round, whatever was
// typed or paged to.
void frmMainGolf::ShowShownRoundNumber() {
    if (round.IsNew()) {
        SetRecNumText("New");
        const QSignalBlocker block(RecBar);
        RecBar->setValue(nRecBarShown_);
    } else {
        ShowPagingAt(round.ShownGame());
    }
}

void frmMainGolf::SelectPlayerQuietly(int index) {
    const QSignalBlocker block(cboPlayer);
    cboPlayer->setCurrentIndex(index);
}

void frmMainGolf::cboPlayer_Click() {
    if (Busy()) {  // chosen while a round is shown or a question is open: the shown player stays
        SelectPlayerQuietly(cboPlayer->findData(round.ShownPlayerId()));
        return;
    }
    try {
        if (cboPlayer->currentText().trimmed().isEmpty() || cboPlayer->count() == 0) {
            UpdateRoundFigures();  // no player chosen: nothing is allowed or capped
            round.ClearChange();
            return;
        }
        Save_Check();
        if (round.Changed()) {
            // The round on the screen belongs to the player shown before: save it as his.
            // A round typed before any player was shown is saved for the one chosen.
            const int chosen = cboPlayer->currentIndex();
            const int before = cboPlayer->findData(round.ShownPlayerId());
            // Escape or the close box cancels: the edit stays, and so does the player it belongs to.
            const int answer =
                Ask(ChangedPrompt(round.ChangedField(), "Save the changes?"), vbYesNoCancel + vbQuestion);
            if (answer == vbCancel) {
                SelectPlayerQuietly(before);
                return;
            }
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
            round.ClearChange();
        }
        RunStep(Step::Showing, [this] { LoadPlayer(); });
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError(kTag + "cboPlayer_Click", Sql::With);
    }
}

void frmMainGolf::LoadPlayer() {
    SetMousePointer(Pointer::Hourglass);
    if (cboPlayer->currentIndex() < 0) return;
    ctx_.nCurPlayerID = SelectedItemData(*cboPlayer);
    bool bGenderChanged = false;
    if (const std::optional<QString> gender = MainRoundStore(ctx_.Connection()).PlayerGender(ctx_.nCurPlayerID)) {
        ctx_.sCurGender = *gender;
        const bool male = ctx_.sCurGender == "M";
        bGenderChanged = male != round.Male();
        round.SetMale(male);
        // The player's round follows from here: nothing of the round shown before is recomputed.
        const QSignalBlocker block0(optMF[0]), block1(optMF[1]);
        optMF[male ? 0 : 1]->setChecked(true);
    }
    if (ctx_.nCurPlayerID != round.ShownPlayerId()) Clear_Screen();
    round.SetPlayer(ctx_.nCurPlayerID);
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
        // A player without rounds starts a new one, as New starts it: the kept date, course and
        // tee box too. Its tee box is read for this player's gender; its figures are his own.
        if (bGenderChanged) cboCourse_Click();
        StartNewRound(false);
        round.ClearChange();
        SetMousePointer(Pointer::Default);
        return;
    }
    if (nGameNumber == 0 && bGenderChanged) cboCourse_Click();
    PageTo(nGameNumber != 0 ? nGameNumber : RecBar->maximum());
    round.ClearChange();
    SetMousePointer(Pointer::Default);
}

void frmMainGolf::txtRecNum_Change() {
    if (Busy()) {  // typed while a round is shown or a question is open
        ShowShownRoundNumber();
        return;
    }
    try {
        if (cboPlayer->currentIndex() < 0) {  // no player: no games to show, nobody's figures
            SetRecNumText("New");
            return;
        }
        const QString text = txtRecNum->text();
        if (text == "New" && round.IsNew() && !MainRoundStore(ctx_.Connection()).HasRound(ctx_.nCurPlayerID, 0)) {
            Ask("There are no games entered for this player.", vbInformation);
            SetRecNumText("New");
            return;
        }
        if (round.IsNew()) {
            Save_Check();
            if (round.Changed()) {
                const int answer =
                    Ask(ChangedPrompt(round.ChangedField(), "Save the changes?"), vbYesNoCancel + vbQuestion);
                if (answer == vbCancel) {  // Escape or the close box: the new round stays
                    ShowShownRoundNumber();
                    return;
                }
                if (answer == vbYes) {
                    // Saving shows the saved round; then the game asked for.
                    SetRecNumText("New");
                    if (!cmdSave_Click()) return;  // stay on the new round, "New" restored
                    round.ClearChange();
                    txtRecNum->setText(text);
                    return;
                }
                round.ClearChange();
            }
        } else if (!LeaveEditedStoredRound()) {
            ShowPagingAt(round.ShownGame());
            return;
        }
        PageTo(Val(text.trimmed()));
        if (round.IsNew()) ShowShownRoundNumber();
    } catch (...) {
        ReportCurrentError(kTag + "txtRecNum_Change", Sql::Without);
    }
}

// Only a stored round that the paging loads is shown as stored (LoadBarRound); a number that names
// no stored round leaves a new round new.
void frmMainGolf::PageTo(double n) {
    const int max = RecBar->maximum();
    const int game = n > 0 && n < max + 1 ? static_cast<int>(RoundHalfAway(n)) : n < 1 ? 1 : max;
    {
        const QSignalBlocker block(RecBar);
        RecBar->setValue(game);
    }
    RecBar_Scroll();
}

void frmMainGolf::RecBar_Change() {
    if (Busy()) {  // the bar's repeat while a round is shown or a question is open: no second page
        StopBarRepeat();
        ShowShownRoundNumber();
        return;
    }
    // The bar takes no focus: a score being typed is still in the grid's editor. One the grid
    // cannot take is refused before the page, which does not happen.
    if (!CommitTyping(/*refuseNow=*/true) || (round.IsNew() ? !LeaveNewRound() : !LeaveEditedStoredRound())) {
        ShowShownRoundNumber();  // stays on the round shown (after a Yes, the saved one)
        return;
    }
    RecBar_Scroll();
    if (round.IsNew()) ShowShownRoundNumber();
}

// Before the bar pages away from a changed new round: Yes saves it (and the saved round is shown),
// Cancel stays; No lets the paging go on. True when it may.
bool frmMainGolf::LeaveNewRound() {
    Save_Check();
    if (!round.Changed()) return true;
    const int answer = Ask(ChangedPrompt(round.ChangedField(), "Save changes?"), vbYesNoCancel + vbQuestion);
    if (answer == vbNo) return true;
    if (answer == vbYes && RunSaveChecks(true)) Save_DBF();
    return false;
}

bool frmMainGolf::LeaveEditedStoredRound() {
    if (round.IsNew()) return true;
    Save_Check();
    if (!round.Changed()) return true;
    const int answer = Ask(ChangedPrompt(round.ChangedField(), "Save changes?"), vbYesNoCancel + vbQuestion);
    if (answer == vbNo) {
        round.ClearChange();
        return true;
    }
    if (answer == vbYes && RunSaveChecks(true) && Save_DBF()) round.ClearChange();
    return false;
}

// Ends a hold of the bar's arrows: disabling the bar stops its repeat.
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
    SetRecNumText(" " + QString::number(game));
}

// The round takes the stored round's gross scores, putts and the three flags of each hole.
void frmMainGolf::TakeStoredHoles(const RoundRec& S) {
    for (int j = 1; j <= 18; ++j) {
        round.SetHole(kRowGross, j, S.GS[j - 1] > 0 ? HoleFigure(S.GS[j - 1]) : std::nullopt);
        const int putts = PuttsOfHole(S.PUTTS, j);
        round.SetHole(kRowPutts, j, putts > 0 ? HoleFigure(putts) : std::nullopt);
        round.SetTick(kRowGir, j, FlagOfHole(S.GREENS_IN_REG, j) ? 1 : 0);
        round.SetTick(kRowSand, j, FlagOfHole(S.SAND_SAVES, j) ? 1 : 0);
        round.SetTick(kRowFHit, j, FlagOfHole(S.FAIRWAYS_HIT, j) ? 1 : 0);
    }
}

// The grid shows the round's holes, gross scores coloured against par, and every row's totals.
void frmMainGolf::ShowHoles() {
    for (int j = 1; j <= 18; ++j) {
        for (int r = kRowYards; r <= kRowPutts; ++r) SetHoleText(r, j, HoleFigureText(round.Hole(r, j)));
        for (int r = kRowGir; r <= kRowFHit; ++r) SetHoleTick(r, j, round.Tick(r, j));
        SetGrossColour(j);
    }
    for (int r = kRowYards; r <= kRowFHit; ++r) Calc_Row_Scores(r);
}

void frmMainGolf::RecBar_Scroll() {
    RunStep(Step::Showing, [this] { LoadBarRound(); });
}

void frmMainGolf::LoadBarRound() {
    int line = 0;
    try {
        const int value = RecBar->value();
        SetRecNumText(" " + QString::number(value));
        nGameNumber = value;
        line = 1;
        const int maxGN = MainRoundStore(ctx_.Connection()).MaxGameNumber(ctx_.nCurPlayerID);
        if (nGameNumber > maxGN) nGameNumber = maxGN;
        if (nGameNumber <= 0) return;
        line = 2;
        if (const std::optional<QString> gender =
                MainRoundStore(ctx_.Connection()).PlayerGender(ctx_.nCurPlayerID)) {
            round.SetMale(*gender == "M");
            const QSignalBlocker block0(optMF[0]), block1(optMF[1]);  // the round's figures follow below
            optMF[round.Male() ? 0 : 1]->setChecked(true);
        }
        line = 3;
        const std::optional<PagedRound> paged =
            MainRoundStore(ctx_.Connection()).LoadPagedRound(ctx_.nCurPlayerID, nGameNumber);
        if (!paged) return;
        line = 4;
        spISC->SetReDraw(false);
        const RoundRec& S = paged->round;
        // The round first, whole: its figures, its game, course and tee box.
        if (nGameNumber < 3 || !paged->previous) {
            FillGame1Grid();
        } else {
            round.SetPrevious(PreviousIndexes(*paged->previous, &S), false);
            round.SetCurrent(S);
        }
        round.SetStored(S);
        TakeStoredHoles(S);
        line = 5;
        nRecBarShown_ = value;
        mskDate->SetText(FormatLocalDate(S.ROUND_DATE, ctx_.sDateFormat));
        chkUseHandicap->setChecked(S.USE_HCP);
        chkUseTourn->setChecked(S.USE_TOURN);
        auto money = [](bool isNull, double v) { return isNull ? QString() : FixedText(v, 2); };
        txtGameCost->setText(money(paged->gameCostNull, S.GAME_COST));
        txtCartCost->setText(money(paged->cartCostNull, S.CART_COST));
        txtOtherCost->setText(money(paged->otherCostNull, S.OTHER_COST));
        txtNotes->setPlainText(S.NOTES.trimmed());
        ctx_.nCurTeeBox = S.TEE_BOX_ID;
        ctx_.nCurCourseID = S.COURSE_ID;
        line = 6;
        // The course and tee box give the round its yards, hole handicaps and pars.
        if (cboCourse->count() > 0) {
            const int i = cboCourse->findData(S.COURSE_ID);
            if (i != cboCourse->currentIndex()) cboCourse->setCurrentIndex(i);
        }
        if (cboTeeBox->count() > S.TEE_BOX_ID) {
            if (cboTeeBox->currentIndex() == S.TEE_BOX_ID)
                cboTeeBox_Click();
            else
                cboTeeBox->setCurrentIndex(S.TEE_BOX_ID);
        }
        line = 7;
        ShowHoles();
        spISC->SetReDraw(true);
        round.SetTee(S.TEE_BOX_ID, S.SLOPE_RATING, S.COURSE_RATING);  // played off the round's own slope
        UpdateRoundFigures();
    } catch (...) {
        spISC->SetReDraw(true);
        ReportCurrentError(kTag + "RecBar_Scroll", Sql::With, line, "Line #: ");
    }
}

// ------------------------------------------------------------------------------------ new round, new player

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

// The previous indexes of a new round: those after the player's newest stored round (the nine
// columns by the same rules as paging), or the starting values while it would be game 1 or 2.
void frmMainGolf::SetPrevIndexesForNewRound() {
    const std::optional<RoundRec> newest = MainRoundStore(ctx_.Connection()).NewestRound(ctx_.nCurPlayerID);
    FillGame1Grid();
    round.SetNewGame(newest ? newest->GAME_NUMBER + 1 : 1);
    if (!newest || newest->GAME_NUMBER + 1 < 3) return;
    round.SetPrevious(PreviousIndexes(*newest, nullptr), true);
}

void frmMainGolf::cmdNewGame_Click() {
    try {
        if (cboPlayer->currentText().trimmed().isEmpty()) {
            WarningSound(ctx_);
            Ask("Select Player before entering a new game.", vbInformation);
            return;
        }
        // Clearing would drop the edits of the shown round: ask, as the other buttons do.
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
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
    SetPrevIndexesForNewRound();
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

void frmMainGolf::cmdNewPlayer_Click() {
    try {
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false)) return;
        const int shownBefore = cboPlayer->currentIndex() >= 0 ? SelectedItemData(*cboPlayer) : 0;
        ClearForNewPlayer();
        if (ShowPlayerEditor) {
            const int code = ShowPlayerEditor();
            // No player added: the one shown before is chosen again.
            if (ctx_.nCurPlayerID == 0) ctx_.nCurPlayerID = shownBefore;
            Form_Activate(code);
        }
    } catch (...) {
        ReportCurrentError(kTag + "cmdNewPlayer_Click", Sql::Without);
    }
}

void frmMainGolf::ClearForNewPlayer() {
    Clear_Screen();
    SetRecNumText("New");
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
    round.SetNewGame(1);
    FillGame1Grid();
    MarkNewRoundStart();
    UpdateRoundFigures();  // nobody's: no allowable score, nothing capped, no previous index shown
    for (QLabel* l : {lblTHI[1], lblTHI[2], lblTHcpIndex, lblCourseHcp[1]}) l->hide();
}

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
    if (!empty || Ask(empty->question, vbYesNo + vbQuestion, {empty->saveButton, empty->enterButton}) == vbYes)
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
        if (!round.IsNew()) Save_Check();
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
        const bool wasNew = round.IsNew();
        const SaveOutcome out = SaveAndRecalculate(ctx_.Connection(), entry, is18, &progress);
        TookOwnChanges();
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
