#include "entry/RoundRecalc.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "handicap/HcpLookups.h"
#include "handicap/HcpRules.h"
#include "handicap/Recompute.h"
#include "handicap/RoundEntry.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "shell/DateFormat.h"

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

namespace {

// The round as the store writes it from the entry and the engine reads it back.
HcpRound EntryRound(const RoundEntry& e, int gameNumber, const QString& dateText) {
    HcpRound r;
    r.gameNumber = gameNumber;
    r.date = DateNumber(dateText);
    r.courseId = e.courseId;
    r.teeBox = e.teeBox;
    r.rating = std::round(e.teeRating * 10.0) / 10.0;
    r.slope = e.teeSlope;
    for (int i = 0; i < 18; ++i) {
        r.gross[i] = e.gross[i].value_or(0);
        (i < 9 ? r.gsf9 : r.gsb9) += r.gross[i];
    }
    // (A round without gross scores, which the store keeps from handicaps, is never saved.)
    r.useHcp = e.useHcp;
    r.useTourn = e.useTourn;
    for (int v = 0; v < 6; ++v) {
        r.hcpIndex[v] = static_cast<float>(e.prevIndex[v]);
        r.tHcpIndex[v] = static_cast<float>(e.prevTIndex[v]);
        r.adjScore[v] = e.adjScore[v].value_or(0);
    }
    r.SetPar(HolePars(e.par));
    return r;
}

}  // namespace

SavePreview::~SavePreview() = default;

SavePreview::SavePreview(Database& db, const RoundEntry& entry, bool is18)
    : is18_(is18), lookups_(std::make_unique<CachedHcpLookups>(db)) {
    // The player's rounds in the order renumbering gives them: by date, then game number, then row.
    struct Placed {
        QString date;
        qint64 game = 0, rowId = 0;
        HcpRound round;
        bool entry = false;
    };
    std::vector<Placed> placed;
    RoundStore(db).ForEachGame(entry.playerId, INT_MAX, [&](const Recordset& rs) {
        Placed& p = placed.emplace_back();
        p.round = ReadHcpRound(rs);
        p.date = rs.Fields(3).str();
        p.game = p.round.gameNumber;
        p.rowId = rs.Fields(rs.Ordinal("RID")).toLong();
    });
    int oldGame = entry.oldGame;
    Placed* own = nullptr;
    if (!entry.isNew) {
        if (const std::optional<RoundRef> stored =
                RoundStore(db).Locate({entry.playerId, entry.rndGameId, entry.gameNumber, entry.rowId})) {
            oldGame = stored->game;
            for (Placed& p : placed)
                if (p.rowId == stored->rowId) own = &p;
        }
    }
    if (!own) {  // a new round: numbered after every game, in a row after every other
        own = &placed.emplace_back();
        own->game = own->rowId = std::numeric_limits<qint64>::max();
        own->date = "9999-99-99";  // without a date: after every round
    }
    own->entry = true;
    if (entry.date) own->date = DbDate(*entry.date);
    own->round = EntryRound(entry, 0, own->date);  // numbered once placed
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.date != b.date) return a.date < b.date;
        if (a.game != b.game) return a.game < b.game;
        return a.rowId < b.rowId;
    });
    rounds_.reserve(placed.size());
    for (Placed& p : placed) {
        p.round.gameNumber = static_cast<int>(rounds_.size()) + 1;
        if (p.entry) game_ = p.round.gameNumber;
        rounds_.push_back(std::move(p.round));
    }
    range_ =
        ChooseRecalcRange(entry.isNew, oldGame, game_, static_cast<int>(rounds_.size()), entry.hcpChanged);
    // The games before the round that the save recomputes do not depend on it.
    RecomputeRounds(rounds_, entry.genderIndex, is18_, range_.first, game_ - 1, range_.mode, *lookups_,
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
    own = EntryRound(entry, game_, QString());
    own.date = placed.date;
    if (range_.first <= game_ && game_ <= range_.last)
        RecomputeRounds(rounds_, entry.genderIndex, is18_, game_, game_, range_.mode, *lookups_,
                        OneYearWindow().toInt());
    HcpRound saved = own;
    own = placed;
    return saved;
}

}  // namespace dc
