#include "entry/RoundRecalc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "entry/MainRoundStore.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "records/PlayerStore.h"
#include "shell/DateFormat.h"

namespace dc {

RecalcRange ChooseRecalcRange(bool newRound, int oldGame, int game, int count, bool genderCorrected) {
    if (genderCorrected) return {1, count, 1};
    if (newRound) return game == count ? RecalcRange{game, game, 0} : RecalcRange{game, count, 1};
    return {std::min(oldGame > 0 ? oldGame : game, game), count, 1};
}

bool CorrectsGender(Database& db, const RoundEntry& entry) {
    const std::optional<QString> stored = MainRoundStore(db).PlayerGender(entry.playerId);
    return stored && GenderIndexOf(*stored) != entry.genderIndex;
}

SaveOutcome SaveAndRecalculate(Database& db, const RoundEntry& entry, ProgressReporter* progress) {
    Database::Transaction unit(db);
    RoundStore store(db);
    SaveOutcome out;
    const bool genderCorrected = CorrectsGender(db, entry);
    if (genderCorrected) PlayerStore(db).SetGender(entry.playerId, entry.genderIndex);
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
    out.range = ChooseRecalcRange(entry.isNew, oldGame, out.gameNumber, out.count, genderCorrected);
    if (out.range.first <= out.range.last) {
        const bool showProgress = out.range.last - out.range.first > 5;
        CachedHcpLookups lookups(db);
        out.lastRun =
            RecomputeGames(db, entry.playerId, entry.genderIndex, out.range.first, out.range.last,
                           out.range.mode, lookups, OneYearWindow().toInt(),
                           showProgress && progress ? [progress](int k, int n) { progress->Step(k, n); }
                                                    : std::function<void(int, int)>{});
    }
    unit.Commit();
    return out;
}

namespace {

// The round as the store writes it from the entry and the engine reads it back.
HcpRound EntryRound(const RoundEntry& e, int date) {
    const EntryRow row = EntryRowOf(e);
    HcpRound r;
    r.date = date;
    r.courseId = e.courseId;
    r.teeBox = row.teeBox;
    r.rating = row.rating;
    r.slope = row.slope;
    r.gross = row.gross;
    r.gsf9 = row.front;
    r.gsb9 = row.back;
    r.useHcp = row.useHcp;
    r.useTourn = row.useTourn;
    for (int v = 0; v < 6; ++v) {
        r.hcpIndex[v] = static_cast<float>(row.prevIndex[v]);
        r.tHcpIndex[v] = static_cast<float>(row.prevTIndex[v]);
        r.adjScore[v] = row.adjScore[v];
    }
    r.SetPar(row.par);
    return r;
}

}  // namespace

SavePreview::~SavePreview() = default;

SavePreview::SavePreview(Database& db, const RoundEntry& entry)
    : lookups_(std::make_unique<CachedHcpLookups>(db)) {
    // The player's rounds placed as renumbering places them.
    struct Placed {
        RenumberKey key;
        HcpRound round;
        bool entry = false;
        bool last = false;  // a new round without a date
    };
    std::vector<Placed> placed;
    RoundStore(db).ForEachGame(entry.playerId, INT_MAX, [&](const Recordset& rs) {
        Placed& p = placed.emplace_back();
        p.round = ReadHcpRound(rs);
        p.key = RenumberKeyOf(rs.Fields(3), rs.Fields(2), rs.Fields(rs.Ordinal("RID")).toLong());
    });
    int oldGame = entry.oldGame;
    std::optional<size_t> own;
    if (!entry.isNew) {
        if (const std::optional<RoundRef> stored =
                RoundStore(db).Locate({entry.playerId, entry.rndGameId, entry.gameNumber, entry.rowId})) {
            oldGame = stored->game;
            for (size_t i = 0; i < placed.size(); ++i)
                if (placed[i].key.rowId == stored->rowId) own = i;
        }
    }
    // A new round is numbered after every game, in a row after every other; without a date (which
    // a save refuses) it comes last. A stored round without one stays where it is stored.
    if (!own) {
        own = placed.size();
        Placed& added = placed.emplace_back();
        added.key = {std::nullopt, std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()};
        added.last = !entry.date;
    }
    Placed& p = placed[*own];
    p.entry = true;
    if (entry.date) p.key.date = DbDate(*entry.date);
    p.round = EntryRound(entry, p.key.date ? DateNumber(*p.key.date) : p.round.date);
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.last != b.last) return b.last;
        return RenumberedBefore(a.key, b.key);
    });
    rounds_.reserve(placed.size());
    for (Placed& q : placed) {
        q.round.gameNumber = static_cast<int>(rounds_.size()) + 1;
        if (q.entry) game_ = q.round.gameNumber;
        rounds_.push_back(std::move(q.round));
    }
    range_ = ChooseRecalcRange(entry.isNew, oldGame, game_, static_cast<int>(rounds_.size()),
                               CorrectsGender(db, entry));
    // The games before the round that the save recomputes do not depend on it.
    RecomputeRounds(rounds_, entry.genderIndex, range_.first, game_ - 1, range_.mode, *lookups_,
                    OneYearWindow().toInt());
}

const HcpRound* SavePreview::Before() const { return game_ > 1 ? &rounds_[game_ - 2] : nullptr; }

const HcpRound* SavePreview::BeforeHandicap() const {
    for (int i = game_ - 2; i >= 0; --i)
        if (rounds_[i].useHcp) return &rounds_[i];
    return nullptr;
}

HcpRound SavePreview::Saved(const RoundEntry& entry) {
    HcpRound& own = rounds_[game_ - 1];
    const HcpRound placed = own;
    own = EntryRound(entry, placed.date);
    own.gameNumber = game_;
    if (range_.first <= game_ && game_ <= range_.last)
        RecomputeRounds(rounds_, entry.genderIndex, game_, game_, range_.mode, *lookups_,
                        OneYearWindow().toInt());
    HcpRound saved = own;
    own = placed;
    return saved;
}

}  // namespace dc
