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

// One round of the player, with what is stored, to write only what changed.
struct GameRow {
    HcpRound round;
    qint64 rowId = 0;
    std::array<QVariant, kColCount> stored;
    quint32 written = 0;  // bits of the engine columns the runs set
};

void Apply(GameRow& row, HcpVariant v, const HcpOutcome& out) {
    ApplyOutcome(row.round, v, out);
    row.written |= 1u << (kColIndex + v) | 1u << (kColTIndex + v);
    if (out.writeAdjScore) row.written |= 1u << (kColAdj + v);
    if (out.writePar) row.written |= 1u << kColPar;
}

QVariant CurrentValue(const GameRow& row, int col) {
    if (col == kColPar) return row.round.Par();
    if (col < kColTIndex) return StoredIndexValue(row.round.hcpIndex[col - kColIndex]);
    if (col < kColAdj) return StoredIndexValue(row.round.tHcpIndex[col - kColTIndex]);
    return row.round.adjScore[col - kColAdj];
}

bool Differs(const QVariant& stored, const QVariant& now) {
    if (stored.isNull() || !stored.isValid()) return true;
    if (now.typeId() == QMetaType::QString) return stored.toString() != now.toString();
    return stored.toDouble() != now.toDouble();
}

// Writes the changed engine columns of one row with one statement.
void WriteChanges(RoundStore& store, const GameRow& row) {
    std::array<QVariant, kColCount> changed;
    for (int col = 0; col < kColCount; ++col) {
        if (!(row.written & (1u << col))) continue;
        QVariant now = CurrentValue(row, col);
        if (Differs(row.stored[col], now)) changed[col] = std::move(now);
    }
    store.UpdateResults(row.rowId, changed);
}

}  // namespace

std::optional<HcpOutcome> RecomputeGames(Database& db, int playerId, int genderIndex, bool is18, int first,
                                         int last, int mode, HcpLookups& lookups, int window,
                                         const std::function<void(int, int)>& progress) {
    if (first > last) return std::nullopt;
    // Later games play no part in the games of the range.
    RoundStore store(db);
    std::vector<GameRow> rows;
    int n = 0;  // games of the range
    int ridOrdinal = -1;
    store.ForEachGame(playerId, last, [&](const Recordset& rs) {
        if (ridOrdinal < 0) ridOrdinal = rs.Ordinal("RID");
        GameRow& row = rows.emplace_back();
        row.round = ReadHcpRound(rs);
        row.rowId = rs.Fields(ridOrdinal).toLong();
        if (row.round.gameNumber < first) return;
        ++n;
        for (int col = 0; col < kColPar; ++col) row.stored[col] = rs.Fields(kOrdinalHcpIndex + col).value();
        row.stored[kColPar] = rs.Fields(kOrdinalPar).value();
    });
    if (n == 0) return std::nullopt;

    std::optional<HcpOutcome> lastRun;
    auto run = [&](GameRow& row, HcpVariant v, const HcpOutcome& out) {
        Apply(row, v, out);
        lastRun = out;
    };
    std::vector<const HcpRound*> handicap;
    for (const GameRow& row : rows)
        if (row.round.useHcp) handicap.push_back(&row.round);

    // The rounds before the current row no longer change: their nines are worked out once.
    std::array<NineStepStore, 2> stores;  // US, CA
    for (NineStepStore& store : stores) store.Reset(handicap.size());
    size_t settled = 0;  // handicap rounds before the current row

    size_t upTo = 0;  // handicap rounds with game number up to g
    int k = 0;
    for (GameRow& row : rows) {
        const int g = row.round.gameNumber;
        while (upTo < handicap.size() && handicap[upTo]->gameNumber <= g) ++upTo;
        if (g >= first) {
            const std::span<const HcpRound* const> list(handicap.data(), upTo);
            const bool front = row.round.gsf9 > 0, back = row.round.gsb9 > 0;
            for (RuleSet rules : {RuleSet::US, RuleSet::CA}) {
                const bool us = rules == RuleSet::US;
                NineStepStore& store = stores[us ? 0 : 1];
                store.Settle(settled);
                run(row, us ? US_18 : CA_18,
                    HcpRun18(rules, list, g, mode, genderIndex, is18, window, lookups));
                if (front)
                    run(row, us ? US_F9 : CA_F9,
                        HcpRunNine(rules, list, g, genderIndex, true, window, lookups, nullptr, &store));
                if (back)
                    run(row, us ? US_B9 : CA_B9,
                        HcpRunNine(rules, list, g, genderIndex, false, window, lookups, nullptr, &store));
            }
            WriteChanges(store, row);
            if (progress) progress(++k, n);
        }
        if (row.round.useHcp) ++settled;
    }
    return lastRun;
}

}  // namespace dc
