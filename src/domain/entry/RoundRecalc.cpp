#include "entry/RoundRecalc.h"

#include <algorithm>

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"

namespace dc {

RecalcRange ChooseRecalcRange(bool newRound, int oldGame, int game, int count, bool hcpChanged) {
    if (newRound) return game == count ? RecalcRange{game, game, 0} : RecalcRange{game, count, 1};
    if (game == count && !hcpChanged) return {game, count, 1};
    return {std::min(oldGame > 0 ? oldGame : game, game), count, 1};
}

SaveOutcome SaveAndRecalculate(Database& db, const RoundEntry& entry, bool is18, ProgressReporter* progress) {
    Database::Transaction unit(db);
    RoundStore store(db);
    SaveOutcome out;
    int oldGame = entry.oldGame;
    if (entry.isNew) {
        out.rndGameId = store.Insert(entry);
    } else {
        // Where the round stands now: another screen may have renumbered the games since it was shown.
        oldGame = store.GameOfKey(entry.playerId, entry.rndGameId).value_or(oldGame);
        store.UpdateScores(entry);
        out.rndGameId = entry.rndGameId;
    }
    out.count = store.Renumber(entry.playerId);
    out.gameNumber = store.GameOfKey(entry.playerId, out.rndGameId).value_or(1);
    out.range = ChooseRecalcRange(entry.isNew, oldGame, out.gameNumber, out.count, entry.hcpChanged);
    if (out.range.first <= out.range.last) {
        const bool showProgress = out.range.last - out.range.first > 5;
        CachedHcpLookups lookups(db);
        out.lastRun =
            RecomputeGames(db, entry.playerId, entry.genderIndex, is18, out.range.first, out.range.last,
                           out.range.mode, lookups, OneYearWindow().toInt(),
                           showProgress && progress ? [progress](int k, int n) { progress->Step(k, n); }
                                                    : std::function<void(int, int)>{});
    }
    unit.Commit();
    return out;
}

}  // namespace dc
