#include "entry/RoundRecalc.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "handicap/HcpEngine.h"
#include "handicap/HcpLookups.h"
#include "handicap/HcpRound.h"
#include "handicap/SaveScoresDB.h"
#include "platform/Database.h"
#include "shell/Globals.h"

namespace dc {

RecalcRange ChooseRecalcRange(bool newRound, int oldGame, int game, int count, bool hcpChanged) {
    if (newRound) return game == count ? RecalcRange{game, game, 0} : RecalcRange{game, count, 1};
    if (game == count && !hcpChanged) return {game, count, 1};
    return {std::min(oldGame > 0 ? oldGame : game, game), count, 1};
}

void RenumberGames(Database& db, int playerId) {
    sSQL =
        "SELECT rowid AS RID, GAME_NUMBER FROM INDIV_SCORES WHERE PLAYER_ID=? "
        "ORDER BY ROUND_DATE ASC, GAME_NUMBER ASC, rowid ASC";
    Recordset rs = db.OpenRecordset(sSQL, {playerId});
    int n = 1;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++n) {
        if (rs.Fields(1).isNull() || rs.Fields(1).toInt() != n) {
            sSQL = "UPDATE INDIV_SCORES SET GAME_NUMBER=? WHERE rowid=?";
            db.Execute(sSQL, {n, rs.Fields(0).toLong()});
        }
    }
}

namespace {

struct Row {
    HcpRound round;
    qint64 rowId = 0;
    std::array<bool, 6> written{};
    bool parWritten = false;
};

void Apply(Row& row, HcpVariant v, const HcpOutcome& out) {
    ApplyOutcome(row.round, v, out);
    row.written[v] = true;
    if (out.writePar) row.parWritten = true;
    sngHcpIndex = out.index;
    sngTHcpIndex = out.tIndex;
}

void Write(Database& db, const Row& row) {
    QStringList sets;
    QVariantList params;
    for (int v = 0; v < 6; ++v) {
        if (!row.written[v]) continue;
        const QString s = kVariantSuffix[v];
        sets << "HCP_INDEX_" + s + "=?"
             << "THCP_INDEX_" + s + "=?"
             << "ADJSCR_" + s + "=?";
        params << StoredIndexValue(row.round.hcpIndex[v]) << StoredIndexValue(row.round.tHcpIndex[v])
               << row.round.adjScore[v];
    }
    if (row.parWritten) {
        sets << "PAR=?";
        params << row.round.Par();
    }
    if (sets.isEmpty()) return;
    params << row.rowId;
    sSQL = "UPDATE INDIV_SCORES SET " + sets.join(",") + " WHERE rowid=?";
    db.Execute(sSQL, params);
}

}  // namespace

void RecalculateGames(Database& db, int playerId, const RecalcRange& range, int genderIndex, bool is18,
                      const std::function<void(int, int)>& progress) {
    if (range.first > range.last) return;
    sSQL = "SELECT *, rowid AS RID FROM INDIV_SCORES WHERE PLAYER_ID=? ORDER BY GAME_NUMBER ASC";
    Recordset rs = db.OpenRecordset(sSQL, {playerId});
    const int rid = rs.Ordinal("RID");
    std::vector<Row> rows(rs.RecordCount());
    int i = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++i) {
        rows[i].round = ReadHcpRound(rs);
        rows[i].rowId = rs.Fields(rid).toLong();
    }
    std::vector<const HcpRound*> handicap;
    for (const Row& row : rows)
        if (row.round.useHcp) handicap.push_back(&row.round);

    nCurPlayerID = playerId;
    CachedHcpLookups lookups(db);
    const int window = OneYearWindow().toInt();
    const int n = range.last - range.first + 1;
    size_t upTo = 0;
    int k = 0;
    for (Row& row : rows) {
        const int g = row.round.gameNumber;
        while (upTo < handicap.size() && handicap[upTo]->gameNumber <= g) ++upTo;
        if (g < range.first || g > range.last) continue;
        const std::span<const HcpRound* const> list(handicap.data(), upTo);
        const bool front = row.round.gsf9 > 0, back = row.round.gsb9 > 0;
        for (RuleSet rules : {RuleSet::US, RuleSet::CA}) {
            const bool us = rules == RuleSet::US;
            Apply(row, us ? US_18 : CA_18,
                  HcpRun18(rules, list, g, range.mode, genderIndex, is18, window, lookups));
            if (front)
                Apply(row, us ? US_F9 : CA_F9,
                      HcpRunNine(rules, list, g, genderIndex, true, window, lookups));
            if (back)
                Apply(row, us ? US_B9 : CA_B9,
                      HcpRunNine(rules, list, g, genderIndex, false, window, lookups));
        }
        Write(db, row);
        if (progress) progress(++k, n);
    }
}

SaveOutcome SaveAndRecalculate(Database& db, const RoundEntry& entry, int newFlag, float teeRating,
                               int teeSlope, int oldGame, bool hcpChanged, int genderIndex, bool is18,
                               const std::function<void(int, int)>& progress) {
    Database::Transaction unit(db);
    const int key = StoreRound(db, entry, newFlag, teeRating, teeSlope);
    RenumberGames(db, entry.playerId);
    SaveOutcome out;
    sSQL = "Select GAME_NUMBER From INDIV_SCORES Where PLAYER_ID=? And RND_GAME_ID=?";
    const QVariant game = db.Scalar(sSQL, {entry.playerId, key});
    out.gameNumber = game.isNull() ? 1 : game.toInt();
    sSQL = "Select Count(*) From INDIV_SCORES Where PLAYER_ID=?";
    out.count = db.Scalar(sSQL, {entry.playerId}).toInt();
    out.range = ChooseRecalcRange(newFlag == 1, oldGame, out.gameNumber, out.count, hcpChanged);
    const bool showProgress = out.range.last - out.range.first > 5;
    RecalculateGames(db, entry.playerId, out.range, genderIndex, is18,
                     showProgress ? progress : std::function<void(int, int)>{});
    sSQL = "COMMIT";
    unit.Commit();
    return out;
}

}  // namespace dc
