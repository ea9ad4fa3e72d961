// The main screen's choice of a player: his round loaded on choosing, and a new player begun.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "entry/MainRoundStore.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "handicap/HcpRules.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"

namespace dc {

using namespace mainscreen;

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
    if (const std::optional<QString> gender =
            MainRoundStore(ctx_.Connection()).PlayerGender(ctx_.nCurPlayerID)) {
        ctx_.sCurGender = *gender;
        const bool male = GenderIndexOf(ctx_.sCurGender) == 0;
        bGenderChanged = male != round.Male();
        round.SetPlayerGender(male);
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

void frmMainGolf::cmdNewPlayer_Click() {
    try {
        if (!AskToSave("Save changes?", vbYesNoCancel + vbQuestion, false, OnNo::Leave)) return;
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

}  // namespace dc
