// The main screen's paging through the player's stored rounds: the game-number box and the scroll
// bar, the questions before leaving an edited round, and the stored round loaded and shown.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "entry/HoleCells.h"
#include "entry/MainRoundStore.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "handicap/HcpRules.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/ErrorReport.h"

namespace dc {

using namespace mainscreen;

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
        if (text == "New" && round.IsNew() &&
            !MainRoundStore(ctx_.Connection()).HasRound(ctx_.nCurPlayerID, 0)) {
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

void frmMainGolf::DropEdits() {
    round.ClearChange();
    if (round.IsNew()) {
        const NewRoundStart start = round.Start();
        for (int h = 1; h <= 18; ++h) {
            SetHoleText(kRowGross, h, QString());
            SetHoleText(kRowPutts, h, QString());
            for (int r : {kRowGir, kRowSand, kRowFHit}) SetHoleTick(r, h, 0);
        }
        for (int r = kRowGross; r <= kRowFHit; ++r) Calc_Row_Scores(r);
        for (QLineEdit* box : {txtGameCost, txtCartCost, txtOtherCost}) box->clear();
        txtNotes->clear();
        mskDate->SetText(start.dateText);
        chkUseHandicap->setChecked(start.useHcp != 0);
        chkUseTourn->setChecked(start.useTourn != 0);
        UpdateRoundFigures();
        return;
    }
    // The round where it is stored now (another screen may have renumbered the games meanwhile).
    const int player = round.ShownPlayerId();
    ctx_.nCurPlayerID = player;
    {
        const QSignalBlocker block(RecBar);
        RecBar->setRange(1, qMax(1, MainRoundStore(ctx_.Connection()).RoundCount(player)));
    }
    PageTo(ShownRoundGameNow(player).value_or(round.StoredGame()));
    round.ClearChange();
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

void frmMainGolf::TakeStoredIndexes(const PagedRound& paged, int game) {
    if (game < 3 || !paged.previous) {
        FillGame1Grid();
    } else {
        const RoundRec* handicap = paged.previousHandicap ? &*paged.previousHandicap : nullptr;
        round.SetPrevious(PreviousIndexes(*paged.previous, handicap, &paged.round, round.Male()), false);
        round.SetCurrent(paged.round);
    }
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
            round.SetPlayerGender(GenderIndexOf(*gender) == 0);
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
        TakeStoredIndexes(*paged, nGameNumber);
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

}  // namespace dc
