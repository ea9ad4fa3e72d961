#include "handicap/Recompute.h"

#include <array>
#include <span>
#include <vector>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRound.h"
#include "handicap/RoundStore.h"
#include "platform/Database.h"

namespace dc {

namespace {

// The columns the index procedures write, as the rounds store numbers them.
constexpr int kColIndex = RoundStore::kResIndex, kColTIndex = RoundStore::kResTIndex,
              kColAdj = RoundStore::kResAdj, kColPar = RoundStore::kResPar,
              kColCount = RoundStore::kResColumns;
constexpr int kOrdinalPar = 49;

// What is stored of one round of the player, to write only what changed.
struct StoredRow {
    qint64 rowId = 0;
    std::array<QVariant, kColCount> stored;
    quint32 written = 0;  // bits of the engine columns the runs set
};

void NoteWritten(StoredRow& row, HcpVariant v, const HcpOutcome& out) {
    row.written |= 1u << (kColIndex + v) | 1u << (kColTIndex + v);
    if (out.writeAdjScore) row.written |= 1u << (kColAdj + v);
    if (out.writePar) row.written |= 1u << kColPar;
}

QVariant CurrentValue(const HcpRound& round, int col) {
    if (col == kColPar) return round.Par();
    if (col < kColTIndex) return StoredIndexValue(round.hcpIndex[col - kColIndex]);
    if (col < kColAdj) return StoredIndexValue(round.tHcpIndex[col - kColTIndex]);
    return round.adjScore[col - kColAdj];
}

bool Differs(const QVariant& stored, const QVariant& now) {
    if (stored.isNull() || !stored.isValid()) return true;
    if (now.typeId() == QMetaType::QString) return stored.toString() != now.toString();
    return stored.toDouble() != now.toDouble();
}

// Writes the changed engine columns of one row with one statement.
void WriteChanges(RoundStore& store, const StoredRow& row, const HcpRound& round) {
    std::array<QVariant, kColCount> changed;
    for (int col = 0; col < kColCount; ++col) {
        if (!(row.written & (1u << col))) continue;
        QVariant now = CurrentValue(round, col);
        if (Differs(row.stored[col], now)) changed[col] = std::move(now);
    }
    store.UpdateResults(row.rowId, changed);
}

}  // namespace

std::optional<HcpOutcome> RecomputeRounds(
    std::span<HcpRound> rounds, int genderIndex, int first, int last, int mode, HcpLookups& lookups,
    int window, const std::function<void(size_t, HcpVariant, const HcpOutcome&)>& ran,
    const std::function<void(size_t)>& done) {
    std::optional<HcpOutcome> lastRun;
    std::vector<const HcpRound*> handicap;
    for (const HcpRound& round : rounds)
        if (round.useHcp) handicap.push_back(&round);

    // The rounds before the current row no longer change: their nines are worked out once.
    std::array<NineStepStore, 2> stores;  // US, CA
    for (NineStepStore& store : stores) store.Reset(handicap.size());
    size_t settled = 0;  // handicap rounds before the current row

    size_t upTo = 0;  // handicap rounds with game number up to g
    for (size_t i = 0; i < rounds.size(); ++i) {
        HcpRound& round = rounds[i];
        const int g = round.gameNumber;
        if (g > last) break;
        while (upTo < handicap.size() && handicap[upTo]->gameNumber <= g) ++upTo;
        if (g >= first) {
            const std::span<const HcpRound* const> list(handicap.data(), upTo);
            const bool front = round.gsf9 > 0, back = round.gsb9 > 0;
            auto run = [&](HcpVariant v, const HcpOutcome& out) {
                ApplyOutcome(round, v, out);
                if (ran) ran(i, v, out);
                lastRun = out;
            };
            for (RuleSet rules : {RuleSet::US, RuleSet::CA}) {
                const bool us = rules == RuleSet::US;
                NineStepStore& store = stores[us ? 0 : 1];
                store.Settle(settled);
                run(us ? US_18 : CA_18, HcpRun18(rules, list, g, mode, genderIndex, true, window, lookups));
                if (front)
                    run(us ? US_F9 : CA_F9,
                        HcpRunNine(rules, list, g, genderIndex, true, window, lookups, nullptr, &store));
                if (back)
                    run(us ? US_B9 : CA_B9,
                        HcpRunNine(rules, list, g, genderIndex, false, window, lookups, nullptr, &store));
            }
            if (done) done(i);
        }
        if (round.useHcp) ++settled;
    }
    return lastRun;
}

std::optional<HcpOutcome> RecomputeGames(Database& db, int playerId, int genderIndex, int first, int last,
                                         int mode, HcpLookups& lookups, int window,
                                         const std::function<void(int, int)>& progress) {
    if (first > last) return std::nullopt;
    // Later games play no part in the games of the range.
    RoundStore store(db);
    std::vector<HcpRound> rounds;
    std::vector<StoredRow> rows;
    int n = 0;  // games of the range
    int ridOrdinal = -1;
    store.ForEachGame(playerId, last, [&](const Recordset& rs) {
        if (ridOrdinal < 0) ridOrdinal = rs.Ordinal("RID");
        const HcpRound& round = rounds.emplace_back(ReadHcpRound(rs));
        StoredRow& row = rows.emplace_back();
        row.rowId = rs.Fields(ridOrdinal).toLong();
        if (round.gameNumber < first) return;
        ++n;
        for (int col = 0; col < kColPar; ++col) row.stored[col] = rs.Fields(kOrdinalHcpIndex + col).value();
        row.stored[kColPar] = rs.Fields(kOrdinalPar).value();
    });
    if (n == 0) return std::nullopt;

    int k = 0;
    return RecomputeRounds(
        rounds, genderIndex, first, last, mode, lookups, window,
        [&rows](size_t i, HcpVariant v, const HcpOutcome& out) { NoteWritten(rows[i], v, out); },
        [&](size_t i) {
            WriteChanges(store, rows[i], rounds[i]);
            if (progress) progress(++k, n);
        });
}

}  // namespace dc
