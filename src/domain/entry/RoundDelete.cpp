#include "entry/RoundDelete.h"

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/DbError.h"

namespace dc {

int DeleteRoundAndRecalculate(Database& db, const RoundRef& round, int genderIndex, bool is18,
                              ProgressReporter* progress) {
    Database::Transaction unit(db);
    RoundStore store(db);
    const int playerId = round.playerId;
    const std::optional<RoundRef> stored = store.Locate(round);
    if (!stored)
        throw DbError(kErrNoCurrentRecord, "The round to be deleted is not stored. Nothing was deleted.");
    const int game = stored->game;
    store.DeleteRound(*stored);
    // The later games move up by one; renumbering by date closes the gap the same way.
    const int count = store.Renumber(playerId);
    if (game <= count) {
        if (progress) progress->Start();
        const bool showProgress = count - game > 5;
        CachedHcpLookups lookups(db);
        RecomputeGames(db, playerId, genderIndex, is18, game, count, 1, lookups, OneYearWindow().toInt(),
                       showProgress && progress ? [progress](int k, int n) { progress->Step(k, n); }
                                                : std::function<void(int, int)>{});
    }
    unit.Commit();
    return count;
}

}  // namespace dc
