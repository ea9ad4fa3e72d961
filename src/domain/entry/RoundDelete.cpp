#include "entry/RoundDelete.h"

#include "entry/MainRoundStore.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/DbError.h"

namespace dc {

int DeleteRoundAndRecalculate(Database& db, const RoundRef& round, ProgressReporter* progress) {
    Database::Transaction unit(db);
    RoundStore store(db);
    const int playerId = round.playerId;
    // The later games are computed for the player's gender as stored, as every recomputation does.
    const int genderIndex = GenderIndexOf(MainRoundStore(db).PlayerGender(playerId).value_or(QString()));
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
        RecomputeGames(db, playerId, genderIndex, game, count, 1, lookups, OneYearWindow().toInt(),
                       showProgress && progress ? [progress](int k, int n) { progress->Step(k, n); }
                                                : std::function<void(int, int)>{});
    }
    unit.Commit();
    return count;
}

}  // namespace dc
