#include "handicap/SaveScores.h"

#include <sqlite3.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "platform/Database.h"
#include "platform/Pointer.h"
#include "shell/ErrorReport.h"
#include "shell/Globals.h"
#include "shell/frmMainWait.h"

namespace dc {

namespace {

Database& Db() {
    if (!gDB || !gDB->IsOpen()) throw DbError(kErrNotOpen, "Object invalid or no longer set.");
    return *gDB;
}

// Renumbers one player's games and recomputes every one of them; one savepoint: all of it or
// nothing.
void RecomputePlayer(Database& db, int playerId, int genderIndex, HcpLookups& lookups, int window) {
    Database::Transaction unit(db);
    const int n = RenumberGames(db, playerId);
    RecomputeGames(db, playerId, genderIndex, true, 1, n, 1, lookups, window);
    unit.Commit();
}

QWidget* FindScreen(const QString& name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name) return w;
    return nullptr;
}

// The progress window, the busy pointer and the disabled calling screen of one run; all given
// back when the run ends, however it ends.
class ResyncScreens {
  public:
    explicit ResyncScreens(QWidget* caller)
        : caller_(caller ? caller : FindScreen(bResyncFromUpCRSR ? "frmUpCRSR" : "frmSystemSetup")) {}

    ~ResyncScreens() {
        wait_.reset();
        SetMousePointer(Pointer::Default);
        if (!caller_) return;
        caller_->setEnabled(true);
        const bool focus = bResyncFromUpCRSR || caller_->isVisible();
        if (focus) {
            caller_->activateWindow();
            caller_->setFocus();
        }
        QApplication::processEvents();
        if (caller_) caller_->raise();
    }

    void Load() {
        wait_ = std::make_unique<frmMainWait>();
        wait_->WaitCap->setText("Adjusting Scores and Calculating Handicaps.");
    }

    // After player k of n: the window from the first player on when there are more than three.
    void Progress(int k, int n) {
        if (n <= 3) {
            SetMousePointer(Pointer::Hourglass);
            return;
        }
        if (k == 1) {
            wait_->show();
            if (caller_) caller_->setEnabled(false);
        }
        wait_->SetProgress(k, n);
    }

  private:
    QPointer<QWidget> caller_;
    std::unique_ptr<frmMainWait> wait_;
};

}  // namespace

void ResynchIndivScores(int PlayerID) {
    try {
        Database& db = Db();
        Database::Transaction unit(db);
        RenumberGames(db, PlayerID);
        unit.Commit();
    } catch (...) {
        ReportCurrentError("SaveScores, ResynchIndivScores", Sql::With);
    }
}

bool ResynchAllScores(QWidget* callingScreen) {
    const QString tag = "SaveScores, ResynchAllScores";
    QString failure;
    bool everyPlayer = true;
    {
        ResyncScreens screens(callingScreen);
        try {
            Database& db = Db();
            Database::Transaction run(db);
            sSQL = "SELECT PLAYER_ID,GENDER FROM PLAYERS";
            Recordset players = db.OpenRecordset(sSQL);
            if (!players.IsEmpty()) {
                SetMousePointer(Pointer::Hourglass);
                screens.Load();
                const int n = players.RecordCount();
                CachedHcpLookups lookups(db);
                const int window = OneYearWindow().toInt();
                int k = 0;
                for (players.MoveFirst(); !players.Eof(); players.MoveNext()) {
                    ++k;
                    const int key = players.Fields(0).toInt();
                    try {
                        RecomputePlayer(db, key, GenderIndexOf(players.Fields(1).str()), lookups, window);
                    } catch (...) {
                        // An error of the database itself (read-only, damaged, full, I/O) would
                        // strike every later player too, and one the engine gave up the whole
                        // transaction for: the run ends, everything rolled back.
                        if (IsDatabaseFault(CurrentError().number) || sqlite3_get_autocommit(db.handle()))
                            throw;
                        // Otherwise this player keeps his stored values; one report, and on.
                        everyPlayer = false;
                        ReportCurrentError(tag, Sql::With);
                    }
                    screens.Progress(k, n);
                }
            }
            sSQL = "COMMIT";
            run.Commit();
        } catch (...) {
            failure = ErrorText(tag, CurrentError(), -1, "Line # ", true) +
                      "\r\nThe recomputation was stopped; no round has been changed.";
        }
    }  // window closed, pointer and calling screen given back
    if (!failure.isEmpty()) ReportErrorText(failure);
    return failure.isEmpty() && everyPlayer;
}

}  // namespace dc
