// The main screen's deleting of the shown round and of the chosen player, and the printing of the
// shown round's score grid. The deletions themselves are the store's (RoundDelete, PlayerStore).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "entry/MainRoundStore.h"
#include "entry/RoundDelete.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/Database.h"
#include "platform/MaskEdBox.h"
#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "platform/NameForms.h"
#include "platform/PrinterError.h"
#include "platform/Spread.h"
#include "platform/Val.h"
#include "records/PlayerStore.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/ListLoaders.h"
#include "shell/ResyncProgress.h"

namespace dc {

using namespace mainscreen;

namespace {

const QString kNoPlayerToDelete = "No Player is selected to delete.  Please select a Player";

}  // namespace

void frmMainGolf::cmdDeleteGame_Click() {
    try {
        if (round.IsNew()) {
            FailCheck("This is a 'New' game and cannot be deleted.", nullptr);
            return;
        }
        // The round shown must be the chosen player's: after a screen handed back no player, the
        // old round may still be on the screen.
        const int playerId = SelectedItemData(*cboPlayer);
        if (cboPlayer->currentIndex() < 0 || playerId != round.ShownPlayerId()) {
            FailCheck(kNoPlayerToDelete, cboPlayer);
            return;
        }
        if (MainRoundStore(ctx_.Connection()).RoundCount(playerId) == 1) {
            if (cmdDeletePlayer_Click(/*lastGame=*/true)) return;
        }
        if (Ask("Are you sure you want to delete this game?", vbYesNo + vbQuestion) != vbYes) return;
        ctx_.nCurPlayerID = playerId;
        int left = 0;
        {
            // The round shown, by its key: its game number may have changed since it was shown.
            ResyncProgress progress(this, /*fromUpCRSR=*/false);
            left = DeleteRoundAndRecalculate(ctx_.Connection(), playerId, round.StoredRndGameId(),
                                             round.Male() ? 0 : 1, ctx_.bFlag18_9, &progress);
        }
        TookOwnChanges();
        round.ClearChange();
        if (left == 0) {
            {
                const QSignalBlocker block(RecBar);
                RecBar->setRange(1, 1);
            }
            // The shown round is gone: no changes to ask about.
            RunStep(Step::Showing, [this] { StartNewRound(true); });
            return;
        }
        // The newest game, loaded directly: the round the bar stood on is gone or renumbered.
        round.SetNew();
        {
            const QSignalBlocker block(RecBar);
            RecBar->setRange(1, left);
            RecBar->setValue(left);
        }
        RecBar_Scroll();
    } catch (...) {
        ReportCurrentError(kTag + "cmdDeleteGame_Click", Sql::With);
    }
}

bool frmMainGolf::cmdDeletePlayer_Click(bool lastGame) {
    try {
        if (cboPlayer->currentText().trimmed().isEmpty() || cboPlayer->currentIndex() < 0) {
            FailCheck(kNoPlayerToDelete, cboPlayer);
            return false;
        }
        const QString question =
            lastGame ? "Player's last game.  Delete Player?" : "Are you sure you want to delete this player?";
        if (Ask(question, vbYesNo + vbQuestion) != vbYes) return false;
        PlayerStore(ctx_.Connection()).DeletePlayer(SelectedItemData(*cboPlayer));
        TookOwnChanges();
        // A blank new round and no player, as the new-player button leaves it, without its question
        // or the player editor; the player list reloaded.
        Init_Player_List();
        round.SetPlayer(0);
        round.ClearChange();
        return true;
    } catch (...) {
        ReportCurrentError(kTag + "cmdDeletePlayer_Click", Sql::With);
        return false;
    }
}

void frmMainGolf::cmdPrintScoreCard_Click() {
    try {
        if (cboPlayer->currentIndex() < 0) {
            Ask("Please select a Player before printing an existing score card.", vbInformation);
            cboPlayer->setFocus();
            return;
        }
        if (round.IsNew()) {
            Ask(
                "Please select an existing round of golf for a player before printing an existing score "
                "card.",
                vbInformation);
            cboPlayer->setFocus();
            return;
        }
        spISC->SetPrintOrientation(SpreadPrintOrientation::Portrait);
        // A card: even hole columns across the page, as on the screen.
        spISC->SetPrintWidths(SpreadPrintWidths::AcrossPage);
        spISC->SetPrintColHeaders(true);
        spISC->SetPrintRowHeaders(true);
        spISC->SetPrintJobName("Printing Individual Score Card");
        // A page too narrow for the whole header takes a shorter form of the name, one that reads
        // like no other player's.
        const QString rest = "   Date: " + mskDate->Text() + "   Course: " + cboCourse->currentText() +
                             "   Tee Box: " + cboTeeBox->currentText();
        QStringList players;
        for (int i = 0; i < cboPlayer->count(); ++i) players << cboPlayer->itemText(i);
        QStringList header{cboPlayer->currentText() + rest};
        for (const QString& name : NameSet(players).Forms(cboPlayer->currentText()).mid(1)) header << name + rest;
        spISC->SetPrintHeaderForms(header);
        spISC->SetPrintAbortMsg("Cancel print job");
        PrintJob job("Individual Score Card");
        // One report for a failing printer; the sheet's painter has ended the document.
        if (!spISC->PrintSheet(job)) throw PrinterError(kErrPrinter, "Printer Error");
        ReportPrintOutcomes({job.Outcome()});
    } catch (...) {
        ReportCurrentError(kTag + "cmdPrintScoreCard_Click", Sql::With);
    }
}

}  // namespace dc
