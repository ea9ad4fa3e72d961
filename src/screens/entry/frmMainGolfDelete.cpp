// The main screen's deleting of the shown round and of the chosen player. The deletions themselves
// are the store's (RoundDelete, PlayerStore).
#include <QComboBox>
#include <QScrollBar>
#include <QSignalBlocker>

#include "entry/MainRoundStore.h"
#include "entry/RoundDelete.h"
#include "entry/frmMainGolf.h"
#include "entry/frmMainGolfShared.h"
#include "platform/MsgBox.h"
#include "records/PlayerStore.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/ListLoaders.h"
#include "shell/ResyncProgress.h"
#include "shell/StoredChanges.h"

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
        const quint64 before = ctx_.Changes().Count();
        {
            // The round shown, by its key and row: its game number may have changed since it was shown.
            ResyncProgress progress(this, /*fromUpCRSR=*/false);
            left = DeleteRoundAndRecalculate(ctx_.Connection(), round.StoredRef(), &progress);
        }
        TookOwnChanges(before);
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
        ReportCurrentDeleteError(kTag + "cmdDeleteGame_Click");
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
        const quint64 before = ctx_.Changes().Count();
        PlayerStore(ctx_.Connection()).DeletePlayer(SelectedItemData(*cboPlayer));
        TookOwnChanges(before);
        // A blank new round and no player, as the new-player button leaves it, without its question
        // or the player editor; the player list reloaded.
        Init_Player_List();
        round.SetPlayer(0);
        round.ClearChange();
        return true;
    } catch (...) {
        ReportCurrentDeleteError(kTag + "cmdDeletePlayer_Click");
        return false;
    }
}

}  // namespace dc
