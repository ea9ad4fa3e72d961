#include "handicap/SaveScores.h"

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "shell/ErrorText.h"

namespace dc {

namespace {

// Renumbers one player's games and recomputes every one of them; one savepoint: all of it or
// nothing.
void RecomputePlayer(Database& db, int playerId, int genderIndex, HcpLookups& lookups, int window,
                     const std::function<void(int, int)>& progress = {}) {
    Database::Transaction unit(db);
    const int n = RoundStore(db).Renumber(playerId);
    RecomputeGames(db, playerId, genderIndex, 1, n, 1, lookups, window, progress);
    unit.Commit();
}

}  // namespace

void RecomputePlayerRounds(Database& db, int playerId, int genderIndex, ProgressReporter* progress) {
    CachedHcpLookups lookups(db);
    // As a save or a deletion of a round: the window only for a longer run.
    RecomputePlayer(db, playerId, genderIndex, lookups, OneYearWindow().toInt(), [progress](int k, int n) {
        if (!progress || n <= 6) return;
        if (k == 1) progress->Start();
        progress->Step(k, n);
    });
}

void ResynchIndivScores(Database& db, int PlayerID) {
    try {
        Database::Transaction unit(db);
        RoundStore(db).Renumber(PlayerID);
        unit.Commit();
    } catch (...) {
        ThrowProcedureFailure("SaveScores, ResynchIndivScores");
    }
}

ResyncResult ResynchAllScores(Database& db, ProgressReporter* progress) {
    const QString tag = "SaveScores, ResynchAllScores";
    ProgressReporter none;
    ProgressReporter& shown = progress ? *progress : none;
    ResyncResult result;
    QString failure;
    bool everyPlayer = true;
    {
        // The progress is finished however the run ends, before a failure is reported.
        struct Finish {
            ProgressReporter& p;
            ~Finish() { p.Finish(); }
        } finish{shown};
        try {
            Database::Transaction run(db);
            Recordset players = db.OpenRecordset("SELECT PLAYER_ID,GENDER FROM PLAYERS");
            if (!players.IsEmpty()) {
                shown.Start();
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
                        if (IsDatabaseFault(CurrentError().number) || !db.InTransaction()) throw;
                        // Otherwise this player keeps his stored values; one report, and on.
                        everyPlayer = false;
                        result.errors << ErrorText(tag, CurrentError(), -1, "Line # ", true);
                    }
                    shown.Step(k, n);
                }
            }
            run.Commit();
        } catch (...) {
            failure = ErrorText(tag, CurrentError(), -1, "Line # ", true) +
                      "\r\nThe recomputation was stopped; no round has been changed.";
        }
    }  // progress finished
    if (!failure.isEmpty()) result.errors << failure;
    result.ok = failure.isEmpty() && everyPlayer;
    return result;
}

}  // namespace dc
