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
    RoundRef saved;
    if (entry.isNew) {
        saved = {entry.playerId, store.Insert(entry)};  // a key no other round of the player has
    } else {
        // Where the round stands now: another screen may have renumbered the games since it was shown.
        const std::optional<RoundRef> stored =
            store.Locate({entry.playerId, entry.rndGameId, entry.gameNumber, entry.rowId});
        if (stored) oldGame = stored->game, saved = {entry.playerId, entry.rndGameId, 0, stored->rowId};
        store.UpdateScores(entry);
    }
    out.rndGameId = saved.rndGameId;
    out.count = store.Renumber(entry.playerId);
    // Renumbering keeps the row.
    const std::optional<RoundRef> now = store.Locate(saved);
    out.gameNumber = now ? now->game : 1;
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
