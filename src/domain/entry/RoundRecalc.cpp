#include "entry/RoundRecalc.h"

#include <algorithm>

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundStore.h"
#include "handicap/SaveScoresDB.h"
#include "platform/Database.h"

namespace dc {

RecalcRange ChooseRecalcRange(bool newRound, int oldGame, int game, int count, bool hcpChanged) {
    if (newRound) return game == count ? RecalcRange{game, game, 0} : RecalcRange{game, count, 1};
    if (game == count && !hcpChanged) return {game, count, 1};
    return {std::min(oldGame > 0 ? oldGame : game, game), count, 1};
}

SaveOutcome SaveAndRecalculate(Database& db, const RoundEntry& entry, int newFlag, float teeRating,
                               int teeSlope, int oldGame, bool hcpChanged, int genderIndex, bool is18,
                               ProgressReporter* progress) {
    Database::Transaction unit(db);
    const int key = StoreRound(db, entry, newFlag, teeRating, teeSlope);
    SaveOutcome out;
    out.rndGameId = key;
    RoundStore store(db);
    out.count = store.Renumber(entry.playerId);
    out.gameNumber = store.GameOfKey(entry.playerId, key).value_or(1);
    out.range = ChooseRecalcRange(newFlag == 1, oldGame, out.gameNumber, out.count, hcpChanged);
    if (out.range.first <= out.range.last) {
        const bool showProgress = out.range.last - out.range.first > 5;
        CachedHcpLookups lookups(db);
        out.lastRun =
            RecomputeGames(db, entry.playerId, genderIndex, is18, out.range.first, out.range.last,
                           out.range.mode, lookups, OneYearWindow().toInt(),
                           showProgress && progress ? [progress](int k, int n) { progress->Step(k, n); }
                                                    : std::function<void(int, int)>{});
    }
    unit.Commit();
    return out;
}

}  // namespace dc
